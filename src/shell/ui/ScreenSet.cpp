#include "ScreenSet.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
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

#include <QLocale>

template <class T>
T *ScreenSet::create()
{
    auto *screen = new T();
    m_all.append(screen);
    return screen;
}

ScreenSet::ScreenSet()
{
    // Month and day names of the calendars in Italian. Dates and amounts never go
    // through the locale: they follow the program's own rules.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    m_password = create<TfrmPassword>();
    m_avvio = create<TfrmAvvio>();
    m_cambia = create<TfrmCambiaPassword>();
    create<TfrmGuida>();
    create<TfrmInfo>();
    create<TfrmSplash>();
    m_anagrafica = create<TfrmAnagrafica>();
    create<TfrmZoom>();
    create<TfrmWebCam>();
    create<TfrmCalendario>();
    create<TfrmAllegaCartella>();
    create<TfrmCodFisc>();
    create<TfrmPartitaIva>();
    create<TfrmIban>();
    create<TfrmAnteprimaAna>();
    create<TfrmStampaAna>();
    create<TfrmScadute>();
    create<TfrmSospesi>();
    create<TfrmExpAnagrafica>();
    create<TfrmTrovaAnagrafica>();
    m_menuMovimenti = create<TfrmMenuMovimenti>();
    m_movimenti = create<TfrmMovimenti>();
    create<TfrmExpMovimenti>();
    create<TfrmSospesiMov>();
    create<TfrmTrovaMovimenti>();
    create<TfrmStampaMovimento>();
    m_menuBilancio = create<TfrmMenuBilancio>();
    create<TfrmBilancio>();
    connectHandOvers();
}

ScreenSet::~ScreenSet()
{
    for (auto it = m_all.rbegin(); it != m_all.rend(); ++it)
        delete *it;
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

void ScreenSet::connectHandOvers()
{
    connect(m_password, &TfrmPassword::accepted_, this, [this] { handOver(m_password, m_avvio); });
    connect(m_password, &TfrmPassword::changeRequested, this, [this] { handOver(m_password, m_cambia); });
    connect(m_password, &TfrmPassword::exitRequested, this, &ScreenSet::terminated);
    connect(m_cambia, &TfrmCambiaPassword::finished_, this, [this] {
        handOver(m_cambia, m_password);
        m_password->resetForLogin();
    });

    connect(m_avvio, &TfrmAvvio::imgSociClick, this, [this] { handOver(m_avvio, m_anagrafica); });
    connect(m_avvio, &TfrmAvvio::imgMovimentiClick, this, [this] { handOver(m_avvio, m_menuMovimenti); });
    connect(m_avvio, &TfrmAvvio::imgBilancioClick, this, [this] { handOver(m_avvio, m_menuBilancio); });
    connect(m_avvio, &TfrmAvvio::exitRequested, this, &ScreenSet::terminated);

    // Work screens hand back to the start menu when they close.
    for (PanelScreen *work : std::initializer_list<PanelScreen *>{m_anagrafica, m_menuMovimenti, m_movimenti,
                                                                    m_menuBilancio})
        connect(work, &PanelScreen::closed, this, [this, work] { handOver(work, m_avvio); });
}
