// The member card's commands open their screens and the screens work on the card
// the user sees: the search and the lists load a member, the attachments are
// stored with the next save, the printouts take the card's data and photo.
#include "CardFixture.h"
#include "MemberFixtures.h"

#include "output/ui/PrinterOutput.h"
#include "support/RecordingPrinter.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

class TestCardCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachCommandOpensItsScreen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("screen");
        QTest::newRow("Trova") << "btnTrova" << "TfrmTrovaAnagrafica";
        QTest::newRow("Allegati") << "btnAllegati" << "TfrmAllegaCartella";
        QTest::newRow("Anteprima") << "btnAnteprima" << "TfrmAnteprimaAna";
        QTest::newRow("Stampa") << "btnStampa" << "TfrmStampaAna";
        QTest::newRow("Scadenze") << "btnScadenze" << "TfrmSospesi";
        QTest::newRow("Scaduti") << "btnScaduti" << "TfrmScadute";
        QTest::newRow("Esporta") << "btnEsporta" << "TfrmExpAnagrafica";
        QTest::newRow("Guida") << "btnGuida" << "TfrmGuida";
    }
    void eachCommandOpensItsScreen()
    {
        QFETCH(QString, button);
        QFETCH(QString, screen);
        CardFixture f;
        f.click(button.toLatin1().constData());
        QCOMPARE(f.app.platform.modal.opened, QStringList{screen});
        // The card is still the screen the user works on, with nothing written.
        QVERIFY(f.card->isVisible());
        QVERIFY(!QFile::exists(ArchivePaths::members()) || readBytes(ArchivePaths::members()).isEmpty());
    }

    // Two members with equal rows: the one picked is the one shown, and saving it
    // overwrites that member only.
    void searchLoadsThePickedMemberForSaving()
    {
        CardFixture f;
        TSchedaSocio a = member(QStringLiteral("Neri Paolo"));
        a.Cittadinanza = QStringLiteral("A-1");
        TSchedaSocio b = a;
        b.Cittadinanza = QStringLiteral("B-2");
        writeArchive({a, member(QStringLiteral("Alfa Bruno")), b});
        const QByteArray first = storedBytes(1);
        f.app.platform.modal.handlers.append([](QDialog *d) {
            QCOMPARE(control<QLabel>(d, "lblMemory")->text(), QStringLiteral("anagrafica"));
            QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
            auto *list = control<QListWidget>(d, "lstRecords");
            QCOMPARE(list->count(), 3);
            MemberFixtures::doubleClickRow(list, 2); // the second Neri Paolo
        });
        f.click("btnTrova");
        QCOMPARE(f.position(), QStringLiteral("3"));
        QCOMPARE(f.field("txtCittadinanza")->text(), QStringLiteral("B-2"));
        f.field("txtNote")->setText(QStringLiteral("cambiata"));
        f.click("btnSalva");
        QCOMPARE(storedRecord(3).Note, QStringLiteral("cambiata"));
        QCOMPARE(storedBytes(1), first);
    }

    void expiringListLoadsTheMember()
    {
        CardFixture f;
        TSchedaSocio due = member(QStringLiteral("Verdi Anna"));
        due.DataSca = QStringLiteral("20/03/2024"); // five days after the scripted today
        due.Preavviso = QStringLiteral("10");
        writeArchive({member(QStringLiteral("Alfa Bruno")), due});
        f.app.platform.modal.handlers.append([](QDialog *d) {
            auto *list = control<QListWidget>(d, "lstRecords");
            QCOMPARE(list->count(), 1);
            MemberFixtures::doubleClickRow(list, 0);
        });
        f.click("btnScadenze");
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Verdi Anna"));
    }

    void attachmentsAreStoredWithTheNextSave()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Rossi Mario"))});
        f.click("cmdPrimo");
        const QString source = f.file(QStringLiteral("tessera.pdf"));
        {
            QFile pdf(source);
            QVERIFY(pdf.open(QIODevice::WriteOnly));
            pdf.write("%PDF-1.4 tessera");
        }
        f.app.platform.files.openAnswers << source;
        f.app.platform.modal.handlers.append([](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, "btnSfoglia01"), Qt::LeftButton);
            auto *desc = control<QLineEdit>(d, "txtDesc01");
            desc->setText(QStringLiteral("  Tessera 2024  "));
            QTest::mouseClick(control<QPushButton>(d, "btnApplica"), Qt::LeftButton);
        });
        f.click("btnAllegati");
        QCOMPARE(f.label("lblFile01")->text(), QStringLiteral("tessera.pdf"));
        QCOMPARE(storedRecord(1).File01, QString()); // nothing stored yet
        f.click("btnSalva");
        QCOMPARE(storedRecord(1).File01, QStringLiteral("tessera.pdf"));
        QCOMPARE(storedRecord(1).Desc01, QStringLiteral("Tessera 2024"));
        QCOMPARE(readBytes(ArchivePaths::attachments() + QStringLiteral("/tessera.pdf")), QByteArray("%PDF-1.4 tessera"));
        // The attachment window sees what the card holds next time.
        f.app.platform.modal.handlers.append([](QDialog *d) {
            QCOMPARE(control<QLineEdit>(d, "txtFile01")->text(), QStringLiteral("tessera.pdf"));
            QVERIFY(control<QPushButton>(d, "btnApri01")->isEnabled());
            QVERIFY(!control<QPushButton>(d, "btnApri02")->isEnabled());
        });
        f.click("btnAllegati");
    }

    void printoutTakesTheCardAndItsPhoto_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("preview");
        QTest::newRow("Stampa") << "btnStampa" << false;
        QTest::newRow("Anteprima") << "btnAnteprima" << true;
    }
    void printoutTakesTheCardAndItsPhoto()
    {
        QFETCH(QString, button);
        QFETCH(bool, preview);
        CardFixture f;
        writeArchive({member(QStringLiteral("Rossi Mario"))});
        QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
        f.click("cmdPrimo");
        f.field("txtDipendente")->setText(QStringLiteral("Rossi Mario Giovanni"));
        f.app.platform.modal.handlers.append([](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
        });
        f.click(button.toLatin1().constData());
        auto &jobs = f.app.platform.printer.jobs;
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].preview, preview);
        const PreparedPage &page = jobs[0].report.pages.first();
        // What is on the card now, typed but not saved, is what is printed.
        QCOMPARE(page.find(QStringLiteral("txtCampo01"))->lines.join(QString()), QStringLiteral("Rossi Mario Giovanni"));
        const PreparedItem *photo = page.find(QStringLiteral("imgFoto"));
        QVERIFY(photo);
        QVERIFY(isRedPhoto(photo->picture));
    }

    void exportShowsTheArchive()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Rossi Mario")), member(QStringLiteral("Bianchi Luca"))});
        int rows = -1;
        QString firstName;
        f.app.platform.modal.handlers.append([&](QDialog *d) {
            auto *grid = control<QTableWidget>(d, "grdRecords");
            rows = grid->rowCount();
            firstName = grid->item(0, 1)->text(); // column 0 numbers the rows
        });
        f.click("btnEsporta");
        QCOMPARE(rows, 2);
        QCOMPARE(firstName, QStringLiteral("Rossi Mario"));
    }
};

QTEST_MAIN(TestCardCommands)
#include "tst_card_commands.moc"
