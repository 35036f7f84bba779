// The member card, its photo and the member scans in a folder where the disk
// fails or where someone planted links, FIFOs and a sparse archive of absurd
// size. The card never writes through a link and never hangs on a FIFO, a photo
// the disk refuses leaves the old photo file as it was, and a scan over an
// absurd archive ends at once with the screen's access message.
#include "CardFixture.h"
#include "support/FileFaults.h"
#include "support/ShownRows.h"

#include "common/ui/Art.h"
#include "common/ui/Screens.h"
#include "members/MemberCardRules.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "members/ui/TfrmScadute.h"
#include "members/ui/TfrmSospesi.h"
#include "members/ui/TfrmTrovaAnagrafica.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>

using namespace FileFaults;

namespace {

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");

enum class PhotoFault { DiskFull, LinkToAFile, DanglingLink };
enum class Scan { Search, Expiring, Expired, ExportGrid };


} // namespace

class TestMemberFileFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusedPhotoKeepsTheOldOne_data()
    {
        QTest::addColumn<PhotoFault>("fault");
        QTest::newRow("disk takes only part of the photo") << PhotoFault::DiskFull;
        QTest::newRow("photo file is a link to another file") << PhotoFault::LinkToAFile;
        QTest::newRow("photo file is a dangling link") << PhotoFault::DanglingLink;
    }

    void refusedPhotoKeepsTheOldOne()
    {
        QFETCH(PhotoFault, fault);
        CardFixture f;
        QTemporaryDir elsewhere;
        writeArchive({member(QStringLiteral("Bianchi Luca"))});
        const QString photo = ArchivePaths::photo(1);
        const QString victim = elsewhere.filePath(QStringLiteral("ritratto.jpg"));
        switch (fault) {
        case PhotoFault::DiskFull:
            QVERIFY(PhotoFiles::writeJpeg(redPhoto(), photo));
            break;
        case PhotoFault::LinkToAFile:
            QVERIFY(writeBytes(victim, "foto di un altro programma"));
            QVERIFY(makeLink(victim, photo));
            break;
        case PhotoFault::DanglingLink:
            QVERIFY(makeLink(victim, photo));
            break;
        }
        const QByteArray photoBefore = readBytes(photo);
        const QByteArray victimBefore = readBytes(victim);
        const QStringList namesBefore = namesIn(f.app.platform.folder.dir.path());

        f.click("cmdPrimo");
        QCOMPARE(f.position(), QStringLiteral("1"));
        // Larger than the room the disk has left, smaller than what a buffered
        // save holds back until its end.
        const QImage fresh = FileFaults::noisyPhoto(3 * TSchedaSocio::Size);
        QVERIFY(PhotoFiles::writeJpeg(fresh, elsewhere.filePath(QStringLiteral("nuova.jpg"))));
        f.app.platform.files.openAnswers << elsewhere.filePath(QStringLiteral("nuova.jpg"));
        f.click("btnCaricaFoto");
        const QImage shown = f.card->photo();
        QCOMPARE(shown.size(), fresh.size());
        f.messages().clear();
        if (fault == PhotoFault::DiskFull) {
            // Room for the record, which is overwritten in place, not for the photo.
            SizeLimit limit(2 * TSchedaSocio::Size);
            QVERIFY(limit.active());
            f.click("btnSalva");
        } else {
            f.click("btnSalva");
        }

        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(f.messages().shown[0].text, MemberCardRules::photoNotSaved());
        // The record itself was saved.
        QCOMPARE(QFileInfo(ArchivePaths::members()).size(), qint64(TSchedaSocio::Size));
        QCOMPARE(storedRecord(1).Dipendente, QStringLiteral("Bianchi Luca"));
        QCOMPARE(readBytes(photo), photoBefore);
        QCOMPARE(readBytes(victim), victimBefore);
        QCOMPARE(QFileInfo::exists(victim), fault == PhotoFault::LinkToAFile);
        QCOMPARE(QFileInfo(photo).isSymLink(), fault != PhotoFault::DiskFull);
        QCOMPARE(namesIn(f.app.platform.folder.dir.path()), namesBefore);
        // The photo stays on the card, so the user can save again.
        QCOMPARE(f.card->photo(), shown);
    }

    // A FIFO named as a member's photo would hold the card for good when the
    // member is shown: the card shows the placeholder instead.
    void fifoPhotoShowsThePlaceholder()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Bianchi Luca")), member(QStringLiteral("Verdi Anna"))});
        QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
        QVERIFY(makeFifo(ArchivePaths::photo(2)));
        f.click("cmdPrimo");
        QVERIFY(isRedPhoto(f.card->photo()));
        f.click("cmdAvanti");
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Verdi Anna"));
        QCOMPARE(f.card->photo(), Art::photoPlaceholder());
        QVERIFY(f.messages().shown.isEmpty());
    }

    // A link named as the archive is an archive the card cannot use: its access
    // message, and neither the link's target written nor a missing one created.
    void archiveBehindALinkCannotBeUsed_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("link to another file") << false;
        QTest::newRow("dangling link") << true;
    }

    void archiveBehindALinkCannotBeUsed()
    {
        QFETCH(bool, dangling);
        CardFixture f;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("altro.dat"));
        const QByteArray targetBytes(2 * TSchedaSocio::Size, 'v');
        if (!dangling)
            QVERIFY(writeBytes(target, targetBytes));
        QVERIFY(makeLink(target, ArchivePaths::members()));

        f.click("cmdPrimo");
        QCOMPARE(f.messages().lastText(), kAccess);
        f.field("txtDipendente")->setText(QStringLiteral("Rossi Mario"));
        f.field("txtStipendio")->setText(QStringLiteral("25,00"));
        f.field("txtDataSca")->setText(QStringLiteral("31/12/2024"));
        f.field("txtPreavviso")->setText(QStringLiteral("10"));
        f.messages().clear();
        f.click("btnSalva");
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown[0].text, kAccess);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));

        QVERIFY(QFileInfo(ArchivePaths::members()).isSymLink());
        QCOMPARE(QFileInfo::exists(target), !dangling);
        QCOMPARE(readBytes(target), dangling ? QByteArray() : targetBytes);
        QVERIFY(!QFileInfo::exists(ArchivePaths::photo(1)));
    }

    // A sparse archive of a terabyte: over four hundred million records of
    // nothing. Each scan ends at once with its screen's access message.
    void absurdArchiveEndsTheScan_data()
    {
        QTest::addColumn<Scan>("scan");
        QTest::newRow("member search") << Scan::Search;
        QTest::newRow("expiring subscriptions") << Scan::Expiring;
        QTest::newRow("expired subscriptions") << Scan::Expired;
        QTest::newRow("export grid") << Scan::ExportGrid;
    }

    void absurdArchiveEndsTheScan()
    {
        QFETCH(Scan, scan);
        TestApp app;
        if (!makeSparse(ArchivePaths::members(), qint64(1) << 40))
            QSKIP("the file system here cannot hold a sparse file of a terabyte");
        int rows = -1;
        app.platform.modal.handlers.append([&](QDialog *d) {
            if (scan == Scan::Search)
                QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
            rows = scan == Scan::ExportGrid ? control<QTableView>(d, "grdRecords")->model()->rowCount()
                                            : ShownRows::count(control<QListView>(d, "lstRecords"));
        });
        switch (scan) {
        case Scan::Search:
            openDialog<TfrmTrovaAnagrafica>(app.screens->anagrafica());
            break;
        case Scan::Expiring:
            openDialog<TfrmSospesi>(app.screens->anagrafica());
            break;
        case Scan::Expired:
            openDialog<TfrmScadute>(app.screens->anagrafica());
            break;
        case Scan::ExportGrid: {
            TfrmExpAnagrafica w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            rows = control<QTableView>(&w, "grdRecords")->model()->rowCount();
            break;
        }
        }
        QCOMPARE(rows, 0);
        QCOMPARE(app.platform.messages.shown.size(), 1);
        const QString text = app.platform.messages.lastText();
        QVERIFY2(text.startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio")),
                 qPrintable(text));
        QCOMPARE(QFileInfo(ArchivePaths::members()).size(), qint64(1) << 40);
    }
};

QTEST_MAIN(TestMemberFileFaults)
#include "tst_member_file_faults.moc"
