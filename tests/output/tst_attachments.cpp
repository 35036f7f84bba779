#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "members/ui/TfrmAnagrafica.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "shell/ui/ScreenSet.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(TfrmAllegaCartella::Card)

namespace {

const QString kOverwrite = QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                                          "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString inFolder(const QString &name) { return ArchivePaths::attachments() + QLatin1Char('/') + name; }

FieldEdit *edit(QWidget *w, const char *name) { return control<FieldEdit>(w, name); }
QPushButton *button(QWidget *w, const char *name) { return control<QPushButton>(w, name); }

} // namespace

class TestAttachments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layoutOfTheWindow();
    void pickingCopiesIntoTheFolder();
    void sameNameAsksBeforeOverwriting_data();
    void sameNameAsksBeforeOverwriting();
    void pickingAFileAlreadyInTheFolderKeepsIt_data();
    void pickingAFileAlreadyInTheFolderKeepsIt();
    void cancellingTheDialogChangesNothing();
    void failingCopyTellsAndKeepsTheSlot_data();
    void failingCopyTellsAndKeepsTheSlot();
    void eraserClearsOnlyTheName();
    void apriEnabledExactlyWhenANameIsPresent_data();
    void apriEnabledExactlyWhenANameIsPresent();
    void apriOpensTheFileInTheFolder();
    void storedNameOutsideTheFolderIsNotOpened_data();
    void storedNameOutsideTheFolderIsNotOpened();
    void applyHandsBackToTheCard_data();
    void applyHandsBackToTheCard();
    void annullaAfterPickingLeavesTheCard();

private:
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<TfrmAllegaCartella> m_window;
    QTemporaryDir m_elsewhere;

    TestPlatform &p() { return *m_platform; }
    TfrmAllegaCartella *w() { return m_window.get(); }
    // A file to pick, outside the program's folder.
    QString outside(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_elsewhere.path() + QLatin1Char('/') + name;
        writeFile(path, bytes);
        return path;
    }
};

void TestAttachments::init()
{
    m_platform = std::make_unique<TestPlatform>();
    m_window = std::make_unique<TfrmAllegaCartella>();
    m_window->setCard(TfrmAllegaCartella::Card::Member);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAttachments::cleanup()
{
    m_window.reset();
    m_platform.reset();
}

void TestAttachments::layoutOfTheWindow()
{
    QCOMPARE(w()->windowTitle(), QStringLiteral(" Allega file"));
    QCOMPARE(w()->size(), QSize(634, 534));
    for (const char *name : {"btnApri01", "btnApri02", "btnApri03"})
        QVERIFY(!button(w(), name)->isEnabled());
    QVERIFY(edit(w(), "txtFile02")->isReadOnly());
    QCOMPARE(button(w(), "btnApplica")->text(), QStringLiteral("Applica e chiudi"));
    QCOMPARE(control<QLabel>(w(), "lblCampo04")->text(), QStringLiteral("Descrizione 2° file allegato:"));
    QCOMPARE(control<QLabel>(w(), "lblMemory")->text(), QStringLiteral("anagrafica"));
    QVERIFY(control<PictureButton>(w(), "imgCancella03"));

    // Tab order: name, "Sfoglia...", "Apri", description of each slot, then the two buttons.
    for (int i = 0; i < 3; ++i)
        w()->btnApri[i]->setEnabled(true);
    const QList<QWidget *> order = {w()->txtFile[0], w()->btnSfoglia[0], w()->btnApri[0], w()->txtDesc[0],
                                    w()->txtFile[1], w()->btnSfoglia[1], w()->btnApri[1], w()->txtDesc[1],
                                    w()->txtFile[2], w()->btnSfoglia[2], w()->btnApri[2], w()->txtDesc[2],
                                    w()->btnApplica, w()->btnAnnulla};
    // The next control Tab reaches: the next one in the chain that takes focus from Tab.
    const auto nextTabStop = [](QWidget *from) {
        QWidget *n = from->nextInFocusChain();
        while (n != from && !((n->focusPolicy() & Qt::TabFocus) && n->isVisible() && n->isEnabled()))
            n = n->nextInFocusChain();
        return n;
    };
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(nextTabStop(order[i]), order[i + 1]);
}

void TestAttachments::pickingCopiesIntoTheFolder()
{
    QVERIFY(!QFileInfo::exists(ArchivePaths::attachments()));
    p().files.openAnswers = {outside(QStringLiteral("fattura.pdf"), "%PDF fattura 1")};
    QTest::mouseClick(button(w(), "btnSfoglia01"), Qt::LeftButton);

    QCOMPARE(p().files.titles, QStringList{QStringLiteral("Selezionare il file da allegare:")});
    QCOMPARE(edit(w(), "txtFile01")->text(), QStringLiteral("fattura.pdf"));
    QCOMPARE(readBytes(inFolder(QStringLiteral("fattura.pdf"))), QByteArray("%PDF fattura 1"));
    QVERIFY(button(w(), "btnApri01")->isEnabled());
    QVERIFY(!button(w(), "btnApri02")->isEnabled());
    QVERIFY(p().messages.shown.isEmpty());
}

void TestAttachments::sameNameAsksBeforeOverwriting_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("inFolderAfter");
    QTest::newRow("yes replaces") << int(MessageBoxes::Answer::Yes) << QByteArray("nuova");
    QTest::newRow("no keeps") << int(MessageBoxes::Answer::No) << QByteArray("vecchia");
}

