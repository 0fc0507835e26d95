#include "Version_Checker.h"

namespace vo {

Version_Checker::Version_Checker(Http_Client& Http, QObject* Parent) : QObject(Parent), Client(Http) {}

Version_Checker::~Version_Checker() {
    // Joined before QObject's destructor, which then drops the result still queued for us.
    Worker.request_stop();
    if (Worker.joinable())
        Worker.join();
}

bool Version_Checker::Start(const Version_Service& Service) {
    if (Is_Running)
        return false;
    Is_Running = true;
    Worker = std::jthread([this, Service](std::stop_token Stop) {
        const bool Newer = Check_Version(Client, Service, std::move(Stop));
        QMetaObject::invokeMethod(
            this, [this, Newer] { Deliver(Newer); }, Qt::QueuedConnection);
    });
    return true;
}

void Version_Checker::Deliver(bool Newer) {
    Worker.join();
    Is_Running = false;
    Q_EMIT Finished(Newer);
}

} // namespace vo
