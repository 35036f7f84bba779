#include "TfrmAvvio.h"

#include "TfrmInfo.h"
#include "TfrmSplash.h"
#include "common/Platform.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"

#include <QLabel>
#include <QPainter>
#include <QUrl>

using Form::Kind;

namespace {

// A description box: a framed text that is part of its column's click target.
class DescriptionBox : public PictureButton
{
public:
    using PictureButton::PictureButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, underMouse() ? Palette::white : QColor(0xF7, 0xFA, 0xFE));
        g.setColorAt(1, Palette::paleBlue);
        p.setBrush(g);
        p.setPen(QPen(Palette::sky, 1.2));
        p.drawRoundedRect(r, 8, 8);
        QFont f = font();
        f.setPointSizeF(10);
        p.setFont(f);
        p.setPen(Palette::ink);
        p.drawText(r.adjusted(12, 10, -12, -10), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text());
    }
};

} // namespace

TfrmAvvio::TfrmAvvio(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara"), QSize(995, 692), parent)
{
    panel()->setAttribute(Qt::WA_StyledBackground);
    panel()->setStyleSheet(QStringLiteral("QWidget#panContainer { background: white; border-radius: 10px; }"));
    auto c = Form::build(panel(), {
        {"imgInfo", Kind::PictureButton, {}, 12, 12, 36, 36, "info"},
        {"imgIcona", Kind::Picture, {}, 70, 14, 64, 64, "app_icon"},
        {"imgTitolo", Kind::Picture, {}, 287, 14, 420, 70, "title"},
        {"imgGuida", Kind::PictureButton, {}, 947, 12, 36, 36, "help"},
        {"imgSottotitolo", Kind::Picture, {}, 47, 96, 900, 44, "subtitle"},
        {"imgSoci", Kind::PictureButton, {}, 35, 162, 280, 170, "illus_soci"},
        {"btnSoci", Kind::PictureButton, {}, 35, 342, 280, 44, "banner_soci"},
        {"imgMovimenti", Kind::PictureButton, {}, 357, 162, 280, 170, "illus_movimenti"},
        {"btnMovimenti", Kind::PictureButton, {}, 357, 342, 280, 44, "banner_movimenti"},
        {"imgBilancio", Kind::PictureButton, {}, 679, 162, 280, 170, "illus_bilancio"},
        {"btnBilancio", Kind::PictureButton, {}, 679, 342, 280, 44, "banner_bilancio"},
        {"imgSito", Kind::PictureButton, {}, 187, 590, 620, 30, "site_bar"},
        {"imgSplash", Kind::PictureButton, {}, 14, 642, 36, 36, "maker_mark"},
        {"imgEsci", Kind::PictureButton, {}, 937, 636, 44, 44, "exit"},
    });
    const struct
    {
        const char *name;
        int x;
        QString text;
        void (TfrmAvvio::*click)();
    } boxes[] = {
        {"infSoci", 35,
         QStringLiteral("Memorizza i dati anagrafici di tutti i Soci e acquisisci la loro foto usando la tua "
                        "WebCam o importandola in formato Jpeg. Annota per ognuno di essi il numero di tessera, "
                        "la quota associativa, la scadenza dell'iscrizione ecc."),
         &TfrmAvvio::imgSociClick},
        {"infMovimenti", 357,
         QStringLiteral("Registra i movimenti di denaro in entrata e in uscita indicando la causale e le "
                        "modalità di pagamento, il pagatore e il beneficiario, la data dell'operazione ecc. "
                        "Visualizza il riepilogo dei pagamenti scaduti e non saldati."),
         &TfrmAvvio::imgMovimentiClick},
        {"infBilancio", 679,
         QStringLiteral("Riepiloga e stampa lo storico dei movimenti in dare e avere anche in base a una causale "
                        "di pagamento indicando un arco di tempo dell'anno solare. Ottieni il bilancio delle "
                        "entrate e uscite nell'intervallo selezionato."),
         &TfrmAvvio::imgBilancioClick},
    };
    for (const auto &b : boxes) {
        auto *box = new DescriptionBox(panel());
        box->setObjectName(QString::fromLatin1(b.name));
        box->setText(b.text);
        box->setGeometry(b.x, 400, 280, 124);
        connect(box, &QAbstractButton::clicked, this, b.click);
    }
    connect(c.get<PictureButton>(QStringLiteral("imgSoci")), &QAbstractButton::clicked, this, &TfrmAvvio::imgSociClick);
    connect(c.get<PictureButton>(QStringLiteral("btnSoci")), &QAbstractButton::clicked, this, &TfrmAvvio::imgSociClick);
    connect(c.get<PictureButton>(QStringLiteral("imgMovimenti")), &QAbstractButton::clicked, this,
            &TfrmAvvio::imgMovimentiClick);
    connect(c.get<PictureButton>(QStringLiteral("btnMovimenti")), &QAbstractButton::clicked, this,
            &TfrmAvvio::imgMovimentiClick);
    connect(c.get<PictureButton>(QStringLiteral("imgBilancio")), &QAbstractButton::clicked, this,
            &TfrmAvvio::imgBilancioClick);
    connect(c.get<PictureButton>(QStringLiteral("btnBilancio")), &QAbstractButton::clicked, this,
            &TfrmAvvio::imgBilancioClick);
    connect(c.get<PictureButton>(QStringLiteral("imgInfo")), &QAbstractButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(c.get<PictureButton>(QStringLiteral("imgGuida")), &QAbstractButton::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(c.get<PictureButton>(QStringLiteral("imgSito")), &QAbstractButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(c.get<PictureButton>(QStringLiteral("imgSplash")), &QAbstractButton::clicked, this,
            &TfrmAvvio::imgSplashClick);
    connect(c.get<PictureButton>(QStringLiteral("imgEsci")), &QAbstractButton::clicked, this, &TfrmAvvio::exitRequested);
}

void TfrmAvvio::closeScreen() { Q_EMIT exitRequested(); }

void TfrmAvvio::imgInfoClick()
{
    if (TfrmInfo::run(this))
        Q_EMIT restored();
}

void TfrmAvvio::imgGuidaClick()
{
    TfrmGuida::open(this, HelpPage::StartMenu);
}

void TfrmAvvio::imgSitoClick() { Platform::shell().open(QUrl(makerSite())); }

void TfrmAvvio::imgSplashClick() { openDialog<TfrmSplash>(this); }
