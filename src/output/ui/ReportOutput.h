#pragma once

#include <QStringList>

class QWidget;

// Output of the list screens through the list template.
namespace ReportOutput {

// Prints the rows under the title through the print dialog.
void printList(QWidget *parent, const QString &title, const QStringList &rows);

} // namespace ReportOutput
