// Attached documents and exports in a folder where the disk fails or where
// someone planted links: the screens report the failure, the file already there
// stays byte for byte as it was, nothing is written through a link. A document
// whose name the card cannot keep whole is refused before anything is copied.
#include "support/FileFaults.h"
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "output/ui/ExportProcedure.h"
#include "output/ui/TfrmAllegaCartella.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

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
