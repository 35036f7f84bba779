// The program's message loop, run as main runs it, ends by each of its three exits.
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "shell/ui/Program.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"
#include "members/ui/TfrmAnagrafica.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

template <class T>
T *screen()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<T *>(w))
            return s;
    return nullptr;
}

QStringList visibleWindows()
{
    QStringList out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            out.append(QString::fromLatin1(w->metaObject()->className()));
    return out;
}

void logIn()
{
    auto *login = screen<TfrmPassword>();
    QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitsEndTheLoop_data()
    {
        QTest::addColumn<QString>("exit");
        QTest::newRow("start menu's exit picture") << QStringLiteral("imgEsci");
        QTest::newRow("start menu closed by the desktop") << QStringLiteral("close start menu");
        QTest::newRow("start menu closed after a visit to the card") << QStringLiteral("card then close");
        QTest::newRow("login's Esci") << QStringLiteral("cmdEsci");
        QTest::newRow("login closed by the desktop") << QStringLiteral("close login");
    }
    void exitsEndTheLoop()
    {
        QFETCH(QString, exit);
        TestPlatform platform;
        writeFirstAccessPassword(ArchivePaths::password());

        QStringList steps;
        QTimer::singleShot(0, qApp, [&] {
            auto *login = screen<TfrmPassword>();
            if (exit == QLatin1String("cmdEsci")) {
                QTest::mouseClick(login->cmdEsci, Qt::LeftButton);
                return;
            }
            if (exit == QLatin1String("close login")) {
                login->windowHandle()->close();
                return;
            }
            logIn();
            auto *avvio = screen<TfrmAvvio>();
            steps << visibleWindows();
            if (exit == QLatin1String("card then close")) {
                // A work screen closed by the desktop goes back to the start menu, and no further.
                QTest::mouseClick(avvio->findChild<QAbstractButton *>(QStringLiteral("btnSoci")), Qt::LeftButton,
                                  {}, QPoint(5, 5));
                screen<TfrmAnagrafica>()->windowHandle()->close();
                QCoreApplication::processEvents();
                steps << visibleWindows();
            }
            if (exit == QLatin1String("imgEsci"))
                QTest::mouseClick(avvio->findChild<PictureButton *>(QStringLiteral("imgEsci")), Qt::LeftButton, {},
                                  QPoint(5, 5));
            else
                avvio->windowHandle()->close();
        });

        // If the loop never returns the program hangs: stop it from here and fail.
        bool hung = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [&] {
            hung = true;
            QCoreApplication::exit(99);
        });
        watchdog.start(5000);

        QStringList leftVisible{QStringLiteral("(not reached)")};
        auto ending = connect(qApp, &QCoreApplication::aboutToQuit, qApp, [&] { leftVisible = visibleWindows(); });
        const int status = Program::run(*qApp);
        disconnect(ending);

        QVERIFY2(!hung, "the message loop did not return");
        QCOMPARE(status, 0);
        QCOMPARE(leftVisible, QStringList());
        if (exit.startsWith(QLatin1String("card")))
            QCOMPARE(steps, (QStringList{QStringLiteral("TfrmAvvio"), QStringLiteral("TfrmAvvio")}));
        else if (!exit.contains(QLatin1String("login")) && exit != QLatin1String("cmdEsci"))
            QCOMPARE(steps, QStringList{QStringLiteral("TfrmAvvio")});
        // The screens are gone with the loop.
        QVERIFY(!screen<TfrmPassword>());
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