void TestAttachments::sameNameAsksBeforeOverwriting()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, inFolderAfter);
    QVERIFY(QDir().mkpath(ArchivePaths::attachments()));
    writeFile(inFolder(QStringLiteral("fattura.pdf")), "vecchia");
    p().files.openAnswers = {outside(QStringLiteral("fattura.pdf"), "nuova")};
    p().messages.answers = {MessageBoxes::Answer(answer)};

    QTest::mouseClick(button(w(), "btnSfoglia02"), Qt::LeftButton);

    QCOMPARE(p().messages.shown.size(), 1);
    QCOMPARE(p().messages.shown[0].kind, MessageBoxes::Kind::Question);
    QCOMPARE(p().messages.shown[0].text, kOverwrite);
    QCOMPARE(readBytes(inFolder(QStringLiteral("fattura.pdf"))), inFolderAfter);
    QCOMPARE(edit(w(), "txtFile02")->text(), QStringLiteral("fattura.pdf"));
    QVERIFY(button(w(), "btnApri02")->isEnabled());
}

void TestAttachments::pickingAFileAlreadyInTheFolderKeepsIt_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(MessageBoxes::Answer::Yes);
    QTest::newRow("no") << int(MessageBoxes::Answer::No);
}

void TestAttachments::pickingAFileAlreadyInTheFolderKeepsIt()
{
    QFETCH(int, answer);
    QVERIFY(QDir().mkpath(ArchivePaths::attachments()));
    writeFile(inFolder(QStringLiteral("statuto.doc")), "statuto");
    p().files.openAnswers = {inFolder(QStringLiteral("statuto.doc"))};
    p().messages.answers = {MessageBoxes::Answer(answer)};

    QTest::mouseClick(button(w(), "btnSfoglia03"), Qt::LeftButton);

    QCOMPARE(p().messages.shown.size(), 1);
    QCOMPARE(p().messages.shown[0].text, kOverwrite);
    QCOMPARE(readBytes(inFolder(QStringLiteral("statuto.doc"))), QByteArray("statuto"));
    QCOMPARE(edit(w(), "txtFile03")->text(), QStringLiteral("statuto.doc"));
}

void TestAttachments::cancellingTheDialogChangesNothing()
{
    w()->setSlot(1, QStringLiteral("vecchio.pdf"), QStringLiteral("Ricevuta"));
    p().files.openAnswers = {QString()};
    QTest::mouseClick(button(w(), "btnSfoglia01"), Qt::LeftButton);
    QCOMPARE(p().files.titles.size(), 1);
    QCOMPARE(edit(w(), "txtFile01")->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(edit(w(), "txtDesc01")->text(), QStringLiteral("Ricevuta"));
    QVERIFY(!QFileInfo::exists(ArchivePaths::attachments()));
    QVERIFY(p().messages.shown.isEmpty());
}

void TestAttachments::failingCopyTellsAndKeepsTheSlot_data()
{
    QTest::addColumn<QString>("obstacle");
    // A file where the folder should be: the folder cannot be created.
    QTest::newRow("folder cannot be created") << "folder";
    // A folder of the chosen name inside the attachment folder: the copy is refused.
    QTest::newRow("copy refused") << "target";
}

void TestAttachments::failingCopyTellsAndKeepsTheSlot()
{
    QFETCH(QString, obstacle);
    if (obstacle == QLatin1String("folder")) {
        writeFile(ArchivePaths::attachments(), "non una cartella");
    } else {
        QVERIFY(QDir().mkpath(inFolder(QStringLiteral("fattura.pdf"))));
    }
    w()->setSlot(1, QStringLiteral("vecchio.pdf"), QStringLiteral("Ricevuta"));
    p().files.openAnswers = {outside(QStringLiteral("fattura.pdf"), "nuova")};

    QTest::mouseClick(button(w(), "btnSfoglia01"), Qt::LeftButton);

    QVERIFY(!p().messages.shown.isEmpty());
    QCOMPARE(p().messages.shown.last().kind, MessageBoxes::Kind::Warning);
    QCOMPARE(p().messages.shown.last().text,
             QStringLiteral("Attenzione: il sistema non permette di allegare il file.\r\n\r\n"
                            "Accertarsi che la cartella Documenti_Allegati si possa creare e scrivere."));
    QCOMPARE(edit(w(), "txtFile01")->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(edit(w(), "txtDesc01")->text(), QStringLiteral("Ricevuta"));
}

void TestAttachments::eraserClearsOnlyTheName()
{
    QVERIFY(QDir().mkpath(ArchivePaths::attachments()));
    writeFile(inFolder(QStringLiteral("verbale.pdf")), "verbale");
    w()->setSlot(2, QStringLiteral("verbale.pdf"), QStringLiteral("Verbale assemblea"));
    QVERIFY(button(w(), "btnApri02")->isEnabled());

    QTest::mouseClick(control<PictureButton>(w(), "imgCancella02"), Qt::LeftButton);

    QCOMPARE(edit(w(), "txtFile02")->text(), QString());
    QVERIFY(!button(w(), "btnApri02")->isEnabled());
    QCOMPARE(edit(w(), "txtDesc02")->text(), QStringLiteral("Verbale assemblea"));
    QCOMPARE(readBytes(inFolder(QStringLiteral("verbale.pdf"))), QByteArray("verbale"));
}

void TestAttachments::apriEnabledExactlyWhenANameIsPresent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("a name") << "a.pdf" << true;
    QTest::newRow("a name with blanks") << "  a.pdf  " << true;
}

void TestAttachments::apriEnabledExactlyWhenANameIsPresent()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    w()->setSlot(3, name, QString());
    QCOMPARE(button(w(), "btnApri03")->isEnabled(), enabled);
    QCOMPARE(edit(w(), "txtFile03")->text(), name.trimmed());
}

