#include "MemberPrintScreen.h"

#include "common/Platform.h"
#include "common/ui/Art.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/PictureButton.h"
#include "members/MemberCardReport.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

using Form::Kind;

MemberPrintScreen::MemberPrintScreen(const Texts &texts, QWidget *parent)
    : FixedDialog(texts.caption, QSize(364, 361), parent), m_repScheda(MemberCardReport::createScheda()),
      m_repFoto(MemberCardReport::createFoto())
{
    const QRect b = texts.bannerGeometry;
    // Table order is tab order: the two buttons first, then the choice.
    Form::Controls c = Form::build(this, {
        {"shpSfondo", Kind::Shape, {}, 18, 18, 326, 207, "#ffffff"},
        {"imgLogo02", Kind::Picture, {}, b.x(), b.y(), b.width(), b.height()},
        {"btnAnnulla", Kind::Button, QStringLiteral("Annulla"), 18, 315, 137, 28},
        {"btnStampa", Kind::Button, texts.confirm, 208, 315, 137, 28},
        {"lblMemory", Kind::Hidden, QStringLiteral("con"), 0, 0, 40, 16},
        {"imgLogo", Kind::Picture, {}, 0, 0, 230, 307},
        {"imgBianco", Kind::Picture, {}, 0, 0, 230, 307},
    });
    c.get<Picture>(QStringLiteral("imgLogo02"))->setArt(texts.banner);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panScelta"));
    panel->setGeometry(16, 232, 329, 73);
    Form::Controls p = Form::build(panel, {
        {"shpScelta", Kind::Shape, {}, 4, 4, 321, 65, "#ffffff"},
        {"optUno", Kind::Radio, texts.withPhoto, 16, 12, 300, 22},
        {"optDue", Kind::Radio, texts.withoutPhoto, 16, 38, 300, 22},
    });

    QFont verdana(QStringLiteral("Verdana"), 12);
    auto *optUno = p.get<QRadioButton>(QStringLiteral("optUno"));
    auto *optDue = p.get<QRadioButton>(QStringLiteral("optDue"));
    for (QRadioButton *o : {optUno, optDue}) {
        o->setFont(verdana);
        o->setCursor(Qt::PointingHandCursor);
    }
    optUno->setChecked(true);
    auto *annulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));
    auto *stampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    QFont buttons(QStringLiteral("Verdana"), 9);
    annulla->setFont(buttons);
    stampa->setFont(buttons);
    QWidget::setTabOrder(stampa, optUno);
    QWidget::setTabOrder(optUno, optDue);

    m_memory = c.get<QLabel>(QStringLiteral("lblMemory"));
    m_logo = c.get<Picture>(QStringLiteral("imgLogo"));
    m_blank = c.get<Picture>(QStringLiteral("imgBianco"));
    m_logo->setVisible(false);
    m_blank->setVisible(false);
    m_blank->setImage(Art::pixmap(QStringLiteral("photo_placeholder_print"), QSize(230, 307)).toImage());
    m_logo->setImage(m_blank->image());

    // Only the last click counts.
    connect(optUno, &QRadioButton::clicked, this, [this] {
        m_choice = Choice::WithPhoto;
        m_memory->setText(QStringLiteral("con"));
    });
    connect(optDue, &QRadioButton::clicked, this, [this] {
        m_choice = Choice::WithoutPhoto;
        m_memory->setText(QStringLiteral("senza"));
    });
    connect(annulla, &QPushButton::clicked, this, &QDialog::close);
    connect(stampa, &QPushButton::clicked, this, &MemberPrintScreen::btnStampaClick);
}

void MemberPrintScreen::setPhoto(const QImage &photo)
{
    // A card whose picture cannot be taken prints the placeholder portrait.
    m_logo->setImage(photo.isNull() ? m_blank->image() : photo);
}

QImage MemberPrintScreen::photo() const { return m_logo->image(); }

ReportTemplate &MemberPrintScreen::prepareCard(const TSchedaSocio &card)
{
    ReportTemplate &report = m_choice == Choice::WithoutPhoto ? *m_repScheda : *m_repFoto;
    MemberCardReport::fill(report, card, m_logo->image(), Platform::clock().now());
    report.PrepareReport(true);
    return report;
}

void MemberPrintScreen::btnStampaClick()
{
    output(prepareCard(m_member));
    m_printed = m_choice;
    close();
}

void MemberPrintScreen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x46, 0x82, 0xB4));
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}
