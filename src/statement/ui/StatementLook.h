#pragma once

#include <QHash>
#include <QString>

class QEvent;
class QLabel;
class QObject;
class QWidget;

// What the statement's windows share: the hint line that follows the mouse over
// their commands, and their pale blue background.
namespace StatementLook {

// Writes the hint of `watched` into panInfo when the mouse enters it and empties
// the line when it leaves; other objects and events are left alone.
void followHints(const QHash<QObject *, QString> &hints, QLabel *panInfo, QObject *watched, QEvent *e);

// Fills the window with its top-to-bottom gradient.
void paintBackground(QWidget *window);

} // namespace StatementLook
