#pragma once

#include <QList>
#include <QObject>

#include <array>

class QWidget;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmAnagrafica;
class TfrmMenuMovimenti;
class TfrmMovimenti;
class TfrmMenuBilancio;

// Every screen of the program, in a fixed order. The login, the main window, is
// created with the set; every other screen is created the first time it is
// needed and then kept until the set ends, so the user waits for the login only
// and a persistent screen keeps its contents between visits. The shell hands over
// between the persistent screens through it; no screen reaches it. The dialog
// screens' instances of the set stay hidden (each use creates a fresh one, which
// hands its value back to the screen that opened it).
class ScreenSet : public QObject
{
    Q_OBJECT
public:
    // The screens in their fixed order.
    enum Slot {
        Password,
        Avvio,
        CambiaPassword,
        Guida,
        Info,
        Splash,
        Anagrafica,
        Zoom,
        WebCam,
        Calendario,
        AllegaCartella,
        CodFisc,
        PartitaIva,
        Iban,
        AnteprimaAna,
        StampaAna,
        Scadute,
        Sospesi,
        ExpAnagrafica,
        TrovaAnagrafica,
        MenuMovimenti,
        Movimenti,
        ExpMovimenti,
        SospesiMov,
        TrovaMovimenti,
        StampaMovimento,
        MenuBilancio,
        Bilancio,
        SlotCount
    };

    ScreenSet();
    ~ScreenSet() override;

    // The persistent screens, each created on its first use.
    TfrmPassword *password() const { return m_password; }
    TfrmAvvio *avvio();
    TfrmCambiaPassword *cambiaPassword();
    TfrmAnagrafica *anagrafica();
    TfrmMenuMovimenti *menuMovimenti();
    TfrmMovimenti *movimenti();
    TfrmMenuBilancio *menuBilancio();

    // All 28 screens in their fixed order; those not used yet are created now, hidden.
    const QList<QWidget *> &creationOrder();
    // The screens created so far, in the same order.
    QList<QWidget *> created() const;

    // Shows the login, the main window.
    void start();

    // Shows the target first, then hides the current screen, which keeps its state.
    static void handOver(QWidget *from, QWidget *to);

Q_SIGNALS:
    // The program is to end: the start menu's exit picture or close box, or the login's "Esci".
    void terminated();

private:
    QWidget *screen(Slot slot);
    // The hand-overs that start from a persistent screen, wired once it exists.
    void connectHandOvers(Slot slot);
    static void giveReceiptCommands(TfrmMovimenti *card);
    // The first time the start menu appears in a run: the window of what is
    // falling due, when something is and the user has not put it off for today.
    void remindWhatIsDue();

    std::array<QWidget *, SlotCount> m_screens{};
    QList<QWidget *> m_all;
    TfrmPassword *m_password = nullptr;
    bool m_reminded = false;
};
