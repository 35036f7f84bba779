#pragma once

#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "members/ui/PhotoFiles.h"
#include "members/ui/TfrmAnagrafica.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

// The running program with the member card opened from the start menu, as the
// user reaches it after the login.
class CardFixture
{
public:
    CardFixture()
    {
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        openFromStartMenu();
    }

    void openFromStartMenu()
    {
        QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "btnSoci"), Qt::LeftButton);
        card = app.screens->anagrafica();
        // The start menu hiding may hand the activation around once more on the
        // offscreen platform; let it settle before typing.
        QVERIFY(QTest::qWaitForWindowExposed(card));
        QCoreApplication::processEvents();
        card->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(card));
    }

    FieldEdit *field(const char *name) const { return control<FieldEdit>(card, name); }
    QLabel *label(const char *name) const { return control<QLabel>(card, name); }
    QWidget *widget(const char *name) const { return control<QWidget>(card, name); }
    void click(const char *name) const { QTest::mouseClick(control<PictureButton>(card, name), Qt::LeftButton); }
    QString position() const { return label("lblPosizione")->text(); }
    QWidget *focused() const { return QApplication::focusWidget(); }

    // Puts the focus in a field the way a user does, then types.
    void type(const char *name, const QString &text) const
    {
        FieldEdit *f = field(name);
        f->setFocus(Qt::MouseFocusReason);
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(f, char(c.unicode()));
            } else {
                // Latin-1 letters have key codes of their own.
                QTest::sendKeyEvent(QTest::Click, f, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
            }
        }
    }

    ScriptedMessages &messages() { return app.platform.messages; }
    QString file(const QString &name) const { return app.platform.file(name); }

    TestApp app;
    TfrmAnagrafica *card = nullptr;
};

// A member that passes every check of the save.
inline TSchedaSocio member(const QString &name)
{
    TSchedaSocio m;
    m.Dipendente = name;
    m.Cittadinanza = QStringLiteral("T-") + name.left(3);
    m.Stipendio = QStringLiteral("25,00");
    m.Citta = QStringLiteral("Città di ") + name;
    m.Prov = QStringLiteral("MI");
    m.DataSca = QStringLiteral("31/12/2024");
    m.Preavviso = QStringLiteral("15");
    m.Email = name.toLower() + QStringLiteral("@example.it");
    return m;
}

// Writes the archive Soci.pro with these records in this order.
inline void writeArchive(const QList<TSchedaSocio> &records)
{
    RecordFile<TSchedaSocio> file;
    QVERIFY(file.open(ArchivePaths::members()));
    for (const auto &r : records)
        QVERIFY(file.append(r));
    file.close();
}

// The bytes of record p (1-based) of Soci.pro.
inline QByteArray storedBytes(qint64 position1)
{
    return readBytes(ArchivePaths::members()).mid((position1 - 1) * TSchedaSocio::Size, TSchedaSocio::Size);
}

inline TSchedaSocio storedRecord(qint64 position1)
{
    const QByteArray raw = storedBytes(position1);
    if (raw.size() != TSchedaSocio::Size)
        return {};
    return RecordCodec::decode<TSchedaSocio>(raw.constData());
}

// A photo that cannot be mistaken for the placeholder: small and plain red.
inline QImage redPhoto()
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::red);
    return img;
}

inline bool isRedPhoto(const QImage &img)
{
    if (img.size() != QSize(40, 30))
        return false;
    const QColor c = img.pixelColor(20, 15);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
