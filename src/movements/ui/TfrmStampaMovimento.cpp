#include "TfrmStampaMovimento.h"

#include "common/Platform.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/PictureButton.h"
#include "movements/MovementCardReport.h"
#include "output/ui/ReportOutput.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

using Form::Kind;

TfrmStampaMovimento::TfrmStampaMovimento(QWidget *parent)
    : FixedDialog(QStringLiteral(" Stampa scheda corrente"), QSize(364, 287), parent),
      m_repDocumento(MovementCardReport::create())
{
    Form::Controls c = Form::build(this, {
        {"shpSfondo", Kind::Shape, {}, 18, 18, 328, 208, "#ffffff"},
        {"imgStampante", Kind::Picture, {}, 18, 32, 328, 180, "stampa_movimento"},
        {"btnAnnulla", Kind::Button, QStringLiteral("Annulla"), 18, 241, 137, 28},
        {"btnStampa", Kind::Button, QStringLiteral("Stampa"), 209, 241, 137, 28},
    });
    auto *annulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));
    auto *stampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    const QFont buttons(QStringLiteral("Verdana"), 9);
    for (QPushButton *b : {annulla, stampa}) {
        b->setFont(buttons);
        b->setAutoDefault(false);
    }
    connect(annulla, &QPushButton::clicked, this, &QDialog::close);
    connect(stampa, &QPushButton::clicked, this, &TfrmStampaMovimento::btnStampaClick);
}

void TfrmStampaMovimento::setCard(const MovementCardValues &card) { m_card = card; }

void TfrmStampaMovimento::btnStampaClick()
{
    MovementCardReport::fill(*m_repDocumento, m_card, Platform::clock().now());
    m_repDocumento->PrepareReport(true);
    // Printed or cancelled in the dialog, the screen closes.
    ReportOutput::Print(this, *m_repDocumento);
    close();
}

void TfrmStampaMovimento::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x74, 0x94, 0xB3));
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}
