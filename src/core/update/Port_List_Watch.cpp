#include "Port_List_Watch.h"

#include "platform/Port_Probe.h"

#include <QTimer>

namespace vo {

namespace {

// udev makes the node, then sets its rights, then links its stable name: one look after them.
constexpr int Settle_Ms = 150;

} // namespace

Port_List_Watch::Port_List_Watch(const Port_Probe& Probe, QObject* Parent)
    : QObject(Parent), Watch(Probe.Watch()) {
    if (!Watch)
        return;
    Settle = new QTimer(this);
    Settle->setSingleShot(true);
    Settle->setInterval(Settle_Ms);
    connect(Settle, &QTimer::timeout, this, &Port_List_Watch::Changed);
    Make_Handle_Notifier(Watch->Handle(), this, [this] { Notified(); });
}

// The notifier is a child and goes first: no signal reaches a closed handle.
Port_List_Watch::~Port_List_Watch() {
    qDeleteAll(children());
}

void Port_List_Watch::Notified() {
    if (Watch->Take_Notifications() && !Settle->isActive())
        Settle->start();
}

} // namespace vo
