#pragma once

#include "ReceiptContent.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What each receipt of a year printed when its number was given, kept beside
// the year's register ("Ricevute2024.ini" beside "2024.eur"), one section per
// number, so that a reprint says word for word what the original said. It is
// written only under the register's exclusive lock, as the numbers are.
namespace ReceiptArchive {

QString pathFor(const QString &yearFile);

// The file as it is: empty when there is none yet; nothing when it cannot be
// read (*error says why).
std::optional<QByteArray> read(const QString &path, QString *error);

bool holds(const QByteArray &content, const QString &number);
std::optional<ReceiptContent> find(const QByteArray &content, const QString &number);
// The content with the receipt kept under its number (replacing what was there).
QByteArray with(const QByteArray &content, const ReceiptContent &receipt);

// Checked save of the whole file: a failed write leaves the old one as it was.
bool save(const QString &path, const QByteArray &content, QString *error);

} // namespace ReceiptArchive
