#include "Update_Lock.h"

#include "util/Path_Join.h"

namespace vo {

Update_Lock::Update_Lock(const QString& Exe_Dir)
    : Writer_Lock(Join_Path(Exe_Dir, QStringLiteral("Update.lock"))) {}

} // namespace vo