void TestAttachments::apriOpensTheFileInTheFolder()
{
    w()->setSlot(1, QStringLiteral("  nota spese.txt "), QString());
    QTest::mouseClick(button(w(), "btnApri01"), Qt::LeftButton);
    QCOMPARE(p().shell.opened.size(), 1);
    QCOMPARE(p().shell.opened[0], QUrl::fromLocalFile(inFolder(QStringLiteral("nota spese.txt"))));
    // A missing file is the desktop's business: the program says nothing.
    QVERIFY(p().messages.shown.isEmpty());
}

void TestAttachments::storedNameOutsideTheFolderIsNotOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../Soci.pro";
    QTest::newRow("parent folder, backslash") << "..\\Soci.pro";
    QTest::newRow("absolute path") << "/etc/passwd";
    QTest::newRow("subfolder") << "altro/fattura.pdf";
    QTest::newRow("parent itself") << "..";
    QTest::newRow("drive") << "C:fattura.pdf";
}

void TestAttachments::storedNameOutsideTheFolderIsNotOpened()
{
    QFETCH(QString, name);
    w()->setSlot(2, name, QString());
    QVERIFY(button(w(), "btnApri02")->isEnabled());
    QTest::mouseClick(button(w(), "btnApri02"), Qt::LeftButton);
    QVERIFY(p().shell.opened.isEmpty());
    QCOMPARE(p().messages.shown.size(), 1);
    QCOMPARE(p().messages.shown[0].kind, MessageBoxes::Kind::Warning);
    QVERIFY(p().messages.shown[0].text.startsWith(QStringLiteral("Attenzione: il nome del file allegato non è valido.")));
}

void TestAttachments::applyHandsBackToTheCard_data()
{
    QTest::addColumn<TfrmAllegaCartella::Card>("card");
    QTest::addColumn<QString>("mode");
    QTest::newRow("member card") << TfrmAllegaCartella::Card::Member << "anagrafica";
    QTest::newRow("movement card") << TfrmAllegaCartella::Card::Movement << "movimenti";
}

