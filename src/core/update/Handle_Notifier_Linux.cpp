#include "Port_List_Watch.h"

#include <QSocketNotifier>

namespace vo {

QObject* Make_Handle_Notifier(std::intptr_t Handle, QObject* Parent, std::function<void()> On_Signal) {
    auto* Notifier = new QSocketNotifier(static_cast<qintptr>(Handle), QSocketNotifier::Read, Parent);
    QObject::connect(Notifier, &QSocketNotifier::activated, Parent,
                     [On_Signal = std::move(On_Signal)] { On_Signal(); });
    return Notifier;
}

} // namespace vo
