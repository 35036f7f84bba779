#pragma once

#include "common/ListRows.h"
#include "common/RecordScan.h"
#include "common/TSchedaMovimento.h"

#include <QDate>
#include <QList>

// The two lists of a year's movements: the search by criteria and the payments
// due. Both are the one movement scan with their own filter.
namespace MovementLists {

using Criterion = SearchCriterion<TSchedaMovimento>;
using Criteria = QList<Criterion>;

// Every movement whose fields contain all the filled criteria (the rule of the
// member search), from the year file at `path`.
ListScan search(const QString &path, const Criteria &criteria);

// A movement is due when it is not settled (Saldato exactly "No") and its
// notice period has begun or its due date has passed. Unreadable when it is not
// settled and its due date or days of notice cannot be read.
ScanVerdict judgeDue(QStringView saldato, QStringView dataSca, QStringView preavviso, const QDate &today);

// The payments due on `today` in the year file at `path`. A movement that
// cannot be judged is left out and counted in skipped; the scan goes on.
ListScan paymentsDue(const QString &path, const QDate &today);

} // namespace MovementLists
