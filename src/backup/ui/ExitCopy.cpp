#include "ExitCopy.h"

#include "backup/BackupMaker.h"
#include "common/Platform.h"
#include "common/ui/UiPlatform.h"

namespace ExitCopy {

void run()
{
    const BackupOutcome outcome = BackupMaker(Platform::folder().path()).make(Platform::clock().now());
    const QString text = BackupMaker::message(outcome);
    if (!text.isEmpty())
        UiPlatform::warning(nullptr, text);
}

} // namespace ExitCopy
