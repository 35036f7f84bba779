// The member card's commands open their screens and the screens work on the card
// the user sees: the search and the lists load a member, the attachments are
// stored with the next save, the printouts take the card's data and photo.
#include "CardFixture.h"
#include "MemberFixtures.h"

#include "common/ui/Art.h"
#include "output/ui/PrinterOutput.h"
#include "support/RecordingPrinter.h"
#include "support/ShownRows.h"

#include <QCalendarWidget>
#include <QDir>
#include <QDirIterator>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

// One dialog the card opens: how the user opens it from the card, how the user
// hands a value back through it, what the card shows afterwards, and how the
// user leaves it without handing anything back.
struct DialogCase
{
    std::function<void(CardFixture &)> open;
    std::function<void(QDialog *)> accept;
    std::function<void(CardFixture &)> arrived;
    std::function<void(QDialog *)> cancel;
};

void press(QDialog *d, const char *name) { QTest::mouseClick(control<QWidget>(d, name), Qt::LeftButton); }

// Double-clicks the row of the list that starts with the name.
void pickRow(QDialog *d, const QString &name)
{
    auto *list = control<QListView>(d, "lstRecords");
    for (int i = 0; i < ShownRows::count(list); ++i) {
        if (ShownRows::text(list, i).startsWith(name)) {
            MemberFixtures::doubleClickRow(list, i);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no row for ") + name));
}

QImage bluePhoto()
{
    QImage img(32, 24, QImage::Format_RGB32);
    img.fill(Qt::blue);
    return img;
}

// What the card shows and what lies in the program's folder.
struct Snapshot
{
    TSchedaSocio record;
    QString position;
    QImage photo;
    QByteArray archive;
    QStringList files;

    static Snapshot of(CardFixture &f)
    {
        QStringList files;
        QDirIterator it(f.file(QString()), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next() + QLatin1Char(' ') + QString::number(QFileInfo(it.filePath()).size());
        files.sort();
        return {f.card->recordFromCard(), f.position(), f.card->photo(), readBytes(ArchivePaths::members()), files};
    }
};

} // namespace

Q_DECLARE_METATYPE(DialogCase)

class TestCardCommands : public QObject
{
    Q_OBJECT

    // The card shows Rossi Mario (position 1, a red photo); Verdi Anna (position
    // 2, a blue photo) has an expired subscription, so every list offers her.
    static void showRossi(CardFixture &f)
    {
        TSchedaSocio verdi = member(QStringLiteral("Verdi Anna"));
        verdi.DataSca = QStringLiteral("01/03/2024");
        writeArchive({member(QStringLiteral("Rossi Mario")), verdi});
        QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
        QVERIFY(PhotoFiles::writeJpeg(bluePhoto(), ArchivePaths::photo(2)));
        f.click("cmdPrimo");
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
    }

    static void dialogCases()
    {
        QTest::addColumn<DialogCase>("dialog");
        const auto verdiArrived = [](CardFixture &f) {
            QCOMPARE(f.position(), QStringLiteral("2"));
            QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Verdi Anna"));
            QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("01/03/2024"));
            const QColor c = f.card->photo().pixelColor(16, 12);
            QVERIFY(c.blue() > 200 && c.red() < 60);
        };
        const auto openBy = [](const char *button) { return [button](CardFixture &f) { f.click(button); }; };
        QTest::newRow("date picker: the day into the expiry date")
            << DialogCase{[](CardFixture &f) {
                              f.field("txtDataSca")->setFocus(Qt::MouseFocusReason);
                              QTest::keyClick(f.field("txtDataSca"), Qt::Key_1);
                          },
                          [](QDialog *d) {
                              control<QCalendarWidget>(d, "calAppuntamenti")->setSelectedDate(QDate(2025, 12, 1));
                              press(d, "btnImportaData");
                          },
                          [](CardFixture &f) {
                              QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("01/12/2025"));
                              QCOMPARE(f.position(), QStringLiteral("1"));
                              QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
                          },
                          [](QDialog *d) { press(d, "btnAnnulla"); }};
        QTest::newRow("member search: the member onto the card")
            << DialogCase{openBy("btnTrova"),
                          [](QDialog *d) {
                              press(d, "btnCerca");
                              pickRow(d, QStringLiteral("Verdi Anna"));
                          },
                          verdiArrived,
                          [](QDialog *d) {
                              press(d, "btnCerca");
                              press(d, "btnChiudi");
                          }};
        QTest::newRow("expiring list: the member onto the card")
            << DialogCase{openBy("btnScadenze"), [](QDialog *d) { pickRow(d, QStringLiteral("Verdi Anna")); },
                          verdiArrived, [](QDialog *d) { press(d, "btnChiudi"); }};
        QTest::newRow("expired list: the member onto the card")
            << DialogCase{openBy("btnScaduti"), [](QDialog *d) { pickRow(d, QStringLiteral("Verdi Anna")); },
                          verdiArrived, [](QDialog *d) { press(d, "btnChiudi"); }};
        QTest::newRow("webcam: the picture into the photo")
            << DialogCase{openBy("btnAcquisisciFoto"), [](QDialog *d) { press(d, "btnImportaFoto"); },
                          [](CardFixture &f) {
                              // Without a capture the camera drawing is what is imported.
                              QCOMPARE(f.card->photo().convertToFormat(QImage::Format_RGB32),
                                       Art::pixmap(QStringLiteral("camera_shot"), {366, 274})
                                           .toImage()
                                           .convertToFormat(QImage::Format_RGB32));
                              QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
                          },
                          [](QDialog *d) { press(d, "btnClose"); }};
        QTest::newRow("attachments: the names into the card's record")
            << DialogCase{openBy("btnAllegati"),
                          [](QDialog *d) {
                              typeText(control<QLineEdit>(d, "txtDesc02"), QStringLiteral("Delibera"));
                              press(d, "btnApplica");
                          },
                          [](CardFixture &f) {
                              QCOMPARE(f.label("lblDesc02")->text(), QStringLiteral("Delibera"));
                              // Stored with the card's next save, and only then.
                              QCOMPARE(storedRecord(1).Desc02, QString());
                              f.click("btnSalva");
                              QCOMPARE(storedRecord(1).Desc02, QStringLiteral("Delibera"));
                              QCOMPARE(storedRecord(1).Dipendente, QStringLiteral("Rossi Mario"));
                          },
                          [](QDialog *d) {
                              typeText(control<QLineEdit>(d, "txtDesc02"), QStringLiteral("Delibera"));
                              press(d, "btnAnnulla");
                          }};
    }

private Q_SLOTS:
    void dialogHandsItsValueToTheCard_data() { dialogCases(); }
    void dialogHandsItsValueToTheCard()
    {
        QFETCH(DialogCase, dialog);
        CardFixture f;
        showRossi(f);
        f.app.platform.modal.handlers.append(dialog.accept);
        dialog.open(f);
        QCOMPARE(f.app.platform.modal.opened.size(), 1);
        dialog.arrived(f);
    }

    // Left without a value, a dialog changes nothing on the card and writes
    // nothing; the card then saves exactly what it showed before.
    void cancelledDialogChangesNothing_data() { dialogCases(); }
    void cancelledDialogChangesNothing()
    {
        QFETCH(DialogCase, dialog);
        CardFixture f;
        showRossi(f);
        f.messages().clear();
        const Snapshot before = Snapshot::of(f);
        f.app.platform.modal.handlers.append(dialog.cancel);
        dialog.open(f);
        QCOMPARE(f.app.platform.modal.opened.size(), 1);
        const Snapshot after = Snapshot::of(f);
        QCOMPARE(after.record, before.record);
        QCOMPARE(after.position, before.position);
        QCOMPARE(after.photo, before.photo);
        QCOMPARE(after.archive, before.archive);
        QCOMPARE(after.files, before.files);
        QVERIFY(f.messages().shown.isEmpty());
        const QByteArray stored = storedBytes(1);
        f.click("btnSalva");
        QCOMPARE(storedBytes(1), stored);
    }

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
            auto *list = control<QListView>(d, "lstRecords");
            QCOMPARE(ShownRows::count(list), 3);
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
            auto *list = control<QListView>(d, "lstRecords");
            QCOMPARE(ShownRows::count(list), 1);
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
            auto *grid = control<QTableView>(d, "grdRecords");
            rows = grid->model()->rowCount();
            firstName = grid->model()->index(0, 1).data().toString(); // column 0 numbers the rows
        });
        f.click("btnEsporta");
        QCOMPARE(rows, 2);
        QCOMPARE(firstName, QStringLiteral("Rossi Mario"));
    }
};

QTEST_MAIN(TestCardCommands)
#include "tst_card_commands.moc"
