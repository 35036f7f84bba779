#pragma once

#include "ExportDescription.h"

#include <QByteArray>
#include <QString>

// The worksheet document that spreadsheet programs open as an ".xls" file: an
// HTML table with the Office namespaces and an Excel workbook block, in
// Windows-1252, all on one line.
namespace ExportDocument {

// The whole document for the description.
QByteArray bytes(const ExportDescription &description);

// Writes the document for the description to path piece by piece, so that a
// large archive never needs the whole document in memory. As with the document
// below, the previous file is replaced only once the new one is complete and
// synced; on failure the old file stays as it was and *error says why.
bool save(const QString &path, const ExportDescription &description, QString *error = nullptr);

// Writes the document to path. The previous file is replaced only once the new
// one is complete: a failure part-way leaves it as it was. On failure returns
// false with the reason in *error.
bool save(const QString &path, const QByteArray &document, QString *error = nullptr);

} // namespace ExportDocument
