#include "StatementLook.h"

#include "common/ui/Palette.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTableWidget>

namespace StatementLook {

void followHints(const QHash<QObject *, QString> &hints, QLabel *panInfo, QObject *watched, QEvent *e)
{
    if (!hints.contains(watched))
        return;
    if (e->type() == QEvent::Enter)
        panInfo->setText(hints.value(watched));
    else if (e->type() == QEvent::Leave)
        panInfo->clear();
}

void paintBackground(QWidget *window)
{
    QPainter p(window);
    QLinearGradient g(0, 0, 0, window->height());
    g.setColorAt(0, QColor(0xEE, 0xF4, 0xFC));
    g.setColorAt(1, QColor(0xC8, 0xDC, 0xF2));
    p.fillRect(window->rect(), g);
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &heads)
{
    auto *t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->setVisible(false);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);
    t->setAlternatingRowColors(true);
    t->setStyleSheet(QStringLiteral("QTableWidget { background: white; alternate-background-color: %1; }"
                                    "QHeaderView::section { background: %2; color: white; font-weight: bold; "
                                    "padding: 3px; border: none; }")
                         .arg(QColor(0xF3, 0xF8, 0xFD).name(), Palette::navy.name()));
    return t;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment align)
{
    auto *it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    it->setTextAlignment(align);
    return it;
}

void showLines(QTableWidget *t, const QList<CashStatement::Line> &lines)
{
    using Kind = CashStatement::Line::Kind;
    enum { Code, Text, Current, Previous, Columns };
    t->setRowCount(0);
    t->setRowCount(int(lines.size()));
    QFont bold = t->font();
    bold.setBold(true);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    for (int row = 0; row < lines.size(); ++row) {
        const CashStatement::Line &l = lines.at(row);
        t->setItem(row, Code, cell(l.kind == Kind::Item ? l.id : QString()));
        t->setItem(row, Text, cell(l.text));
        t->item(row, Text)->setToolTip(l.text);
        if (l.kind != Kind::Heading) {
            t->setItem(row, Current, cell(CashStatement::euro(l.current), right));
            t->setItem(row, Previous, cell(CashStatement::euro(l.previous), right));
        }
        for (int col = 0; col < Columns; ++col) {
            if (l.kind == Kind::Heading && !t->item(row, col))
                t->setItem(row, col, cell(QString()));
            if (l.kind == Kind::Heading)
                t->item(row, col)->setBackground(Palette::paleBlue);
            if (l.kind != Kind::Item)
                t->item(row, col)->setFont(bold);
        }
    }
    t->resizeRowsToContents();
}

} // namespace StatementLook
