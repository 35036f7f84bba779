#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QWidget;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmAnagrafica;
class TfrmMenuMovimenti;
class TfrmMovimenti;
class TfrmMenuBilancio;

// Every screen of the program, created once at start-up in a fixed order. The
// shell hands over between the persistent screens through it; no screen reaches
// it. The dialog screens' start-up instances stay hidden (each use creates a
// fresh one, which hands its value back to the screen that opened it).
class ScreenSet : public QObject
{
    Q_OBJECT
public:
    ScreenSet();
    ~ScreenSet() override;

    TfrmPassword *password() const { return m_password; }
    TfrmAvvio *avvio() const { return m_avvio; }
    TfrmCambiaPassword *cambiaPassword() const { return m_cambia; }
    TfrmAnagrafica *anagrafica() const { return m_anagrafica; }
    TfrmMenuMovimenti *menuMovimenti() const { return m_menuMovimenti; }
    TfrmMovimenti *movimenti() const { return m_movimenti; }
    TfrmMenuBilancio *menuBilancio() const { return m_menuBilancio; }

    // All 28 screens in the order they were created.
    const QList<QWidget *> &creationOrder() const { return m_all; }

    // Shows the login, the main window.
    void start();

    // Shows the target first, then hides the current screen, which keeps its state.
    static void handOver(QWidget *from, QWidget *to);

Q_SIGNALS:
    // The program is to end: the start menu's exit picture or close box, or the login's "Esci".
    void terminated();

private:
    template <class T>
    T *create();
    void connectHandOvers();

    QList<QWidget *> m_all;
    TfrmPassword *m_password = nullptr;
    TfrmAvvio *m_avvio = nullptr;
    TfrmCambiaPassword *m_cambia = nullptr;
    TfrmAnagrafica *m_anagrafica = nullptr;
    TfrmMenuMovimenti *m_menuMovimenti = nullptr;
    TfrmMovimenti *m_movimenti = nullptr;
    TfrmMenuBilancio *m_menuBilancio = nullptr;
};
