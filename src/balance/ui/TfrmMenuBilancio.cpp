#include "TfrmMenuBilancio.h"

#include "PickCombo.h"
#include "TfrmBilancio.h"
#include "balance/PrimaNota.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"
#include "yearview/ui/TfrmAndamento.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <exception>

using Form::Kind;
using PeriodChoice::Field;

namespace {

QString boxStyle(const char *name, const QString &background, const QString &border, int radius)
{
    return QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
        .arg(QString::fromLatin1(name), background, border)
        .arg(radius);
}

// One date group: day and month drop-downs, each with its focus frame, and the
// year in large type beside them.
struct DateGroup
{
    QGroupBox *box;
    PickCombo *day;
    PickCombo *month;
    QLabel *year;
};

DateGroup buildDateGroup(QWidget *parent, const char *boxName, const QString &caption, const QRect &place,
                         const char *suffix)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(boxName));
    box->setGeometry(place);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid %1; border-radius: 6px; margin-top: 10px; background: white; color: %2; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 2px; }")
                           .arg(Palette::sky.name(), Palette::navy.name()));
    const QString s = QString::fromLatin1(suffix);
    QFont plain = box->font();
    plain.setBold(false);

    const auto addCaption = [&](const QString &name, const QString &text, int x) {
        auto *l = new QLabel(text, box);
        l->setObjectName(name);
        l->setFont(plain);
        l->setGeometry(x, 30, 120, 17);
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    };
    const auto combo = [&](const QString &name, const QStringList &items, int x, int w, int maxLength) {
        auto *frame = new FocusFrame(box);
        frame->setObjectName(Form::frameName(name));
        const QRect at(x, 50, w, 28);
        frame->setGeometry(at.adjusted(-4, -4, 4, 4));
        auto *c = new PickCombo(box);
        c->setObjectName(name);
        c->setFont(plain);
        c->setGeometry(at);
        c->addItems(items);
        c->lineEdit()->setMaxLength(maxLength);
        c->setFocusFrame(frame);
        return c;
    };
    addCaption(QStringLiteral("titGiorno") + s, QStringLiteral("Giorno:"), 18);
    addCaption(QStringLiteral("titMese") + s, QStringLiteral("Mese:"), 106);
    PickCombo *day = combo(QStringLiteral("txtGiorno") + s, PeriodChoice::dayItems(), 18, 72, 2);
    PickCombo *month = combo(QStringLiteral("txtMese") + s, PeriodChoice::monthItems(), 106, 132, 9);
    auto *year = new QLabel(box);
    year->setObjectName(QStringLiteral("lblAnno") + s);
    QFont big = box->font();
    big.setPointSize(20);
    year->setFont(big);
    year->setGeometry(248, 42, 66, 40);
    year->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    return {box, day, month, year};
}

} // namespace

