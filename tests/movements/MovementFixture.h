#pragma once

#include "support/TestPlatform.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "movements/ui/TfrmMenuMovimenti.h"
#include "movements/ui/TfrmMovimenti.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The running program with the movement card of a year opened as the user
// opens it: start menu, year chooser, the year typed, "Apri".
class MovementFixture
{
public:
    explicit MovementFixture(const QString &yearText = QStringLiteral("2014"))
        : year(yearText)
    {
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        chooser = app.screens->menuMovimenti();
        card = app.screens->movimenti();
        openChooser();
        FieldEdit *anno = control<FieldEdit>(chooser, "txtAnnoPreventivi");
        anno->selectAll();
        QTest::keyClick(anno, Qt::Key_Backspace);
        QTest::keyClicks(anno, year);
        QTest::mouseClick(control<QPushButton>(chooser, "btnApriPreventivi"), Qt::LeftButton);
        settle(card);
    }

    // The start menu's movements column shows the year chooser.
    void openChooser()
    {
        QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "btnMovimenti"), Qt::LeftButton);
        settle(chooser);
    }

    static void settle(QWidget *screen)
    {
        // The screen hidden may hand the activation around once more on the
        // offscreen platform; let it settle before typing.
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QCoreApplication::processEvents();
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
    }

    FieldEdit *field(const char *name) const { return control<FieldEdit>(card, name); }
    QLabel *label(const char *name) const { return control<QLabel>(card, name); }
    QWidget *widget(const char *name) const { return control<QWidget>(card, name); }
    QRadioButton *radio(const char *name) const { return control<QRadioButton>(card, name); }
    QCheckBox *settled() const { return control<QCheckBox>(card, "chkSaldato"); }
    void click(const char *name) const { QTest::mouseClick(control<PictureButton>(card, name), Qt::LeftButton); }
    QString position() const { return label("lblPosizione")->text(); }
    QWidget *focused() const { return QApplication::focusWidget(); }

    // Puts the focus in a field the way a user does, then types.
    void type(const char *name, const QString &text) const
    {
        FieldEdit *f = field(name);
        f->setFocus(Qt::MouseFocusReason);
        typeText(f, text);
    }

    // The fields a save requires, filled as the user fills them; the two dates
    // as the picker writes them.
    void fillRequired(const QString &causale = QStringLiteral("Quota sociale"))
    {
        type("txtCausale", causale);
        field("txtDataSca")->setText(QStringLiteral("31/03/2014"));
        type("txtPagatore", QStringLiteral("Rossi Mario"));
        type("txtBeneficiario", QStringLiteral("Associazione"));
    }

    QString yearFile() const { return app.platform.file(year + QStringLiteral(".eur")); }
    QByteArray bytes() const { return readBytes(yearFile()); }
    QByteArray storedBytes(qint64 position1) const
    {
        return bytes().mid((position1 - 1) * TSchedaMovimento::Size, TSchedaMovimento::Size);
    }
    TSchedaMovimento storedRecord(qint64 position1) const
    {
        const QByteArray raw = storedBytes(position1);
        if (raw.size() != TSchedaMovimento::Size)
            return {};
        return RecordCodec::decode<TSchedaMovimento>(raw.constData());
    }

    // Writes the year's file with these records in this order.
    void writeYear(const QList<TSchedaMovimento> &records) const
    {
        QFile::remove(yearFile());
        RecordFile<TSchedaMovimento> file;
        QVERIFY(file.open(yearFile()));
        for (const auto &r : records)
            QVERIFY(file.append(r));
        file.close();
    }

    ScriptedMessages &messages() { return app.platform.messages; }

    QString year;
    TestApp app;
    TfrmMenuMovimenti *chooser = nullptr;
    TfrmMovimenti *card = nullptr;
};

// A stored movement that passes every check of the save.
inline TSchedaMovimento movement(const QString &causale, bool income = true)
{
    TSchedaMovimento m;
    m.Entrata = income ? kYes : kNo;
    m.Uscita = income ? kNo : kYes;
    m.Data = QStringLiteral("10/01/2014");
    m.Causale = causale;
    m.DataSca = QStringLiteral("28/02/2014");
    m.Preavviso = QStringLiteral("5");
    m.Importo = QStringLiteral("40,00");
    m.Totale = (income ? QStringLiteral("+") : QStringLiteral("-")) + m.Importo;
    m.Pagatore = QStringLiteral("Pagatore di ") + causale;
    m.Beneficiario = QStringLiteral("Beneficiario di ") + causale;
    m.Saldato = kNo;
    return m;
}
