#include "Shared_State.h"

namespace vo {

QString Shared_State::Text(int Id) const {
    if (Id < 0 || Id >= Lang_Strings.size())
        return QStringLiteral(" ");
    return Lang_Strings[Id];
}

} // namespace vo