TfrmMenuBilancio::TfrmMenuBilancio(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Primanota e Bilancio"), QSize(995, 692), parent)
{
    buildControls();
    connectControls();
}

void TfrmMenuBilancio::buildControls()
{
    QWidget *p = panel();
    Form::Controls c;
    Form::build(p,
                {
                    {"shpContainer", Kind::Shape, {}, 0, 0, 995, 692},
                    {"imgIntestazione", Kind::Picture, {}, 148, 24, 698, 57, "banner_bilancio_menu"},
                    {"shpAnno", Kind::Shape, {}, 148, 100, 698, 140},
                    {"shpIntervallo", Kind::Shape, {}, 148, 256, 698, 170},
                    {"imgDecoro", Kind::Picture, {}, 357, 436, 280, 150, "illus_bilancio"},
                    {"shpComandi", Kind::Shape, {}, 148, 600, 698, 60},
                },
                c);
    const auto style = [&](const char *name, const QString &css) { c.widget(QString::fromLatin1(name))->setStyleSheet(css); };
    style("shpContainer",
          boxStyle("shpContainer",
                   QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF4FC, stop:1 #C8DCF2)"),
                   Palette::sky.name(), 10));
    for (const char *box : {"shpAnno", "shpIntervallo"})
        style(box, boxStyle(box, QStringLiteral("rgba(255, 255, 255, 170)"), Palette::sky.name(), 8));
    style("shpComandi", boxStyle("shpComandi", Palette::navy.name(), Palette::navy.name(), 8));

    Form::build(p,
                {
                    {"lblRigo01", Kind::Bold,
                     QStringLiteral("Indicare l'anno solare di interesse e una causale."), 168, 112, 660, 20},
                    {"titAnno", Kind::Label, QStringLiteral("Anno:"), 168, 142, 80, 17},
                    {"titTipologia", Kind::Label, QStringLiteral("Causale:"), 272, 142, 200, 17},
                    {"txtAnno", Kind::Edit, {}, 168, 162, 80, 26, nullptr, 4},
                    {"txtTipologia", Kind::Edit, {}, 272, 162, 554, 26, nullptr, 250},
                    {"lblRigo02", Kind::Label,
                     QStringLiteral("Per ottenere lo storico di tutti i movimenti in entrata e in uscita, non "
                                    "indicare nessuna causale."),
                     168, 204, 660, 20},
                    {"lblRigo03", Kind::Bold,
                     QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare."), 168,
                     268, 660, 20},
                },
                c);
    for (const char *name : {"lblRigo01", "titAnno", "titTipologia", "lblRigo02", "lblRigo03"})
        c.get<QLabel>(QString::fromLatin1(name))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    txtAnno = c.get<FieldEdit>(QStringLiteral("txtAnno"));
    txtTipologia = c.get<FieldEdit>(QStringLiteral("txtTipologia"));

    const DateGroup start =
        buildDateGroup(p, "grpDataInizio", QStringLiteral(" Data inizio intervallo: "), QRect(168, 298, 320, 108),
                       "Inizio");
    const DateGroup end =
        buildDateGroup(p, "grpDataFine", QStringLiteral(" Data fine intervallo: "), QRect(506, 298, 320, 108), "Fine");
    grpDataInizio = start.box;
    txtGiornoInizio = start.day;
    txtMeseInizio = start.month;
    lblAnnoInizio = start.year;
    grpDataFine = end.box;
    txtGiornoFine = end.day;
    txtMeseFine = end.month;
    lblAnnoFine = end.year;

    Form::build(p,
                {
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 164, 612, 120, 36},
                    {"lblAttendere", Kind::Label, QStringLiteral("Caricamento riepilogo in corso. Attendere..."),
                     296, 612, 354, 36},
                    {"btnVisualizza", Kind::Button, QStringLiteral("Visualizza riepilogo"), 662, 612, 168, 36},
                    {"btnRendiconto", Kind::Button, QStringLiteral("Rendiconto per cassa"), 470, 612, 180, 36},
                    {"btnAndamento", Kind::Button, QStringLiteral("Andamento"), 296, 612, 162, 36},
                    {"lblDataInizio", Kind::Hidden, {}, 0, 0, 10, 10},
                    {"lblDataFine", Kind::Hidden, {}, 0, 0, 10, 10},
                    {"lblFile", Kind::Hidden, QStringLiteral("FilePath"), 0, 0, 10, 10},
                },
                c);
    btnEsci = c.get<QPushButton>(QStringLiteral("btnEsci"));
    btnVisualizza = c.get<QPushButton>(QStringLiteral("btnVisualizza"));
    lblAttendere = c.get<QLabel>(QStringLiteral("lblAttendere"));
    btnRendiconto = c.get<QPushButton>(QStringLiteral("btnRendiconto"));
    btnAndamento = c.get<QPushButton>(QStringLiteral("btnAndamento"));
    // The waiting notice covers the button while the prima nota is being read.
    lblAttendere->raise();
    lblDataInizio = c.get<QLabel>(QStringLiteral("lblDataInizio"));
    lblDataFine = c.get<QLabel>(QStringLiteral("lblDataFine"));
    lblFile = c.get<QLabel>(QStringLiteral("lblFile"));

    QFont notice = lblAttendere->font();
    notice.setPointSize(12);
    lblAttendere->setFont(notice);
    lblAttendere->setAlignment(Qt::AlignCenter);
    // Dark cyan reads badly on the navy bar: the notice keeps its colour on a light plate.
    lblAttendere->setStyleSheet(QStringLiteral("QLabel { color: #008B8B; background: white; border-radius: 6px; }"));
    lblAttendere->hide();

    txtAnno->setAllowedCharacters(QStringLiteral("0123456789"));
    // The year names a file in the program's folder: only digits may get in.
    txtAnno->setContextMenuPolicy(Qt::NoContextMenu);
    txtAnno->setAcceptDrops(false);

    // The focus order: year, reason, start day and month, end day and month, the button.
    QWidget::setTabOrder(txtAnno, txtTipologia);
    QWidget::setTabOrder(txtTipologia, txtGiornoInizio);
    QWidget::setTabOrder(txtGiornoInizio, txtMeseInizio);
    QWidget::setTabOrder(txtMeseInizio, txtGiornoFine);
    QWidget::setTabOrder(txtGiornoFine, txtMeseFine);
    QWidget::setTabOrder(txtMeseFine, btnVisualizza);
    QWidget::setTabOrder(btnVisualizza, btnRendiconto);
    QWidget::setTabOrder(btnRendiconto, btnAndamento);
    QWidget::setTabOrder(btnAndamento, btnEsci);
}

