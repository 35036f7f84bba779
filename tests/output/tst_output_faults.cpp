// Attached documents and exports in a folder where the disk fails or where
// someone planted links: the screens report the failure, the file already there
// stays byte for byte as it was, nothing is written through a link. A document
// whose name the card cannot keep whole is refused before anything is copied.
#include "support/FileFaults.h"
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "movements/ui/TfrmMovimenti.h"
#include "shell/ui/ScreenSet.h"
#include "output/ui/ExportProcedure.h"
#include "output/ui/TfrmAllegaCartella.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>

#include <optional>

using namespace FileFaults;

namespace {

enum class Fault { DiskFull, ReadOnlyFolder, LinkToAFile, DanglingLink };

const QString kCopyFailed = QStringLiteral("Attenzione: il sistema non permette di allegare il file.\r\n\r\n"
                                           "Accertarsi che la cartella Documenti_Allegati si possa creare e scrivere.");
const QString kNotStorable = QStringLiteral(
    "Attenzione: il nome del file contiene caratteri che la scheda non può memorizzare, per cui il file non è stato "
    "allegato.\r\n\r\nRinominare il file usando soltanto lettere, cifre e simboli presenti sulla tastiera, quindi "
    "selezionarlo di nuovo.");
const QString kTooLong = QStringLiteral(
    "Attenzione: il nome del file supera i 250 caratteri che la scheda può memorizzare, per cui il file non è stato "
    "allegato.\r\n\r\nRinominare il file con un nome più breve, quindi selezionarlo di nuovo.");

QString inAttachments(const QString &name) { return ArchivePaths::attachments() + QLatin1Char('/') + name; }

void addFaultRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("disk takes only part of the file") << Fault::DiskFull;
    QTest::newRow("folder the user may not write") << Fault::ReadOnlyFolder;
    QTest::newRow("link to another file in its place") << Fault::LinkToAFile;
    QTest::newRow("dangling link in its place") << Fault::DanglingLink;
}

// The same faults met by an export in each of its formats.
void addExportFaultRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("file");
    const struct
    {
        const char *name;
        Fault fault;
    } faults[] = {{"disk takes only part of the file", Fault::DiskFull},
                  {"folder the user may not write", Fault::ReadOnlyFolder},
                  {"link to another file in its place", Fault::LinkToAFile},
                  {"dangling link in its place", Fault::DanglingLink}};
    for (const auto &f : faults)
        for (const char *file : {"Soci.xls", "Soci.xlsx"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(file), QLatin1String(f.name))))
                << f.fault << QString::fromLatin1(file);
}

// Makes the fault at path, which held old; the victim is where a link points.
void plant(Fault fault, const QString &path, const QByteArray &old, const QString &victim)
{
    switch (fault) {
    case Fault::DiskFull:
    case Fault::ReadOnlyFolder:
        QVERIFY(writeBytes(path, old));
        break;
    case Fault::LinkToAFile:
        QVERIFY(writeBytes(victim, "documento di un altro programma"));
        QVERIFY(makeLink(victim, path));
        break;
    case Fault::DanglingLink:
        QVERIFY(makeLink(victim, path));
        break;
    }
}

