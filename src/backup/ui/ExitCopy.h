#pragma once

// The copy made when the program ends: of the program folder's data into its
// folder Backup, at the clock's time. A copy that could not be made is reported
// in one message box; the program ends all the same.
namespace ExitCopy {

void run();

} // namespace ExitCopy
