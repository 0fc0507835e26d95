#include "Port_List_Watch.h"

#include <QWinEventNotifier>

namespace vo {

QObject* Make_Handle_Notifier(std::intptr_t Handle, QObject* Parent, std::function<void()> On_Signal) {
    auto* Notifier = new QWinEventNotifier(reinterpret_cast<Qt::HANDLE>(Handle), Parent);
    QObject::connect(Notifier, &QWinEventNotifier::activated, Parent,
                     [On_Signal = std::move(On_Signal)] { On_Signal(); });
    return Notifier;
}

} // namespace vo
