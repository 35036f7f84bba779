#include "MemberSearch.h"

#include "MemberArchiveScan.h"

namespace MemberSearch {

ListScan run(const Criteria &criteria) { return MemberArchiveScan::list(MemberArchiveScan::AllCriteria(criteria)); }

} // namespace MemberSearch
