#include "String_Table.h"

#include "shell/Shared_State.h"

namespace vo {

void Load_Default_Strings(QStringList& Lang_Strings) {
    Lang_Strings.clear();
    for (int Id = 0; Id < String_Count; ++Id)
        Lang_Strings.append(QStringLiteral(" "));
}

bool Load_Language_File(QStringList&, const QString&) {
    return false;
}

void Load_Language(Shared_State& State) {
    Load_Default_Strings(State.Lang_Strings);
}

} // namespace vo
