#include "Configuration_Lock.h"

#include "util/Path_Join.h"

namespace vo {

Configuration_Lock::Configuration_Lock(const QString& Project_Path)
    : Writer_Lock(Join_Path(Project_Path, QStringLiteral(".vo40913.lock"))) {}

} // namespace vo
