#pragma once

#include <QDateTime>
#include <QList>

// Which copies stay: the newest twenty, and the newest copy of each of the last
// twelve months (the current month and the eleven before it), so that a fault
// noticed weeks later can still be undone from a copy made before it.
namespace BackupRotation {

constexpr int kKeepNewest = 20;
constexpr int kKeepMonths = 12;

// The copies among `copies` (their times, in any order) that are to be deleted
// at time now.
QList<QDateTime> toDelete(QList<QDateTime> copies, const QDateTime &now);

} // namespace BackupRotation
