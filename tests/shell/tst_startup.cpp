// Start-up order, captions and the hand-overs between the persistent screens.
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "common/ui/TfrmGuida.h"
#include "shell/ui/TfrmPassword.h"
#include "members/ui/TfrmAnagrafica.h"
#include "movements/ui/TfrmMenuMovimenti.h"
#include "balance/ui/TfrmMenuBilancio.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestApp> app;

    void logIn()
    {
        writeFirstAccessPassword(ArchivePaths::password());
        auto *login = app->screens->password();
        QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
        QTest::mouseClick(login->cmdOK, Qt::LeftButton);
        QVERIFY(app->screens->avvio()->isVisible());
    }

    QList<QWidget *> visibleScreens() const
    {
        QList<QWidget *> out;
        for (QWidget *w : app->screens->creationOrder())
            if (w->isVisible())
                out.append(w);
        return out;
    }

    void click(const char *name)
    {
        auto *target = app->screens->avvio()->findChild<QAbstractButton *>(QString::fromLatin1(name));
        QVERIFY2(target, name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, 10));
    }

private Q_SLOTS:
    void init() { app = std::make_unique<TestApp>(); }
    void cleanup() { app.reset(); }

    void screensAreCreatedInOrder()
    {
        const QStringList expected = {
            "TfrmPassword| Quintara - Benvenutissimo",
            "TfrmAvvio| Quintara",
            "TfrmCambiaPassword| Cambia password",
            "TfrmGuida| Guida all'utilizzo del software",
            "TfrmInfo| Informazioni su Quintara",
            "TfrmSplash| Quintara - software per associazioni",
            "TfrmAnagrafica| Quintara - Archivio Soci",
            "TfrmZoom| Fai clic sulla foto per chiudere questa finestra",
            "TfrmWebCam| Cattura foto con webcam",
            "TfrmCalendario| Importazione data",
            "TfrmAllegaCartella| Allega file",
            "TfrmCodFisc| Controllo codice fiscale",
            "TfrmPartitaIva| Controllo partita IVA",
            "TfrmIban| Controllo IBAN",
            "TfrmAnteprimaAna| Anteprima di stampa",
            "TfrmStampaAna| Stampa scheda",
            "TfrmScadute| Riepilogo Soci con abbonamenti scaduti",
            "TfrmSospesi| Riepilogo Soci con abbonamenti in scadenza o scaduti",
            "TfrmExpAnagrafica| Esporta archivio Soci in Microsoft Excel",
            "TfrmTrovaAnagrafica| Trova Soci in archivio",
            "TfrmMenuMovimenti| Quintara - Registrazione movimenti",
            "TfrmMovimenti| Quintara - Registrazione movimenti",
            "TfrmExpMovimenti| Esporta archivio movimenti in Microsoft Excel",
            "TfrmSospesiMov| Riepilogo pagamenti in scadenza o scaduti",
            "TfrmTrovaMovimenti| Trova movimenti in archivio",
            "TfrmStampaMovimento| Stampa scheda corrente",
            "TfrmMenuBilancio| Quintara - Primanota e Bilancio",
            "TfrmBilancio| Quintara - Primanota e Bilancio",
        };
        QStringList actual;
        for (QWidget *w : app->screens->creationOrder())
            actual.append(QString::fromLatin1(w->metaObject()->className()) + QStringLiteral("|") + w->windowTitle());
        QCOMPARE(actual, expected);
        // Only the login is shown, and no file was touched.
        QCOMPARE(visibleScreens(), QList<QWidget *>{app->screens->password()});
        QVERIFY(QDir(app->platform.folder.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void columnsOpenTheirApplications_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("target"); // 0 card, 1 year chooser, 2 period chooser
        for (const char *c : {"imgSoci", "btnSoci", "infSoci"})
            QTest::newRow(c) << c << 0;
        for (const char *c : {"imgMovimenti", "btnMovimenti", "infMovimenti"})
            QTest::newRow(c) << c << 1;
        for (const char *c : {"imgBilancio", "btnBilancio", "infBilancio"})
            QTest::newRow(c) << c << 2;
    }
    void columnsOpenTheirApplications()
    {
        QFETCH(QString, control);
        QFETCH(int, target);
        logIn();
        QWidget *screens[] = {app->screens->anagrafica(), app->screens->menuMovimenti(),
                              app->screens->menuBilancio()};
        click(control.toLatin1().constData());
        QCOMPARE(visibleScreens(), QList<QWidget *>{screens[target]});
        QVERIFY(screens[target]->isMaximized());
        // Its close box brings back the start menu; the screen is hidden, not destroyed.
        QVERIFY(!screens[target]->close());
        QCOMPARE(visibleScreens(), QList<QWidget *>{app->screens->avvio()});
        QVERIFY(app->screens->creationOrder().contains(screens[target]));
        QCOMPARE(app->terminations, 0);
    }

    void programEndsOnlyFromTheStartMenuOrTheLogin()
    {
        QTest::mouseClick(app->screens->password()->cmdEsci, Qt::LeftButton);
        QCOMPARE(app->terminations, 1);

        app.reset();
        app = std::make_unique<TestApp>();
        logIn();
        app->screens->avvio()->close();
        QCOMPARE(app->terminations, 1);

        app.reset();
        app = std::make_unique<TestApp>();
        logIn();
        click("imgEsci");
        QCOMPARE(app->terminations, 1);
    }

    void startMenuOpensHelpInfoAndMaker()
    {
        logIn();
        QString title;
        app->platform.modal.handlers.append([&](QDialog *d) {
            title = d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
        });
        click("imgGuida");
        click("imgInfo");
        click("imgSplash");
        QCOMPARE(app->platform.modal.opened, (QStringList{"TfrmGuida", "TfrmInfo", "TfrmSplash"}));
        QCOMPARE(title, QStringLiteral("Uno sguardo a Quintara."));
        click("imgSito");
        QCOMPARE(app->platform.shell.opened.size(), 1);
        QCOMPARE(app->platform.shell.opened[0].scheme(), QStringLiteral("https"));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void dialogsAreFreshInstances()
    {
        logIn();
        QPointer<QDialog> first;
        app->platform.modal.handlers.append([&](QDialog *d) {
            first = d;
            d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->setText(QStringLiteral("scritto"));
        });
        QString second;
        app->platform.modal.handlers.append([&](QDialog *d) {
            QVERIFY(d != app->screens->creationOrder().at(3));
            second = d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
        });
        click("imgGuida");
        QVERIFY(first.isNull()); // destroyed when it closed
        click("imgGuida");
        QCOMPARE(second, QStringLiteral("Uno sguardo a Quintara."));
        QVERIFY(!app->screens->creationOrder().at(3)->isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
