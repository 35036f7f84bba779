#include "SearchScreen.h"

#include "FieldEdit.h"
#include "FormBuilder.h"
#include "ListScreen.h"
#include "Palette.h"
#include "UiPlatform.h"
#include "common/CardRules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {
const QColor kDarkCyan(0x00, 0x8B, 0x8B);
} // namespace

SearchScreen::SearchScreen(const Variant &variant, QWidget *parent)
    : FixedDialog(variant.caption, QSize(862, 560), parent)
{
    setStyleSheet(QStringLiteral("SearchScreen { background: white; }"));
    Form::Controls c = Form::build(this, {{"lblMemory", Form::Kind::Hidden, {}, 0, 0, 10, 10}});
    m_memory = c.get<QLabel>(QStringLiteral("lblMemory"));

    // Criteria panel: two columns of edits, in the order of the Enter cycle.
    m_criteriaPanel = new QWidget(this);
    m_criteriaPanel->setObjectName(QStringLiteral("panAvvio"));
    m_criteriaPanel->setGeometry(0, 0, 862, 560);
    Form::build(
        m_criteriaPanel,
        {
            {"imgLogo", Form::Kind::Picture, {}, 111, 10, 640, 60, variant.banner},
            {"lblRigo04", Form::Kind::Label,
             QStringLiteral(
                 "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
                 "trovare e premere il pulsante Cerca."),
             40, 80, 790, 18},
            {"lblRigo05", Form::Kind::Label, QStringLiteral("Lasciare in bianco tutti gli altri campi."), 40,
             98, 790, 18},
            {"lblRigo06", Form::Kind::Label,
             QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
             40, 116, 790, 18},
        },
        c);
    const int left = 40, right = 452, width = 370, top = 150, step = 62;
    const qsizetype half = (variant.criteria.size() + 1) / 2;
    for (qsizetype i = 0; i < variant.criteria.size(); ++i) {
        const Criterion &k = variant.criteria.at(i);
        const int x = i < half ? left : right;
        const int y = top + int(i < half ? i : i - half) * step;
        Form::build(m_criteriaPanel,
                    {
                        {k.label, Form::Kind::Bold, k.caption, x, y, width, 18},
                        {k.edit, Form::Kind::Edit, {}, x, y + 20, width, 26},
                    },
                    c);
        auto *edit = c.get<FieldEdit>(QString::fromLatin1(k.edit));
        if (QWidget *frame = edit->focusFrame())
            frame->setObjectName(QString::fromLatin1(k.frame));
        if (!m_edits.isEmpty())
            QWidget::setTabOrder(m_edits.last(), edit);
        m_edits.append(edit);
    }
    Form::build(m_criteriaPanel,
                {
                    {"lblAttendere", Form::Kind::Bold, QStringLiteral("Ricerca schede in corso. Attendere..."), 40,
                     500, 420, 22},
                    {"btnCerca", Form::Kind::Button, QStringLiteral("Cerca"), 616, 500, 110, 32},
                    {"btnAnnulla", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 500, 110, 32},
                },
                c);
    m_waiting = c.get<QLabel>(QStringLiteral("lblAttendere"));
    m_waiting->setStyleSheet(QStringLiteral("color: %1;").arg(kDarkCyan.name()));
    m_waiting->hide();

    for (qsizetype i = 0; i < m_edits.size(); ++i) {
        QLineEdit *next = m_edits.at((i + 1) % m_edits.size());
        connect(static_cast<FieldEdit *>(m_edits.at(i)), &FieldEdit::enterPressed, next,
                [next] { next->setFocus(Qt::OtherFocusReason); });
    }

    auto *cerca = c.get<QPushButton>(QStringLiteral("btnCerca"));
    connect(cerca, &QPushButton::pressed, this, &SearchScreen::btnCercaMouseDown);
    connect(cerca, &QPushButton::clicked, this, &SearchScreen::btnCercaClick);
    connect(c.get<QPushButton>(QStringLiteral("btnAnnulla")), &QPushButton::clicked, this, &QDialog::close);

    // Result panel, in the same place, shown after "Cerca".
    m_resultPanel = new QWidget(this);
    m_resultPanel->setObjectName(QStringLiteral("panContainer"));
    m_resultPanel->setGeometry(0, 0, 862, 560);
    m_resultPanel->hide();
    Form::build(m_resultPanel, {{"imgLogoRisultati", Form::Kind::Picture, {}, 111, 10, 640, 60, variant.banner}},
                c);
    m_list = new ListScreen(
        this, m_resultPanel,
        {QPoint(16, 80), 830, QRect(16, 122, 600, 28), QRect(632, 120, 110, 32), QRect(16, 162, 830, 330)},
        variant.printTitle);
    Form::build(m_resultPanel,
                {
                    {"lblRigo03", Form::Kind::Bold,
                     QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                     16, 498, 560, 20},
                    {"lblTrovate", Form::Kind::Bold, {}, 16, 520, 560, 20},
                    {"btnStampa", Form::Kind::Button, QStringLiteral("Stampa"), 616, 510, 110, 32},
                    {"btnChiudi", Form::Kind::Button, QStringLiteral("Chiudi"), 736, 510, 110, 32},
                },
                c);
    c.get<QLabel>(QStringLiteral("lblRigo03"))
        ->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::crimson.name()));
    m_found = c.get<QLabel>(QStringLiteral("lblTrovate"));
    m_found->setStyleSheet(QStringLiteral("color: %1;").arg(kDarkCyan.name()));
    connect(c.get<QPushButton>(QStringLiteral("btnStampa")), &QPushButton::clicked, m_list, &ListScreen::print);
    connect(c.get<QPushButton>(QStringLiteral("btnChiudi")), &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &ListScreen::rowChosen, this, [this](qint64 position) {
        rowChosen(position);
        close();
    });
}

QString SearchScreen::countText(qsizetype rows)
{
    return QStringLiteral("Il presente riepilogo contiene ") + QString::number(rows) + QStringLiteral(" schede.");
}

void SearchScreen::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    if (e->spontaneous())
        return;
    m_list->resetFind();
    m_edits.first()->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::closeEvent(QCloseEvent *e)
{
    m_waiting->hide();
    FixedDialog::closeEvent(e);
}

void SearchScreen::btnCercaMouseDown()
{
    // The scan of a large archive takes a moment: the notice is painted before it starts.
    m_waiting->show();
    m_waiting->repaint();
}

void SearchScreen::btnCercaClick()
{
    QStringList criteria;
    for (const QLineEdit *edit : m_edits)
        criteria.append(edit->text());
    const ListScan scan = search(criteria);
    if (!scan.complete) {
        m_waiting->hide();
        UiPlatform::plain(this, CardRules::accessError());
        return;
    }
    m_list->setRows(scan.rows);
    m_found->setText(countText(scan.rows.size()));
    m_resultPanel->show();
    m_criteriaPanel->hide();
    m_list->findEdit()->clear();
    m_list->findEdit()->setFocus(Qt::OtherFocusReason);
}
