#include "Address_Checker.h"

namespace vo {

Address_Checker::Address_Checker(Echo_Probe& Probe, QObject* Parent) : QObject(Parent), Echo(Probe) {}

Address_Checker::~Address_Checker() {
    // Joined before QObject's destructor, which then drops the outcome still queued for us.
    if (Worker.joinable())
        Worker.join();
}

bool Address_Checker::Start(const QString& Address, std::chrono::milliseconds Budget) {
    if (Is_Running)
        return false;
    Is_Running = true;
    Worker = std::jthread([this, Address, Budget] {
        const Ping_Check Check = Send_Ping(Echo, Address, {}, Budget);
        QMetaObject::invokeMethod(
            this, [this, Address, Check] { Deliver(Address, Check); }, Qt::QueuedConnection);
    });
    return true;
}

void Address_Checker::Deliver(const QString& Address, const Ping_Check& Check) {
    Worker.join();
    Is_Running = false;
    Q_EMIT Finished(Address, Check);
}

} // namespace vo