void TfrmMenuBilancio::connectControls()
{
    connect(txtAnno, &FieldEdit::enterPressed, this, [this] { txtTipologia->setFocus(Qt::TabFocusReason); });
    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuBilancio::copyYear);
    connect(txtAnno, &FieldEdit::left, this, &TfrmMenuBilancio::copyYear);
    connect(txtTipologia, &FieldEdit::enterPressed, this, [this] { txtGiornoInizio->setFocus(Qt::TabFocusReason); });

    const std::pair<PickCombo *, QWidget *> enterCycle[] = {
        {txtGiornoInizio, txtMeseInizio},
        {txtMeseInizio, txtGiornoFine},
        {txtGiornoFine, txtMeseFine},
        {txtMeseFine, btnVisualizza},
    };
    for (const auto &[from, to] : enterCycle) {
        QWidget *next = to;
        connect(from, &PickCombo::enterPressed, this, [next] { next->setFocus(Qt::TabFocusReason); });
    }
    for (PickCombo *day : {txtGiornoInizio, txtGiornoFine})
        connect(day, &PickCombo::left, this, [day] {
            if (PeriodChoice::keptDay(day->currentText()).isEmpty())
                day->clearChoice();
        });
    for (PickCombo *month : {txtMeseInizio, txtMeseFine})
        connect(month, &PickCombo::left, this, [month] {
            if (PeriodChoice::keptMonth(month->currentText()).isEmpty())
                month->clearChoice();
        });

    connect(btnVisualizza, &QPushButton::pressed, this, &TfrmMenuBilancio::btnVisualizzaMouseDown);
    connect(btnVisualizza, &QPushButton::clicked, this, &TfrmMenuBilancio::btnVisualizzaClick);
    connect(btnEsci, &QPushButton::clicked, this, [this] { closeScreen(); });
    connect(btnRendiconto, &QPushButton::clicked, this, &TfrmMenuBilancio::statementRequested);
    // The year at a glance opens on the year typed here, or on this year.
    connect(btnAndamento, &QPushButton::clicked, this, [this] {
        const QString t = TextRules::trim(txtAnno->text());
        const int typed = t.size() == 4 ? t.toInt() : 0;
        TfrmAndamento::open(this, typed >= 1900 ? typed : Platform::clock().today().year());
    });
    // Enter on the button runs it, as Enter walks the fields up to it.
    btnVisualizza->installEventFilter(this);
}

bool TfrmMenuBilancio::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == btnVisualizza && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnVisualizza->click();
            return true;
        }
    }
    return PanelScreen::eventFilter(watched, e);
}

void TfrmMenuBilancio::showEvent(QShowEvent *e)
{
    PanelScreen::showEvent(e);
    // Every visit from the start menu starts afresh; a window merely restored by
    // the desktop keeps what it shows.
    if (e->spontaneous())
        return;
    for (PickCombo *combo : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine})
        combo->clearChoice();
    txtTipologia->clear();
    const QString year = QString::number(Platform::clock().today().year()).rightJustified(4, QLatin1Char('0'));
    txtAnno->setText(year);
    lblAnnoInizio->setText(year);
    lblAnnoFine->setText(year);
    txtTipologia->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuBilancio::copyYear()
{
    const QString year = TextRules::trim(txtAnno->text());
    lblAnnoInizio->setText(year);
    lblAnnoFine->setText(year);
}

QWidget *TfrmMenuBilancio::fieldOf(Field field) const
{
    switch (field) {
    case Field::Year:
        return txtAnno;
    case Field::StartDay:
        return txtGiornoInizio;
    case Field::StartMonth:
        return txtMeseInizio;
    case Field::EndDay:
        return txtGiornoFine;
    case Field::EndMonth:
        return txtMeseFine;
    }
    return nullptr;
}

void TfrmMenuBilancio::btnVisualizzaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmMenuBilancio::btnVisualizzaClick()
{
    // Also when the button is run from the keyboard, where no mouse went down.
    btnVisualizzaMouseDown();
    try {
        lblDataInizio->clear();
        lblDataFine->clear();
        const PeriodChoice::Outcome o = PeriodChoice::check({txtAnno->text(), txtGiornoInizio->currentText(),
                                                             txtMeseInizio->currentText(), txtGiornoFine->currentText(),
                                                             txtMeseFine->currentText()});
        lblDataInizio->setText(o.startDate);
        lblDataFine->setText(o.endDate);
        if (o.problem) {
            const PeriodChoice::Problem &problem = *o.problem;
            if (problem.kind == PeriodChoice::Problem::Kind::Warning)
                UiPlatform::warning(this, problem.message);
            else
                UiPlatform::plain(this, problem.message);
            if (problem.focus)
                fieldOf(*problem.focus)->setFocus(Qt::OtherFocusReason);
            lblAttendere->hide();
            return;
        }
        lblFile->setText(Platform::folder().file(o.fileName));
        openList();
    } catch (const std::exception &) {
        UiPlatform::plain(this, PeriodChoice::notAccessible());
    }
    lblAttendere->hide();
}

void TfrmMenuBilancio::openList()
{
    const PrimaNota::Request request{txtTipologia->text(), lblDataInizio->text(), lblDataFine->text(),
                                     lblFile->text()};
    openDialog<TfrmBilancio>(this, [&](TfrmBilancio &list) { list.setRequest(request); });
}
