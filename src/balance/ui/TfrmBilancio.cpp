#include "TfrmBilancio.h"

#include "balance/PrimaNotaPrint.h"
#include "common/TextRules.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/ListScreen.h"
#include "common/ui/Screens.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/UiPlatform.h"
#include "output/ListReport.h"
#include "output/ui/ReportOutput.h"
#include "common/ui/TfrmGuida.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using Form::Kind;

namespace {

const QSize kPanel(995, 692);
const QString kMaroon = QStringLiteral("#800000");
const QString kDarkRed = QStringLiteral("#8B0000");

QString boxStyle(const char *name, const QString &background, const QString &border, int radius)
{
    return QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
        .arg(QString::fromLatin1(name), background, border)
        .arg(radius);
}

void setLook(QLabel *label, int points, const QString &colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(points);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    label->setAlignment(align);
}

} // namespace

TfrmBilancio::TfrmBilancio(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_report(ListReport::create(ListReport::kPrimaNotaTitle))
{
    setWindowTitle(QStringLiteral(" Quintara - Primanota e Bilancio"));
    setObjectName(QStringLiteral("TfrmBilancio"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QDialog#TfrmBilancio { background: %1; }").arg(Palette::paleBlue.name()));
    buildControls();
    resize(kPanel + QSize(40, 40));
    setWindowState(Qt::WindowMaximized);
}

TfrmBilancio::~TfrmBilancio() = default;

void TfrmBilancio::buildControls()
{
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setFixedSize(kPanel);
    QWidget *p = panContainer;

    Form::Controls c;
    Form::build(p,
                {
                    {"shpContainer", Kind::Shape, {}, 0, 0, 995, 692},
                    {"imgIntestazione", Kind::Picture, {}, 16, 16, 698, 57, "banner_primanota"},
                    {"imgGuida", Kind::PictureButton, {}, 934, 26, 36, 36, "help"},
                    {"shpTipologia", Kind::Shape, {}, 16, 86, 962, 36},
                    {"shpCausale", Kind::Shape, {}, 336, 90, 638, 28},
                    {"lblTipologia", Kind::Label, QStringLiteral("PRIMANOTA E BILANCIO - Causale :"), 28, 86, 300, 36},
                    {"titTipologia", Kind::Label, {}, 346, 90, 620, 28},
                    {"infIntervallo", Kind::Label, QStringLiteral("Intervallo selezionato :"), 640, 132, 330, 18},
                    {"lblIntervallo", Kind::Label, QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), 560, 150, 410, 22},
                    {"shpTotali", Kind::Shape, {}, 440, 554, 538, 122},
                    {"titTotEntrate", Kind::Label, QStringLiteral("TOTALE ENTRATE :"), 452, 564, 300, 26},
                    {"lblTotEntrate", Kind::Label, QStringLiteral("0,00"), 756, 564, 206, 26},
                    {"titTotUscite", Kind::Label, QStringLiteral("TOTALE USCITE :"), 452, 594, 300, 26},
                    {"lblTotUscite", Kind::Label, QStringLiteral("0,00"), 756, 594, 206, 26},
                    {"shpRiga", Kind::Shape, {}, 452, 628, 514, 2},
                    {"infTotKmPercorsi", Kind::Label, QStringLiteral("BILANCIO ENTRATE E USCITE :"), 452, 638, 300, 26},
                    {"lblBilancio", Kind::Label, QStringLiteral("0,00"), 756, 638, 206, 26},
                },
                c);
    c.widget(QStringLiteral("shpContainer"))
        ->setStyleSheet(boxStyle("shpContainer",
                                 QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF4FC, stop:1 #C8DCF2)"),
                                 Palette::sky.name(), 10));
    c.widget(QStringLiteral("shpTipologia"))
        ->setStyleSheet(boxStyle("shpTipologia", Palette::navy.name(), Palette::navy.name(), 6));
    c.widget(QStringLiteral("shpCausale"))->setStyleSheet(boxStyle("shpCausale", QStringLiteral("white"), Palette::sky.name(), 4));
    c.widget(QStringLiteral("shpTotali"))
        ->setStyleSheet(boxStyle("shpTotali", QStringLiteral("rgba(255, 255, 255, 200)"), Palette::sky.name(), 8));
    c.widget(QStringLiteral("shpRiga"))->setStyleSheet(boxStyle("shpRiga", Palette::navy.name(), Palette::navy.name(), 1));

    imgGuida = c.get<PictureButton>(QStringLiteral("imgGuida"));
    lblTipologia = c.get<QLabel>(QStringLiteral("lblTipologia"));
    titTipologia = c.get<QLabel>(QStringLiteral("titTipologia"));
    infIntervallo = c.get<QLabel>(QStringLiteral("infIntervallo"));
    lblIntervallo = c.get<QLabel>(QStringLiteral("lblIntervallo"));
    titTotEntrate = c.get<QLabel>(QStringLiteral("titTotEntrate"));
    lblTotEntrate = c.get<QLabel>(QStringLiteral("lblTotEntrate"));
    titTotUscite = c.get<QLabel>(QStringLiteral("titTotUscite"));
    lblTotUscite = c.get<QLabel>(QStringLiteral("lblTotUscite"));
    infTotKmPercorsi = c.get<QLabel>(QStringLiteral("infTotKmPercorsi"));
    lblBilancio = c.get<QLabel>(QStringLiteral("lblBilancio"));

    const QString navy = Palette::navy.name();
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    setLook(lblTipologia, 12, QStringLiteral("white"));
    setLook(titTipologia, 12, kMaroon);
    infIntervallo->setStyleSheet(QStringLiteral("color: %1;").arg(navy));
    infIntervallo->setAlignment(right);
    setLook(lblIntervallo, 10, kMaroon, right);
    setLook(titTotEntrate, 12, navy, right);
    setLook(titTotUscite, 12, kDarkRed, right);
    setLook(infTotKmPercorsi, 12, navy, right);
    setLook(lblTotEntrate, 12, navy, right);
    setLook(lblTotUscite, 12, kDarkRed, right);
    setLook(lblBilancio, 12, navy, right);

    m_list = new ListScreen(this, p,
                            {QPoint(16, 132), 600, QRect(16, 176, 480, 28), QRect(508, 174, 110, 32),
                             QRect(16, 214, 962, 330)},
                            ListReport::kPrimaNotaTitle);
    txtTrova = m_list->findEdit();
    btnTrova = m_list->findButton();
    lstRecords = m_list->list();

    Form::build(p,
                {
                    {"btnStampa", Kind::Button, QStringLiteral("Stampa primanota"), 16, 638, 190, 38},
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 216, 638, 120, 38},
                },
                c);
    btnStampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    btnEsci = c.get<QPushButton>(QStringLiteral("btnEsci"));
    // Only a button the user is on runs with Enter: no button is the window's default.
    for (QPushButton *b : {btnTrova, btnStampa, btnEsci})
        b->setAutoDefault(true);

    connect(btnStampa, &QPushButton::clicked, this, &TfrmBilancio::btnStampaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::close);
    connect(imgGuida, &QAbstractButton::clicked, this, &TfrmBilancio::imgGuidaClick);
}

void TfrmBilancio::setRequest(const PrimaNota::Request &request) { m_request = request; }

void TfrmBilancio::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    panContainer->move(std::max(0, (width() - kPanel.width()) / 2), std::max(0, (height() - kPanel.height()) / 2));
}

