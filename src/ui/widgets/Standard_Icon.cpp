#include "Standard_Icon.h"

#include <QApplication>
#include <QHash>
#include <QPointer>

namespace vo {

namespace {

struct Icon_Cache {
    QPointer<QStyle> Style;
    QHash<int, QIcon> Icons;
};

Icon_Cache& Cache() {
    static Icon_Cache Shared;
    return Shared;
}

// The pictures go with the application, not with the static data that outlives it.
void Drop_Icons() {
    Cache().Icons.clear();
}

} // namespace

QIcon Standard_Icon(QStyle::StandardPixmap Which) {
    Icon_Cache& Shared = Cache();
    QStyle* const Style = QApplication::style();
    if (Shared.Style != Style) {
        Shared.Icons.clear();
        Shared.Style = Style;
    }
    const auto Found = Shared.Icons.constFind(Which);
    if (Found != Shared.Icons.constEnd())
        return *Found;
    // Each application object that fills the cache empties it when it ends.
    if (Shared.Icons.isEmpty())
        qAddPostRoutine(&Drop_Icons);
    return *Shared.Icons.insert(Which, Style->standardIcon(Which));
}

} // namespace vo
