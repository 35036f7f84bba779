#include "TfrmInScadenza.h"

#include "common/RowListModel.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"
#include "members/ui/MemberChoice.h"
#include "members/ui/TfrmSospesi.h"
#include "movements/ui/MovementChoice.h"
#include "movements/ui/TfrmSospesiMov.h"
#include "shell/ReminderSettings.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>

namespace {

// The rows in the lists' own font, so a row reads here as it does in its list.
QFont rowFont()
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSize(12);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

QListView *rowList(QWidget *parent, const char *name, const QRect &place)
{
    auto *list = new QListView(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(place);
    list->setFont(rowFont());
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height: the view lays out thousands of rows at once.
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setTextElideMode(Qt::ElideNone);
    list->setWordWrap(false);
    return list;
}

} // namespace

TfrmInScadenza::TfrmInScadenza(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - In scadenza"), QSize(862, 732), parent)
{
    setStyleSheet(QStringLiteral("TfrmInScadenza { background: white; }"));
    Form::Controls c = Form::build(
        this, {
                  {"imgLogo", Form::Kind::Picture, {}, 111, 10, 640, 60, "banner_in_scadenza"},
                  {"lblOggi", Form::Kind::Label, {}, 16, 80, 830, 20},
                  {"lblSoci", Form::Kind::Bold, {}, 16, 112, 600, 22},
                  {"btnSoci", Form::Kind::Button, QStringLiteral("Elenco Soci"), 676, 106, 170, 32},
                  {"lblPagamenti", Form::Kind::Bold, {}, 16, 306, 600, 22},
                  {"btnPagamenti", Form::Kind::Button, QStringLiteral("Elenco pagamenti"), 676, 300, 170, 32},
                  {"lblRigo03", Form::Kind::Bold,
                   QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."), 16,
                   646, 560, 20},
                  {"lblAdempimenti", Form::Kind::Bold, {}, 16, 500, 640, 22},
                  {"btnFatto", Form::Kind::Button, QStringLiteral("Segna come fatto"), 676, 494, 170, 32},
                  {"titCinque", Form::Kind::Label, QStringLiteral("Contributo 5 per mille ricevuto il giorno:"), 16,
                   612, 300, 22},
                  {"txtCinque", Form::Kind::Edit, {}, 318, 608, 110, 24, nullptr, 10},
                  {"btnCinque", Form::Kind::Button, QStringLiteral("Registra"), 440, 605, 110, 30},
                  {"chkNonOggi", Form::Kind::Check, QStringLiteral("Non mostrare più oggi"), 16, 684, 300, 24},
                  {"btnChiudi", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 680, 110, 32},
              });
    c.get<QLabel>(QStringLiteral("lblRigo03"))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::crimson.name()));
    for (const char *title : {"lblSoci", "lblPagamenti", "lblAdempimenti"})
        c.get<QLabel>(QString::fromLatin1(title))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    m_notToday = c.get<QCheckBox>(QStringLiteral("chkNonOggi"));