// Clicks with the fault in force: a size limit for the disk, the unprivileged
// user for read-only folders (which are given back their rights afterwards).
// False when the fault cannot be produced here.
bool clickUnder(Fault fault, QWidget *button, const QStringList &readOnly)
{
    if (fault == Fault::DiskFull) {
        SizeLimit limit(1024);
        if (!limit.active())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    if (fault != Fault::ReadOnlyFolder) {
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    bool closed = true;
    for (const QString &folder : readOnly)
        closed = openFolderToAll(folder, false) && closed;
    const auto reopen = qScopeGuard([&] {
        for (const QString &folder : readOnly)
            openFolderToAll(folder, true);
    });
    AsUnprivileged user;
    if (!closed || !user.active())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

// What lands on disk: the old bytes where a file was, the link's target untouched.
void checkLeftAsItWas(Fault fault, const QString &path, const QByteArray &old, const QString &victim)
{
    switch (fault) {
    case Fault::DiskFull:
    case Fault::ReadOnlyFolder:
        QCOMPARE(readBytes(path), old);
        break;
    case Fault::LinkToAFile:
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(readBytes(victim), QByteArray("documento di un altro programma"));
        break;
    case Fault::DanglingLink:
        QVERIFY(QFileInfo(path).isSymLink());
        QVERIFY(!QFileInfo::exists(victim));
        break;
    }
}

} // namespace

class TestOutputFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nameTheCardCannotKeepIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty when the file is attached
        QTest::newRow("Cyrillic letters") << QStringLiteral("Счёт_è_€.pdf") << kNotStorable;
        QTest::newRow("a Chinese character") << QStringLiteral("fattura_发票.pdf") << kNotStorable;
        QTest::newRow("251 characters") << QString(247, QLatin1Char('f')) + QStringLiteral(".pdf") << kTooLong;
        QTest::newRow("250 characters") << QString(246, QLatin1Char('f')) + QStringLiteral(".pdf") << QString();
        QTest::newRow("accents and the euro sign") << QStringLiteral("ricevuta_più_€.pdf") << QString();
    }

    void nameTheCardCannotKeepIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestPlatform p;
        QTemporaryDir elsewhere;
        const QString picked = elsewhere.filePath(name);
        QVERIFY2(writeBytes(picked, "%PDF documento"), qPrintable(picked));
        TfrmAllegaCartella w;
        w.setCard(TfrmAllegaCartella::Card::Member);
        w.setSlot(1, QStringLiteral("vecchio.pdf"), QStringLiteral("Ricevuta"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        p.files.openAnswers = {picked};

        QTest::mouseClick(w.btnSfoglia[0], Qt::LeftButton);

        if (message.isEmpty()) {
            QVERIFY(p.messages.shown.isEmpty());
            QCOMPARE(w.txtFile[0]->text(), name);
            QCOMPARE(namesIn(ArchivePaths::attachments()), QStringList{name});
            QCOMPARE(readBytes(inAttachments(name)), QByteArray("%PDF documento"));
        } else {
            QCOMPARE(p.messages.shown.size(), 1);
            QCOMPARE(p.messages.shown[0].kind, MessageBoxes::Kind::Warning);
            QCOMPARE(p.messages.shown[0].text, message);
            QCOMPARE(w.txtFile[0]->text(), QStringLiteral("vecchio.pdf"));
            // Nothing was copied: the folder is not even made.
            QVERIFY(!QFileInfo::exists(ArchivePaths::attachments()));
        }
        QCOMPARE(w.txtDesc[0]->text(), QStringLiteral("Ricevuta"));
    }

    void refusedCopyLeavesTheFolderFile_data() { addFaultRows(); }

    void refusedCopyLeavesTheFolderFile()
    {
        QFETCH(Fault, fault);
        TestPlatform p;
        QTemporaryDir elsewhere;
        const QString picked = elsewhere.filePath(QStringLiteral("fattura.pdf"));
        QVERIFY(writeBytes(picked, QByteArray(5000, 'n')));
        const QString victim = elsewhere.filePath(QStringLiteral("altro.pdf"));
        const QString destination = inAttachments(QStringLiteral("fattura.pdf"));
        const QByteArray old(100, 'v');
        QVERIFY(QDir().mkpath(ArchivePaths::attachments()));
        plant(fault, destination, old, victim);
        if (QTest::currentTestFailed())
            return;
        const QStringList namesBefore = namesIn(ArchivePaths::attachments());

        TfrmAllegaCartella w;
        w.setCard(TfrmAllegaCartella::Card::Member);
        w.setSlot(1, QStringLiteral("vecchio.pdf"), QString());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        p.files.openAnswers = {picked};
        p.messages.answers = {MessageBoxes::Answer::Yes};

        if (!clickUnder(fault, w.btnSfoglia[0], {p.folder.dir.path(), ArchivePaths::attachments(), elsewhere.path()}))
            QSKIP("this fault cannot be produced here");

        QVERIFY(!p.messages.shown.isEmpty());
        QCOMPARE(p.messages.shown.last().kind, MessageBoxes::Kind::Warning);
        QCOMPARE(p.messages.shown.last().text, kCopyFailed);
        // The overwrite question is asked for a file only, never for a link.
        const bool fileThere = fault == Fault::DiskFull || fault == Fault::ReadOnlyFolder;
        QCOMPARE(p.messages.shown.size(), fileThere ? 2 : 1);
        QCOMPARE(w.txtFile[0]->text(), QStringLiteral("vecchio.pdf"));
        checkLeftAsItWas(fault, destination, old, victim);
        QCOMPARE(namesIn(ArchivePaths::attachments()), namesBefore);
    }

    // Documenti_Allegati is not a folder of the program's own: a link to a folder
    // elsewhere (empty, or holding a file of the picked name), a dangling link, a
    // file. Attaching from either card is refused with the attachments' message;
    // nothing is written or replaced anywhere, no overwrite question is asked,
    // and the card keeps its slot.
    void linkedAttachmentFolderIsRefused_data()
    {
        QTest::addColumn<bool>("memberCard");
        QTest::addColumn<QString>("inPlace"); // what stands where the folder should be
        QTest::newRow("member card, link to a folder") << true << "link";
        QTest::newRow("member card, link to a folder holding the name") << true << "link holding the name";
        QTest::newRow("movement card, link to a folder") << false << "link";
        QTest::newRow("movement card, link to a folder holding the name") << false << "link holding the name";
        QTest::newRow("movement card, dangling link") << false << "dangling link";
        QTest::newRow("member card, a file") << true << "file";
    }

    void linkedAttachmentFolderIsRefused()
    {
        QFETCH(bool, memberCard);
        QFETCH(QString, inPlace);
        TestApp app;
        QTemporaryDir elsewhere;
        const QString picked = elsewhere.filePath(QStringLiteral("fattura.pdf"));
        QVERIFY(writeBytes(picked, "%PDF nuova fattura"));
        QTemporaryDir outside;
        const QString target = outside.filePath(QStringLiteral("documenti"));
        const QString folder = ArchivePaths::attachments();
        if (inPlace == QLatin1String("file")) {
            QVERIFY(writeBytes(folder, "non una cartella"));
        } else {
            if (inPlace != QLatin1String("dangling link"))
                QVERIFY(QDir().mkpath(target));
            if (inPlace == QLatin1String("link holding the name"))
                QVERIFY(writeBytes(target + QStringLiteral("/fattura.pdf"), "%PDF fattura di un altro"));
            QVERIFY(makeLink(target, folder));
        }
        const QStringList outsideBefore = namesIn(outside.path());
        const QStringList targetBefore = namesIn(target);

        // The card shows a stored record that already has a document in slot 1.
        QWidget *card = nullptr;
        if (memberCard) {
            TSchedaSocio s;
            s.Dipendente = QStringLiteral("Rossi Mario");
            s.File01 = QStringLiteral("vecchio.pdf");
            app.screens->anagrafica()->loadRecord(1, s);
            card = app.screens->anagrafica();
        } else {
            TSchedaMovimento m;
            m.Causale = QStringLiteral("Quota sociale");
            m.File01 = QStringLiteral("vecchio.pdf");
            app.screens->movimenti()->showRecord(1, m);
            card = app.screens->movimenti();
        }
        app.platform.files.openAnswers = {picked};
        app.platform.modal.handlers.append([](QDialog *d) {
            auto *w = static_cast<TfrmAllegaCartella *>(d);
            QTest::mouseClick(w->btnSfoglia[0], Qt::LeftButton);
            QCOMPARE(w->txtFile[0]->text(), QStringLiteral("vecchio.pdf"));
            QTest::mouseClick(w->btnApplica, Qt::LeftButton);
        });
        QTest::mouseClick(control<QWidget>(card, memberCard ? "btnAllegati" : "cmdFile"), Qt::LeftButton);

        QCOMPARE(app.platform.modal.opened, QStringList{QStringLiteral("TfrmAllegaCartella")});
        QCOMPARE(app.platform.messages.shown.size(), 1);
        QCOMPARE(app.platform.messages.shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(app.platform.messages.shown[0].text, kCopyFailed);
        QCOMPARE(control<QLabel>(card, "lblFile01")->text(), QStringLiteral("vecchio.pdf"));
        // Nothing went through the link, nothing was made in its place.
        QCOMPARE(namesIn(outside.path()), outsideBefore);
        QCOMPARE(namesIn(target), targetBefore);
        if (inPlace == QLatin1String("link holding the name"))
            QCOMPARE(readBytes(target + QStringLiteral("/fattura.pdf")), QByteArray("%PDF fattura di un altro"));
        if (inPlace == QLatin1String("file"))
            QCOMPARE(readBytes(folder), QByteArray("non una cartella"));
        else
            QVERIFY(QFileInfo(folder).isSymLink());
    }

    // An archive the export window cannot read (a link, a file the user may not
    // open or may only read, a folder in its place) is told when the window
    // opens, and every export asked after is refused with the same message: the
    // previous export stays as it was and nothing claims success.
    void unreadableArchiveIsNotExported_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("fault");
        QTest::newRow("year file linked to another file") << "2024.eur" << "link";
        QTest::newRow("year file, dangling link") << "2024.eur" << "dangling link";
        QTest::newRow("year file the user may not read") << "2024.eur" << "unreadable";
        QTest::newRow("read-only year file") << "2024.eur" << "read-only";
        QTest::newRow("folder in place of the year file") << "2024.eur" << "folder";
        QTest::newRow("member archive linked to a file") << "Soci.pro" << "link";
        QTest::newRow("read-only member archive") << "Soci.pro" << "read-only";
    }

    void unreadableArchiveIsNotExported()
    {
        QFETCH(QString, archive);
        QFETCH(QString, fault);
        TestPlatform p;
        QTemporaryDir elsewhere;
        const bool members = archive == QLatin1String("Soci.pro");
        const QString path = p.file(archive);
        const QString exported = p.file(members ? QStringLiteral("Soci.xls") : QStringLiteral("Movimenti.xls"));
        const QByteArray old("<html>esportazione precedente</html>");
        QVERIFY(writeBytes(exported, old));
        // One whole record, wherever the fault puts the archive.
        const auto writeArchive = [&](const QString &where) {
            QByteArray record;
            if (members) {
                TSchedaSocio s;
                s.Dipendente = QStringLiteral("Rossi Mario");
                record = RecordCodec::encode(s);
            } else {
                TSchedaMovimento m;
                m.Causale = QStringLiteral("Quota sociale");
                m.Totale = QStringLiteral("+25,00");
                record = RecordCodec::encode(m);
            }
            QVERIFY(writeBytes(where, record));
        };
        const QString target = elsewhere.filePath(QStringLiteral("altro"));
        const bool asUser = fault == QLatin1String("unreadable") || fault == QLatin1String("read-only");
        if (fault == QLatin1String("link")) {
            writeArchive(target);
            QVERIFY(makeLink(target, path));
        } else if (fault == QLatin1String("dangling link")) {
            QVERIFY(makeLink(target, path));
        } else if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            writeArchive(path);
            QVERIFY(QFile::setPermissions(path, fault == QLatin1String("read-only")
                                                    ? QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                                                    : QFile::Permissions()));
            // Everything else is open to the user, so that only the archive stands in the way.
            QVERIFY(QFile::setPermissions(exported, QFile::Permissions(0x6666)));
            QVERIFY(openFolderToAll(p.folder.dir.path(), true));
        }
        const QByteArray targetBytes = readBytes(target);
        const QStringList namesBefore = namesIn(p.folder.dir.path());

        std::optional<AsUnprivileged> user;
        if (asUser) {
            user.emplace();
            if (!user->active())
                QSKIP("the unprivileged user cannot be taken on here");
        }
        std::unique_ptr<ExportScreen> w;
        if (members) {
            w = std::make_unique<TfrmExpAnagrafica>();
        } else {
            auto movements = std::make_unique<TfrmExpMovimenti>();
            movements->setYearFile(path);
            w = std::move(movements);
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(p.messages.shown.size(), 1);
        QTest::mouseClick(w->cmdEsporta, Qt::LeftButton);
        user.reset();

        QCOMPARE(p.messages.shown.size(), 2);
        for (const ShownMessage &m : p.messages.shown) {
            QCOMPARE(m.kind, MessageBoxes::Kind::Error);
            QCOMPARE(m.text, ExportScreen::unreadableText());
        }
        QCOMPARE(w->grdRecords->model()->rowCount(), 0);
        QVERIFY(w->isVisible());
        QVERIFY(p.shell.opened.isEmpty());
        QCOMPARE(readBytes(exported), old);
        QCOMPARE(namesIn(p.folder.dir.path()), namesBefore);
        QCOMPARE(readBytes(target), targetBytes);
        if (fault.contains(QLatin1String("link")))
            QVERIFY(QFileInfo(path).isSymLink());
    }

    void refusedExportKeepsTheOldFile_data() { addExportFaultRows(); }

    void refusedExportKeepsTheOldFile()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, file);
        TestPlatform p;
        QTemporaryDir elsewhere;
        {
            TSchedaSocio s;
            s.Dipendente = QStringLiteral("Rossi Mario");
            s.Note = QString(200, QLatin1Char('n'));
            RecordFile<TSchedaSocio> archive;
            QVERIFY(archive.open(ArchivePaths::members()));
            QVERIFY(archive.append(s));
        }
        const QString path = p.file(file);
        const QString victim = elsewhere.filePath(QStringLiteral("altro.xls"));
        const QByteArray old("<html>esportazione precedente</html>");
        plant(fault, path, old, victim);
        if (QTest::currentTestFailed())
            return;
        const QStringList namesBefore = namesIn(p.folder.dir.path());

        TfrmExpAnagrafica w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        (file.endsWith(QLatin1Char('x')) ? w.optXlsx : w.optXls)->setChecked(true);
        if (!clickUnder(fault, control<PictureButton>(&w, "cmdEsporta"), {p.folder.dir.path()}))
            QSKIP("this fault cannot be produced here");

        QCOMPARE(p.messages.shown.size(), 2);
        QCOMPARE(p.messages.shown[0].text, ExportProcedure::askText());
        QCOMPARE(p.messages.shown[1].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(p.messages.shown[1].text, ExportProcedure::failureText());
        QVERIFY(p.shell.opened.isEmpty());
        QVERIFY(w.isVisible());
        checkLeftAsItWas(fault, path, old, victim);
        QCOMPARE(namesIn(p.folder.dir.path()), namesBefore);
    }
};

QTEST_MAIN(TestOutputFaults)
#include "tst_output_faults.moc"
