#include "ScreenSet.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmInScadenza.h"
#include "TfrmInfo.h"
#include "TfrmPassword.h"
#include "TfrmSplash.h"
#include "balance/ui/TfrmBilancio.h"
#include "balance/ui/TfrmMenuBilancio.h"
#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmIban.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmAnteprimaAna.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "members/ui/TfrmScadute.h"
#include "members/ui/TfrmSospesi.h"
#include "members/ui/TfrmStampaAna.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "members/ui/TfrmWebCam.h"
#include "members/ui/TfrmZoom.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "movements/ui/TfrmMenuMovimenti.h"
#include "movements/ui/TfrmMovimenti.h"
#include "movements/ui/TfrmSospesiMov.h"
#include "movements/ui/TfrmStampaMovimento.h"
#include "movements/ui/TfrmTrovaMovimenti.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "receipts/ui/ReceiptIssuer.h"
#include "receipts/ui/TfrmElencoRicevute.h"
#include "statement/ui/TfrmEnte.h"
#include "statement/ui/TfrmRendiconto.h"
#include "common/Platform.h"
#include "shell/DueReminder.h"
#include "shell/ReminderSettings.h"

#include <QLocale>

namespace {

template <class T>
QWidget *make()
{
    return new T();
}

// How each slot's screen is made, in the order of ScreenSet::Slot.
using Factory = QWidget *(*)();
const std::array<Factory, ScreenSet::SlotCount> kFactories = {
    make<TfrmPassword>,       make<TfrmAvvio>,         make<TfrmCambiaPassword>,  make<TfrmGuida>,
    make<TfrmInfo>,           make<TfrmSplash>,        make<TfrmAnagrafica>,      make<TfrmZoom>,
    make<TfrmWebCam>,         make<TfrmCalendario>,    make<TfrmAllegaCartella>,  make<TfrmCodFisc>,
    make<TfrmPartitaIva>,     make<TfrmIban>,          make<TfrmAnteprimaAna>,    make<TfrmStampaAna>,
    make<TfrmScadute>,        make<TfrmSospesi>,       make<TfrmExpAnagrafica>,   make<TfrmTrovaAnagrafica>,
    make<TfrmMenuMovimenti>,  make<TfrmMovimenti>,     make<TfrmExpMovimenti>,    make<TfrmSospesiMov>,
    make<TfrmTrovaMovimenti>, make<TfrmStampaMovimento>, make<TfrmMenuBilancio>, make<TfrmBilancio>,
};

} // namespace

ScreenSet::ScreenSet()
{
    // Month and day names of the calendars in Italian. Dates and amounts never go
    // through the locale: they follow the program's own rules.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    m_password = static_cast<TfrmPassword *>(screen(Password));
}

ScreenSet::~ScreenSet()
{
    for (auto it = m_screens.rbegin(); it != m_screens.rend(); ++it)
        delete *it;
}

QWidget *ScreenSet::screen(Slot slot)
{
    QWidget *&s = m_screens[slot];
    if (!s) {
        s = kFactories[slot]();
        connectHandOvers(slot);
    }
    return s;
}

TfrmAvvio *ScreenSet::avvio() { return static_cast<TfrmAvvio *>(screen(Avvio)); }
TfrmCambiaPassword *ScreenSet::cambiaPassword() { return static_cast<TfrmCambiaPassword *>(screen(CambiaPassword)); }
TfrmAnagrafica *ScreenSet::anagrafica() { return static_cast<TfrmAnagrafica *>(screen(Anagrafica)); }
TfrmMenuMovimenti *ScreenSet::menuMovimenti() { return static_cast<TfrmMenuMovimenti *>(screen(MenuMovimenti)); }
TfrmMovimenti *ScreenSet::movimenti() { return static_cast<TfrmMovimenti *>(screen(Movimenti)); }
TfrmMenuBilancio *ScreenSet::menuBilancio() { return static_cast<TfrmMenuBilancio *>(screen(MenuBilancio)); }

const QList<QWidget *> &ScreenSet::creationOrder()
{
    if (m_all.size() != SlotCount) {
        m_all.clear();
        for (int slot = 0; slot < SlotCount; ++slot)
            m_all.append(screen(static_cast<Slot>(slot)));
    }
    return m_all;
}

QList<QWidget *> ScreenSet::created() const
{
    QList<QWidget *> out;
    for (QWidget *s : m_screens)
        if (s)
            out.append(s);
    return out;
}