// "Applica e chiudi" hands the three slots, trimmed, back to the card that
// opened the window, and to no other.
void TestAttachments::applyHandsBackToTheCard()
{
    QFETCH(TfrmAllegaCartella::Card, card);
    QFETCH(QString, mode);
    m_window.reset();
    m_platform.reset();
    TestApp app;
    TfrmAnagrafica *memberCard = app.screens->anagrafica();
    TSchedaSocio stored;
    stored.Dipendente = QStringLiteral("Rossi Mario");
    stored.File01 = QStringLiteral(" contratto.pdf ");
    stored.Desc01 = QStringLiteral("  Contratto firmato ");
    stored.File02 = QStringLiteral("tessera.jpg");
    stored.Desc02 = QStringLiteral("Tessera");
    stored.Desc03 = QStringLiteral(" Solo descrizione");
    const QStringList names = {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"};
    const auto cardLabels = [&] {
        QStringList out;
        for (const QString &n : names)
            out << memberCard->findChild<QLabel *>(n)->text();
        return out;
    };
    const QString picked = m_elsewhere.path() + QStringLiteral("/ricevuta.pdf");
    writeFile(picked, "ricevuta");
    app.platform.files.openAnswers = {picked};

    QStringList seenAtOpening;
    QString seenMode;
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *win = static_cast<TfrmAllegaCartella *>(d);
        seenMode = control<QLabel>(win, "lblMemory")->text();
        for (int i = 0; i < 3; ++i)
            seenAtOpening << win->txtFile[i]->text() << win->txtDesc[i]->text();
        QTest::mouseClick(win->btnSfoglia[2], Qt::LeftButton);
        win->txtDesc[2]->clear();
        QTest::keyClicks(win->txtDesc[2], QStringLiteral("  Ricevuta quota 2024  "));
        QTest::mouseClick(win->imgCancella[1], Qt::LeftButton);
        QTest::mouseClick(win->btnApplica, Qt::LeftButton);
        QVERIFY(!win->isVisible());
    });

    const QStringList after = {"contratto.pdf", "Contratto firmato", "", "Tessera", "ricevuta.pdf",
                               "Ricevuta quota 2024"};
    if (card == TfrmAllegaCartella::Card::Member) {
        memberCard->loadRecord(1, stored);
        QTest::mouseClick(control<QWidget>(memberCard, "btnAllegati"), Qt::LeftButton);
        QCOMPARE(cardLabels(), after);
    } else {
        // The member card shows a member of its own, which must stay as it is.
        TSchedaSocio other;
        other.File01 = other.Desc01 = other.File02 = other.Desc02 = other.File03 = other.Desc03 =
            QStringLiteral("altra scheda");
        memberCard->loadRecord(1, other);
        QWidget movementCard;
        const auto applied = TfrmAllegaCartella::edit(&movementCard, card, Attachments::of(stored));
        QVERIFY(applied);
        QStringList handedBack;
        for (const Attachment &a : applied->items)
            handedBack << a.file << a.description;
        QCOMPARE(handedBack, after);
        QCOMPARE(cardLabels(), QStringList(6, QStringLiteral("altra scheda")));
    }

    QCOMPARE(app.platform.modal.opened, QStringList{QStringLiteral("TfrmAllegaCartella")});
    QCOMPARE(seenMode, mode);
    QCOMPARE(seenAtOpening, (QStringList{"contratto.pdf", "Contratto firmato", "tessera.jpg", "Tessera", "",
                                         "Solo descrizione"}));
    QCOMPARE(readBytes(app.platform.file(QStringLiteral("Documenti_Allegati/ricevuta.pdf"))), QByteArray("ricevuta"));
    // Nothing reaches the archives until the card is saved.
    QVERIFY(!QFileInfo::exists(ArchivePaths::members()));
}

void TestAttachments::annullaAfterPickingLeavesTheCard()
{
    m_window.reset();
    m_platform.reset();
    TestApp app;
    TfrmAnagrafica *card = app.screens->anagrafica();
    TSchedaSocio stored;
    stored.File01 = QStringLiteral("contratto.pdf");
    stored.Desc01 = QStringLiteral("Contratto");
    card->loadRecord(1, stored);
    const QString picked = m_elsewhere.path() + QStringLiteral("/delibera.pdf");
    writeFile(picked, "delibera");
    app.platform.files.openAnswers = {picked, picked};

    const auto pickThenCancel = [](QDialog *d) {
        auto *win = static_cast<TfrmAllegaCartella *>(d);
        QTest::mouseClick(win->btnSfoglia[0], Qt::LeftButton);
        QCOMPARE(win->txtFile[0]->text(), QStringLiteral("delibera.pdf"));
        QTest::keyClicks(win->txtDesc[0], QStringLiteral(" nuova"));
        QTest::mouseClick(win->btnAnnulla, Qt::LeftButton);
        QVERIFY(!win->isVisible());
    };
    app.platform.modal.handlers.append(pickThenCancel);
    QTest::mouseClick(control<QWidget>(card, "btnAllegati"), Qt::LeftButton);

    QCOMPARE(card->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QStringLiteral("contratto.pdf"));
    QCOMPARE(card->findChild<QLabel *>(QStringLiteral("lblDesc01"))->text(), QStringLiteral("Contratto"));
    QCOMPARE(readBytes(app.platform.file(QStringLiteral("Documenti_Allegati/delibera.pdf"))), QByteArray("delibera"));

    // Cancelled for a movement card, the window hands back nothing at all.
    app.platform.modal.handlers.append(pickThenCancel);
    QWidget movementCard;
    QVERIFY(!TfrmAllegaCartella::edit(&movementCard, TfrmAllegaCartella::Card::Movement, Attachments::of(stored)));
    QCOMPARE(app.platform.modal.opened.size(), 2);
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
