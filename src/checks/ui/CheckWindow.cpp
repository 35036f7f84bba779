#include "CheckWindow.h"

#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/UiPlatform.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// The font at its design size, made smaller only as far as needed for `sample`
// to fit in `width` pixels: the title and a full-length code are always read whole.
QFont fitted(QFont font, const QString &sample, int width)
{
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(sample) > width)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

} // namespace

CheckWindow::CheckWindow(const Look &look, QWidget *parent)
    : FixedDialog(look.caption, look.client, parent)
    , m_top(look.top)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setGeometry((look.client.width() - look.panel.width()) / 2,
                       (look.client.height() - look.panel.height()) / 2, look.panel.width(), look.panel.height());

    // Everything below the title follows from the title's place.
    const int inner = look.panel.width() - 32;
    const int titleY = look.titleY;
    const int frameY = titleY + 23;
    const int editY = frameY + 10;
    const int containerH = frameY + 50 + 9 - 8;
    const int closeY = 8 + containerH + 7;
    const int controllaX = look.panel.width() - 16 - 9 - 160;

    Form::build(panel,
                {
                    {"shpContainer", Form::Kind::Shape, {}, 8, 8, look.panel.width() - 16, containerH},
                    {"imgLogo", Form::Kind::Picture, {}, 16, 16, inner, look.bannerHeight, look.banner},
                    {"lblTitolo", Form::Kind::Label, look.title, 16, titleY, inner, 20},
                    {"shpCodFisc", Form::Kind::Shape, {}, 16, frameY, inner, 50},
                    {look.editName, Form::Kind::Edit, {}, 26, editY, look.editWidth, 28, nullptr, look.maxLength},
                    {"btnControlla", Form::Kind::Button, QStringLiteral("Controlla"), controllaX, editY, 160, 28},
                    {"btnChiudi", Form::Kind::Button, QStringLiteral("Chiudi"), look.closeX, closeY, 116, 28},
                },
                m_controls);

    m_controls.widget(QStringLiteral("shpContainer"))
        ->setStyleSheet(QStringLiteral("QWidget#shpContainer { %1 border-radius: 6px; }").arg(look.containerStyle));
    m_controls.widget(QStringLiteral("shpCodFisc"))
        ->setStyleSheet(QStringLiteral("QWidget#shpCodFisc { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                       "stop:0 %1, stop:1 #ffffff); border-radius: 6px; %2 }")
                            .arg(look.top.name(),
                                 look.frameOutline.isEmpty()
                                     ? QString()
                                     : QStringLiteral("border: 1px solid %1;").arg(look.frameOutline)));

    auto *title = m_controls.get<QLabel>(QStringLiteral("lblTitolo"));
    title->setFont(fitted(QFont(QStringLiteral("Arial"), 12), look.title, inner));

    m_entry = m_controls.get<FieldEdit>(QString::fromLatin1(look.editName));
    QFont mono(QStringLiteral("Courier New"), 20);
    mono.setBold(true);
    // Room for the frame and the text margins of the edit.
    m_entry->setFont(fitted(mono, QString(look.maxLength, QLatin1Char('W')), look.editWidth - 10));
    // The frame of the entry line already marks it; the card's focus frame is not used here.
    m_controls.widget(Form::frameName(m_entry->objectName()))->setVisible(false);
    m_entry->setFocusFrame(nullptr);

    auto *controlla = m_controls.get<QPushButton>(QStringLiteral("btnControlla"));
    auto *chiudi = m_controls.get<QPushButton>(QStringLiteral("btnChiudi"));
    for (auto *b : {controlla, chiudi})
        b->setFont(QFont(QStringLiteral("Verdana"), 9));
    connect(m_entry, &FieldEdit::enterPressed, controlla, [controlla] { controlla->setFocus(); });
    connect(controlla, &QPushButton::clicked, this, &CheckWindow::controlla);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);
}

void CheckWindow::setInput(const QString &text) { m_entry->setText(text); }

void CheckWindow::keepTrimmedUpper()
{
    m_trimUpper = true;
    m_entry->setTextRule(FieldEdit::TextRule::TrimUpper);
    m_entry->installEventFilter(this);
}

bool CheckWindow::eventFilter(QObject *watched, QEvent *e)
{
    // Besides every typed change, each key release puts the text in order again,
    // so text handed over by the card follows the rule once a key is touched.
    if (watched == m_entry && m_trimUpper && e->type() == QEvent::KeyRelease) {
        const QString tidy = TextRules::upperAZ(TextRules::trim(m_entry->text()));
        if (tidy != m_entry->text()) {
            const int cursor = std::min<int>(m_entry->cursorPosition(), int(tidy.size()));
            m_entry->setText(tidy);
            m_entry->setCursorPosition(cursor);
        }
    }
    return FixedDialog::eventFilter(watched, e);
}

void CheckWindow::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    m_entry->setFocus();
}

void CheckWindow::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_top);
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
    FixedDialog::paintEvent(e);
}

void CheckWindow::controlla()
{
    const CheckOutcome outcome = check(m_entry->text());
    if (outcome.kind == CheckOutcome::Kind::Information)
        UiPlatform::information(this, outcome.text);
    else
        UiPlatform::warning(this, outcome.text);
    if (outcome.closesWindow)
        close();
    else
        m_entry->setFocus();
}