    const struct
    {
        Group &group;
        const char *count, *open, *list;
        QRect place;
        void (TfrmInScadenza::*rowChosen)(const QModelIndex &);
        void (TfrmInScadenza::*openClick)();
    } groups[] = {
        {m_members, "lblSoci", "btnSoci", "lstSoci", QRect(16, 144, 830, 146), &TfrmInScadenza::membersRowChosen,
         &TfrmInScadenza::btnSociClick},
        {m_payments, "lblPagamenti", "btnPagamenti", "lstPagamenti", QRect(16, 338, 830, 146),
         &TfrmInScadenza::paymentsRowChosen, &TfrmInScadenza::btnPagamentiClick},
    };
    for (const auto &g : groups) {
        g.group.count = c.get<QLabel>(QString::fromLatin1(g.count));
        g.group.open = c.get<QPushButton>(QString::fromLatin1(g.open));
        g.group.list = rowList(this, g.list, g.place);
        g.group.rows = new RowListModel(this);
        g.group.list->setModel(g.group.rows);
        connect(g.group.list, &QAbstractItemView::doubleClicked, this, g.rowChosen);
        connect(g.group.open, &QPushButton::clicked, this, g.openClick);
    }
    // The lists come after the buttons in the tab order, so put them where they are seen.
    setTabOrder(m_members.open, m_members.list);
    setTabOrder(m_members.list, m_payments.open);
    setTabOrder(m_payments.open, m_payments.list);
    m_lblAdempimenti = c.get<QLabel>(QStringLiteral("lblAdempimenti"));
    m_btnFatto = c.get<QPushButton>(QStringLiteral("btnFatto"));
    m_lstAdempimenti = rowList(this, "lstAdempimenti", QRect(16, 530, 640, 68));
    m_lstAdempimenti->setFont(QFont(QStringLiteral("Verdana"), 10));
    m_deadlineRows = new RowListModel(this);
    m_lstAdempimenti->setModel(m_deadlineRows);
    m_txtCinque = c.get<FieldEdit>(QStringLiteral("txtCinque"));
    m_txtCinque->setAllowedCharacters(QStringLiteral("0123456789/"));
    auto *btnCinque = c.get<QPushButton>(QStringLiteral("btnCinque"));
    connect(m_btnFatto, &QPushButton::clicked, this, &TfrmInScadenza::btnFattoClick);
    connect(btnCinque, &QPushButton::clicked, this, &TfrmInScadenza::btnCinqueClick);
    setTabOrder(m_payments.list, m_btnFatto);
    setTabOrder(m_btnFatto, m_lstAdempimenti);
    setTabOrder(m_lstAdempimenti, m_txtCinque);
    setTabOrder(m_txtCinque, btnCinque);
    setTabOrder(btnCinque, m_notToday);

    auto *btnChiudi = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    setTabOrder(m_notToday, btnChiudi);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    // Enter on the window closes it: the user has read it and goes on to the menu.
    btnChiudi->setFocus(Qt::OtherFocusReason);
}

std::optional<TfrmInScadenza::Choice> TfrmInScadenza::run(QWidget *owner, const DueReminder::Due &due)
{
    struct Outcome
    {
        std::optional<Choice> choice;
        bool notToday = false;
    };
    const Outcome out = runDialog<TfrmInScadenza>(
        owner,
        [&due, owner](TfrmInScadenza &d) {
            d.setDue(due);
            // It comes up while the start menu is still being maximised, so it
            // is centred on the screen rather than on the menu's passing size.
            if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
                d.move(screen->availableGeometry().center() - d.rect().center());
        },
        [](const TfrmInScadenza &d) { return Outcome{d.chosen(), d.notToday()}; });
    if (out.notToday && !ReminderSettings().hideOn(due.today))
        UiPlatform::warning(owner, notKeptWarning());
    return out.choice;
}

QString TfrmInScadenza::notKeptWarning()
{
    return QStringLiteral("Attenzione: non è stato possibile registrare la scelta \"Non mostrare più oggi\", per cui "
                          "la finestra dei pagamenti e degli abbonamenti in scadenza comparirà di nuovo al "
                          "prossimo accesso.") +
           UiPlatform::kLfCrLfCr +
           QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                          "programma.");
}

void TfrmInScadenza::setDue(const DueReminder::Due &due)
{
    m_due = due;
    findChild<QLabel *>(QStringLiteral("lblOggi"))
        ->setText(QStringLiteral("Situazione alla data di oggi, %1.").arg(TextRules::formatDate(due.today)));
    fillGroup(m_members, due.members, QStringLiteral("Soci con abbonamento in scadenza o scaduto"));
    fillGroup(m_payments, due.payments,
              QStringLiteral("Pagamenti del %1 in scadenza o scaduti e non saldati").arg(due.year));
    fillDeadlines(due.deadlines);
    if (const auto received = YearDeadlines::fivePerMilleReceived(YearDeadlines::path()))
        m_txtCinque->setText(TextRules::formatDate(*received));
}

