#pragma once

#include "statement/CashStatement.h"

#include <QHash>
#include <QString>

class QEvent;
class QLabel;
class QObject;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

// What the statement's windows share: the hint line that follows the mouse over
// their commands, their pale blue background and their tables.
namespace StatementLook {

// Writes the hint of `watched` into panInfo when the mouse enters it and empties
// the line when it leaves; other objects and events are left alone.
void followHints(const QHash<QObject *, QString> &hints, QLabel *panInfo, QObject *watched, QEvent *e);

// Fills the window with its top-to-bottom gradient.
void paintBackground(QWidget *window);

// A read-only table with a navy header and one row selected at a time.
QTableWidget *table(QWidget *parent, const char *name, const QStringList &heads);
// A read-only cell.
QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
// The lines of the form in a table of code, text and the two years' amounts:
// headings on a pale band, totals and results in bold.
void showLines(QTableWidget *table, const QList<CashStatement::Line> &lines);

} // namespace StatementLook
