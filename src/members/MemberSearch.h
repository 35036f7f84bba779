#pragma once

#include "common/ListRows.h"
#include "common/RecordScan.h"
#include "common/TSchedaSocio.h"

#include <QList>

// The member search: every member whose fields contain all the filled criteria,
// as rows sorted by text, each with its record's position.
namespace MemberSearch {

// The words typed for one member field, as typed.
using Criterion = SearchCriterion<TSchedaSocio>;
using Criteria = QList<Criterion>;

// Scans Soci.pro in the program's folder. A criterion takes part when its
// trimmed text is not empty; it is met when its text, not trimmed, is contained
// in the field, ignoring the case of A-Z. A member is listed when every
// criterion that takes part is met, so with no criterion filled the whole
// archive is listed.
ListScan run(const Criteria &criteria);

} // namespace MemberSearch
