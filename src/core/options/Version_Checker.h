#pragma once

#include "Version_Check.h"

#include <QObject>
#include <thread>

namespace vo {

// Runs Check_Version on a worker thread, so that the window stays responsive while the request
// waits; the result comes back as a signal on the thread this object lives in.
class Version_Checker final : public QObject {
    Q_OBJECT

public:
    // Http serves every check and must outlive this object.
    explicit Version_Checker(Http_Client& Http, QObject* Parent = nullptr);
    // A check still running is stopped and waited for; its result is not delivered.
    ~Version_Checker() override;
    Version_Checker(const Version_Checker&) = delete;
    Version_Checker& operator=(const Version_Checker&) = delete;

    // Starts a check unless one is running; false when one is.
    bool Start(const Version_Service& Service = {});
    bool Running() const { return Is_Running; }

Q_SIGNALS:
    // Once per started check, with Check_Version's result.
    void Finished(bool Newer);

private:
    void Deliver(bool Newer);

    Http_Client& Client;
    std::jthread Worker;
    bool Is_Running = false;
};

} // namespace vo
