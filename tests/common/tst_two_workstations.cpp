// Two workstations on one shared folder, each with the same stored card on
// screen. The other workstation (a process of its own) saves its change first;
// then this one saves. The last save may win, but never in silence: the card
// asks before writing over the other change, and No leaves the other change on
// disk byte for byte, offering to show it.
#include "members/CardFixture.h"
#include "movements/MovementFixture.h"

#include "common/ui/CardOverwrite.h"

#include <QProcess>

#include <memory>

namespace {

// The other workstation writes its note into the card at position 1.
int otherWorkstationSaves(const QString &archive, const char *kind, const QString &note)
{
    QProcess other;
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.start(QStringLiteral(QUINTARA_CARD_SAVE_HELPER), {archive, QString::fromLatin1(kind), QStringLiteral("1"), note});
    if (!other.waitForStarted() || !other.waitForFinished(60000) || other.exitStatus() != QProcess::NormalExit)
        return -1;
    return other.exitCode();
}

const QString kOtherNote = QStringLiteral("Modificata dalla segreteria");

// One card screen of the program, member or movement, with the same few steps.
struct Workstation
{
    virtual ~Workstation() = default;
    virtual QString archive() const = 0;
    virtual const char *kind() const = 0;
    virtual void showFirst() = 0;
    virtual void edit() = 0;      // the user's change, in the card's main field
    virtual QString edited() const = 0;
    virtual QString mainField() const = 0;
    virtual QString note() const = 0;
    virtual void save() = 0;
    virtual QString storedMain() const = 0;
    virtual QString storedNote() const = 0;
    virtual ScriptedMessages &messages() = 0;
};

struct MemberStation : Workstation
{
    MemberStation() { writeArchive({member(QStringLiteral("Rossi Mario")), member(QStringLiteral("Verdi Anna"))}); }
    QString archive() const override { return ArchivePaths::members(); }
    const char *kind() const override { return "member"; }
    void showFirst() override { f.click("cmdPrimo"); }
    void edit() override
    {
        f.field("txtDipendente")->clear();
        f.type("txtDipendente", edited());
    }
    QString edited() const override { return QStringLiteral("Rossi Marco"); }
    QString mainField() const override { return f.field("txtDipendente")->text(); }
    QString note() const override { return f.field("txtNote")->text(); }
    void save() override { f.click("btnSalva"); }
    QString storedMain() const override { return storedRecord(1).Dipendente; }
    QString storedNote() const override { return storedRecord(1).Note; }
    ScriptedMessages &messages() override { return f.messages(); }
    CardFixture f;
};

struct MovementStation : Workstation
{
    MovementStation() { f.writeYear({movement(QStringLiteral("Quota sociale")), movement(QStringLiteral("Affitto"), false)}); }
    QString archive() const override { return f.yearFile(); }
    const char *kind() const override { return "movement"; }
    void showFirst() override { f.click("cmdPrimo"); }
    void edit() override
    {
        f.field("txtCausale")->clear();
        f.type("txtCausale", edited());
    }
    QString edited() const override { return QStringLiteral("Quota sociale 2014"); }
    QString mainField() const override { return f.field("txtCausale")->text(); }
    QString note() const override { return f.field("txtNote")->text(); }
    void save() override { f.click("cmdSalva"); }
    QString storedMain() const override { return f.storedRecord(1).Causale; }
    QString storedNote() const override { return f.storedRecord(1).Note; }
    ScriptedMessages &messages() override { return f.messages(); }
    MovementFixture f;
};

// The scripted answers, then No to every further question: a question asked
// again and again ends in the counts of the test failing, not in a save that
// never returns.
void answerThenNo(ScriptedMessages &messages, const QList<MessageBoxes::Answer> &answers)
{
    messages.answers = answers;
    messages.onShow = [&messages](const ShownMessage &shown) {
        if (shown.kind == MessageBoxes::Kind::Question && messages.answers.isEmpty())
            messages.answers = {MessageBoxes::Answer::No};
    };
}

std::unique_ptr<Workstation> station(bool memberCard)
{
    if (memberCard)
        return std::make_unique<MemberStation>();
    return std::make_unique<MovementStation>();
}

} // namespace