void TfrmBilancio::keyPressEvent(QKeyEvent *e)
{
    // Escape closes nothing: the window closes through "Esci" or its close box.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmBilancio::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || !m_request)
        return;
    fill();
}

void TfrmBilancio::fill()
{
    const PrimaNota::Result r = PrimaNota::list(*m_request);
    titTipologia->setText(r.heading);
    m_list->setRows(r.rows);
    lblTotEntrate->setText(r.income);
    lblTotUscite->setText(r.expense);
    lblBilancio->setText(r.balance);
    if (r.complete()) {
        lblIntervallo->setText(r.interval);
        txtTrova->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The rows read so far stay; the user must know the list stopped there.
    UiPlatform::warning(this, PrimaNota::stopWarning(r, QFileInfo(m_request->path).fileName()));
}

void TfrmBilancio::btnStampaClick()
{
    if (m_list->rowCount() == 0) {
        UiPlatform::warning(this, PrimaNotaPrint::emptyListWarning());
        return;
    }
    if (!UiPlatform::ask(this, PrimaNotaPrint::question()))
        return;
    const PrimaNotaPrint::Screen shown{m_list->rowTexts(),   titTipologia->text(), lblIntervallo->text(),
                                       lblTotEntrate->text(), lblTotUscite->text(), lblBilancio->text()};
    ListReport::fill(*m_report, PrimaNotaPrint::title(shown), PrimaNotaPrint::lines(shown));
    m_report->PrepareReport(true);
    ReportOutput::Print(this, *m_report);
}

void TfrmBilancio::imgGuidaClick()
{
    TfrmGuida::open(this, HelpPage::PrimaNota);
}
