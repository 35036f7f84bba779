#include "TfrmCalendario.h"

#include "common/Platform.h"
#include "common/ui/FormBuilder.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using Form::Kind;

TfrmCalendario::TfrmCalendario(QWidget *parent)
    : FixedDialog(QStringLiteral(" Importazione data"), QSize(253, 294), parent)
{
    auto c = Form::build(this, {
        {"lblCampo001", Kind::Label, QStringLiteral("Importare una data:"), 20, 12, 213, 20},
        {"bkgCalendario", Kind::Shape, {}, 30, 40, 194, 176},
        {"btnImportaData", Kind::Button, QStringLiteral("Importa"), 30, 236, 94, 34},
        {"btnAnnulla", Kind::Button, QStringLiteral("Annulla"), 130, 236, 94, 34},
        {"lblMemory", Kind::Hidden, {}, 0, 0, 10, 10},
    });
    auto *heading = c.get<QLabel>(QStringLiteral("lblCampo001"));
    QFont hf(QStringLiteral("Verdana"));
    hf.setPointSize(10);
    hf.setBold(true);
    heading->setFont(hf);
    heading->setStyleSheet(QStringLiteral("color: #1B3358;"));
    c.widget(QStringLiteral("bkgCalendario"))
        ->setStyleSheet(QStringLiteral("QWidget#bkgCalendario { background: #D6DCE1; border: 1px solid white; }"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calendar->setGeometry(36, 46, 182, 164);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    m_calendar->setGridVisible(false);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    QFont cf = m_calendar->font();
    cf.setPointSize(8);
    m_calendar->setFont(cf);
    // Every use starts from today, whatever the field holds.
    m_calendar->setSelectedDate(Platform::clock().today());

    m_lblMemory = c.get<QLabel>(QStringLiteral("lblMemory"));
    auto *importa = c.get<QPushButton>(QStringLiteral("btnImportaData"));
    auto *annulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));
    for (auto *b : {importa, annulla})
        b->setAutoDefault(false);
    setTabOrder(m_calendar, importa);
    setTabOrder(importa, annulla);
    m_calendar->setFocus();
    connect(importa, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QDate> TfrmCalendario::pick(QWidget *owner, Field field)
{
    return runDialog<TfrmCalendario>(
        owner, [field](TfrmCalendario &c) { c.setField(field); },
        [](const TfrmCalendario &c) { return c.imported(); });
}

void TfrmCalendario::setField(Field field)
{
    m_field = field;
    m_lblMemory->setText(modeText(field));
}

QString TfrmCalendario::modeText(Field field)
{
    switch (field) {
    case Field::MemberExpiry:
        return QStringLiteral("datasca");
    case Field::MovementDate:
        return QStringLiteral("movimenti_data");
    case Field::MovementDue:
        return QStringLiteral("movimenti_scadenza");
    }
    return {};
}

void TfrmCalendario::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0x46, 0x82, 0xB4));
    p.fillRect(rect(), g);
}

void TfrmCalendario::btnImportaDataClick()
{
    // A picker that was told no field has nowhere for the day to go: it stays open.
    if (!m_field)
        return;
    m_imported = m_calendar->selectedDate();
    accept();
}