class TestTwoWorkstations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeSavedElsewhereIsAskedAbout_data()
    {
        QTest::addColumn<bool>("memberCard");
        QTest::addColumn<QList<MessageBoxes::Answer>>("answers");
        using A = MessageBoxes::Answer;
        for (const bool memberCard : {true, false}) {
            const char *card = memberCard ? "member card" : "movement card";
            QTest::addRow("%s, keep the other change", card) << memberCard << QList<A>{A::No, A::No};
            QTest::addRow("%s, keep the other change and show it", card) << memberCard << QList<A>{A::No, A::Yes};
            QTest::addRow("%s, write over it", card) << memberCard << QList<A>{A::Yes};
        }
    }

    void changeSavedElsewhereIsAskedAbout()
    {
        QFETCH(bool, memberCard);
        QFETCH(QList<MessageBoxes::Answer>, answers);
        const auto ws = station(memberCard);
        ws->showFirst();
        QCOMPARE(ws->mainField(), memberCard ? QStringLiteral("Rossi Mario") : QStringLiteral("Quota sociale"));
        ws->messages().clear();

        QCOMPARE(otherWorkstationSaves(ws->archive(), ws->kind(), kOtherNote), 0);
        const QByteArray otherSaved = readBytes(ws->archive());
        ws->edit();
        answerThenNo(ws->messages(), answers);
        ws->save();

        QVERIFY(ws->messages().shown.size() >= 1);
        QCOMPARE(ws->messages().shown[0].kind, MessageBoxes::Kind::Question);
        QCOMPARE(ws->messages().shown[0].text,
                 QStringLiteral("La scheda è stata modificata da un'altra postazione dopo che è stata aperta. "
                                "Sovrascrivere le modifiche?"));
        if (answers.first() == MessageBoxes::Answer::Yes) {
            // Last save wins: the card as shown here, the other note gone with it.
            QCOMPARE(ws->messages().shown.size(), 2);
            QCOMPARE(ws->messages().shown[1].kind, MessageBoxes::Kind::Information);
            QCOMPARE(ws->messages().shown[1].text,
                     QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
            QCOMPARE(ws->storedMain(), ws->edited());
            QCOMPARE(ws->storedNote(), QString());
            return;
        }
        // No: nothing stored, then the offer to show the card as now stored.
        QCOMPARE(ws->messages().shown.size(), 2);
        QCOMPARE(ws->messages().shown[1].kind, MessageBoxes::Kind::Question);
        QCOMPARE(ws->messages().shown[1].text, CardOverwrite::reloadText());
        QCOMPARE(readBytes(ws->archive()), otherSaved);
        QCOMPARE(ws->storedNote(), kOtherNote);
        if (answers.last() == MessageBoxes::Answer::No) {
            // The card keeps what the user typed, to be saved again or left.
            QCOMPARE(ws->mainField(), ws->edited());
            QCOMPARE(ws->note(), QString());
            return;
        }
        QCOMPARE(ws->mainField(), memberCard ? QStringLiteral("Rossi Mario") : QStringLiteral("Quota sociale"));
        QCOMPARE(ws->note(), kOtherNote);
        // Shown as stored now, the card saves again without a question.
        ws->messages().clear();
        ws->edit();
        ws->save();
        QCOMPARE(ws->messages().shown.size(), 1);
        QCOMPARE(ws->messages().shown[0].kind, MessageBoxes::Kind::Information);
        QCOMPARE(ws->storedMain(), ws->edited());
        QCOMPARE(ws->storedNote(), kOtherNote);
    }

    // A card measures the other workstations' changes from its own last save,
    // not from when it was first shown: saving twice asks nothing, a change
    // saved elsewhere in between is asked about again.
    void changeAfterOwnSaveIsAskedAbout_data()
    {
        QTest::addColumn<bool>("memberCard");
        QTest::newRow("member card") << true;
        QTest::newRow("movement card") << false;
    }

    void changeAfterOwnSaveIsAskedAbout()
    {
        QFETCH(bool, memberCard);
        const auto ws = station(memberCard);
        ws->showFirst();
        ws->edit();
        ws->messages().clear();
        answerThenNo(ws->messages(), {});
        ws->save();
        QCOMPARE(ws->messages().shown.size(), 1);
        QCOMPARE(ws->messages().shown[0].kind, MessageBoxes::Kind::Information);
        ws->messages().clear();
        ws->save();
        QCOMPARE(ws->messages().shown.size(), 1);
        QCOMPARE(ws->messages().shown[0].kind, MessageBoxes::Kind::Information);
        QCOMPARE(otherWorkstationSaves(ws->archive(), ws->kind(), kOtherNote), 0);
        QCOMPARE(ws->storedMain(), ws->edited());
        QCOMPARE(ws->storedNote(), kOtherNote);
        ws->messages().clear();
        answerThenNo(ws->messages(), {MessageBoxes::Answer::No, MessageBoxes::Answer::No});
        ws->save();
        QCOMPARE(ws->messages().shown.size(), 2);
        QCOMPARE(ws->messages().shown[0].text, CardOverwrite::changedElsewhereText());
        QCOMPARE(ws->storedNote(), kOtherNote);
    }
};

QTEST_MAIN(TestTwoWorkstations)
#include "tst_two_workstations.moc"
