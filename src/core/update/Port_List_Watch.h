#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

namespace vo {

class Port_Probe;
class Port_Watch;

// Tells when the probe's ports may have changed, from the system's notifications; nothing is
// looked at between them. A burst (a node, its rights, its stable name) gives one Changed.
class Port_List_Watch final : public QObject {
    Q_OBJECT
public:
    Port_List_Watch(const Port_Probe& Probe, QObject* Parent);
    ~Port_List_Watch() override;

    // False where the system gives no notifications: the list then changes only when asked.
    bool Live() const { return Watch != nullptr; }

Q_SIGNALS:
    void Changed();

private:
    void Notified();

    std::unique_ptr<Port_Watch> Watch;
    QTimer* Settle = nullptr;
};

// Calls On_Signal on this thread's event loop whenever Handle (a Port_Watch's) is signalled; owned
// by Parent.
QObject* Make_Handle_Notifier(std::intptr_t Handle, QObject* Parent, std::function<void()> On_Signal);

} // namespace vo