void TfrmInScadenza::fillDeadlines(const QList<YearDeadlines::Deadline> &deadlines)
{
    m_deadlines = deadlines;
    QList<ListRow> rows;
    for (const YearDeadlines::Deadline &d : deadlines)
        rows.append({d.text(m_due.today), rows.size() + 1});
    m_deadlineRows->setRows(RowTable::fromRows(rows));
    m_lblAdempimenti->setText(QStringLiteral("Adempimenti dell'associazione: ") +
                              (deadlines.isEmpty() ? QStringLiteral("nessuno") : QString::number(deadlines.size())));
    m_btnFatto->setEnabled(!deadlines.isEmpty());
    if (!deadlines.isEmpty())
        m_lstAdempimenti->setCurrentIndex(m_deadlineRows->index(0));
}

void TfrmInScadenza::btnFattoClick()
{
    const int row = m_lstAdempimenti->currentIndex().row();
    if (row < 0 || row >= m_deadlines.size())
        return;
    if (!YearDeadlines::markDone(YearDeadlines::path(), m_deadlines[row], m_due.today)) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: non è stato possibile registrare l'adempimento nel file "
                                                 "Adempimenti.ini.") +
                                      UiPlatform::kLfCrLfCr +
                                      QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella "
                                                     "di installazione del programma."));
        return;
    }
    fillDeadlines(YearDeadlines::pending(YearDeadlines::path(), m_due.today));
}

void TfrmInScadenza::btnCinqueClick()
{
    const auto day = TextRules::parseDate(TextRules::trim(m_txtCinque->text()));
    if (!day || *day > m_due.today) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare il giorno in cui il contributo del 5 per mille "
                                                 "è stato ricevuto, nel formato gg/mm/aaaa e non oltre oggi."));
        m_txtCinque->setFocus();
        return;
    }
    if (!YearDeadlines::setFivePerMilleReceived(YearDeadlines::path(), *day)) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: non è stato possibile registrare la data nel file "
                                                 "Adempimenti.ini."));
        return;
    }
    fillDeadlines(YearDeadlines::pending(YearDeadlines::path(), m_due.today));
}

void TfrmInScadenza::fillGroup(Group &group, const ListScan &scan, const QString &what)
{
    group.rows->setRows(scan.rows);
    QString count = what + QStringLiteral(": ") +
                    (scan.rows.isEmpty() ? QStringLiteral("nessuno") : QString::number(scan.rows.size()));
    // The rows read before a failure are shown; the user must know they may not be all.
    if (!scan.complete)
        count += QStringLiteral(" (elenco incompleto)");
    group.count->setText(count);
    group.open->setEnabled(!scan.rows.isEmpty());
}

bool TfrmInScadenza::notToday() const { return m_notToday->isChecked(); }

qint64 TfrmInScadenza::positionAt(const Group &group, const QModelIndex &index)
{
    return index.isValid() ? group.rows->data(index, RowListModel::PositionRole).toLongLong() : 0;
}

void TfrmInScadenza::membersRowChosen(const QModelIndex &index)
{
    const qint64 position = positionAt(m_members, index);
    if (position <= 0)
        return;
    if (const auto member = MemberChoice::read(this, position))
        choose({*member, std::nullopt});
}

void TfrmInScadenza::paymentsRowChosen(const QModelIndex &index)
{
    const qint64 position = positionAt(m_payments, index);
    if (position <= 0)
        return;
    if (const auto movement = MovementChoice::read(this, m_due.yearFile, position))
        choose({std::nullopt, *movement});
}

// The list screens run as they do from the cards; a record picked there is the
// pick of this window too.
void TfrmInScadenza::btnSociClick()
{
    if (const auto member = SubscriptionListScreen::choose<TfrmSospesi>(this))
        choose({*member, std::nullopt});
}

void TfrmInScadenza::btnPagamentiClick()
{
    if (const auto movement = TfrmSospesiMov::choose(this, m_due.yearFile))
        choose({std::nullopt, *movement});
}

void TfrmInScadenza::choose(Choice choice)
{
    m_chosen = std::move(choice);
    close();
}