void ScreenSet::giveReceiptCommands(TfrmMovimenti *card)
{
    // The card reaches the receipts through these two commands alone.
    ReceiptCommands receipts;
    receipts.receipt = [](QWidget *owner, const ReceiptCommands::Ask &ask) {
        return ReceiptIssuer::receipt(owner, ask.yearFile, ask.position, ask.card, &TfrmEnte::edit);
    };
    receipts.list = &TfrmElencoRicevute::choose;
    card->setReceiptCommands(std::move(receipts));
}

void ScreenSet::start() { m_password->show(); }

void ScreenSet::handOver(QWidget *from, QWidget *to)
{
    if (auto *panel = qobject_cast<PanelScreen *>(to))
        panel->showScreen();
    else
        to->show();
    to->raise();
    to->activateWindow();
    if (from)
        from->hide();
}

void ScreenSet::remindWhatIsDue()
{
    if (m_reminded)
        return;
    m_reminded = true;
    const QDate today = Platform::clock().today();
    if (ReminderSettings().hiddenOn(today))
        return;
    const DueReminder::Due due = DueReminder::gather(today);
    if (!due.any())
        return;
    const auto choice = TfrmInScadenza::run(avvio(), due);
    if (!choice)
        return;
    // The record picked goes to its card, shown in the start menu's place; the
    // card is shown first, since showing it starts a new card.
    if (choice->member) {
        handOver(avvio(), anagrafica());
        anagrafica()->showMember(*choice->member);
    } else if (choice->movement) {
        movimenti()->openYear(due.year, due.yearFile);
        handOver(avvio(), movimenti());
        movimenti()->showRecord(choice->movement->position, choice->movement->record);
    }
}

void ScreenSet::connectHandOvers(Slot slot)
{
    // The targets are asked for through their accessors, so a screen not used
    // yet is created when the user first goes to it.
    if (slot == MenuBilancio)
        // The yearly cash statement opens as a dialog over the period chooser.
        connect(menuBilancio(), &TfrmMenuBilancio::statementRequested, this,
                [this] { TfrmRendiconto::open(menuBilancio()); });
    switch (slot) {
    case Password: {
        auto *login = static_cast<TfrmPassword *>(m_screens[Password]);
        connect(login, &TfrmPassword::accepted_, this, [this, login] {
            handOver(login, avvio());
            remindWhatIsDue();
        });
        connect(login, &TfrmPassword::changeRequested, this, [this, login] { handOver(login, cambiaPassword()); });
        connect(login, &TfrmPassword::exitRequested, this, &ScreenSet::terminated);
        break;
    }
    case CambiaPassword:
        connect(cambiaPassword(), &TfrmCambiaPassword::finished_, this, [this] {
            handOver(cambiaPassword(), m_password);
            m_password->resetForLogin();
        });
        break;
    case Avvio: {
        TfrmAvvio *menu = avvio();
        connect(menu, &TfrmAvvio::imgSociClick, this, [this] { handOver(avvio(), anagrafica()); });
        connect(menu, &TfrmAvvio::imgMovimentiClick, this, [this] { handOver(avvio(), menuMovimenti()); });
        connect(menu, &TfrmAvvio::imgBilancioClick, this, [this] { handOver(avvio(), menuBilancio()); });
        connect(menu, &TfrmAvvio::exitRequested, this, &ScreenSet::terminated);
        // The cards kept between visits show what the archives held before.
        connect(menu, &TfrmAvvio::restored, this, [this] {
            if (m_screens[Anagrafica])
                anagrafica()->emptyCard();
            if (m_screens[Movimenti])
                movimenti()->newCard();
        });
        break;
    }
    case MenuMovimenti:
        // A year opened in the chooser goes to the movement card, which is shown in its place.
        connect(menuMovimenti(), &TfrmMenuMovimenti::yearOpened, this,
                [this](const QString &year, const QString &file) {
                    movimenti()->openYear(year, file);
                    handOver(menuMovimenti(), movimenti());
                });
        [[fallthrough]];
    case Anagrafica:
    case Movimenti:
    case MenuBilancio: {
        // Work screens hand back to the start menu when they close.
        auto *work = static_cast<PanelScreen *>(m_screens[slot]);
        connect(work, &PanelScreen::closed, this, [this, work] { handOver(work, avvio()); });
        if (slot == Movimenti)
            giveReceiptCommands(static_cast<TfrmMovimenti *>(work));
        break;
    }
    default:
        break;
    }
}
