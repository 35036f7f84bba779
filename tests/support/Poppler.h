#pragma once

#include <QString>
#include <QStringList>

// Runs one of the poppler tools (pdftotext, pdfinfo...) on a printed PDF and
// returns what it wrote; empty when the tool is missing or did not finish.
QString poppler(const QString &tool, const QStringList &args);
