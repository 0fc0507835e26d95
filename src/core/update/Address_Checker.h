#pragma once

#include "Address_Check.h"

#include <QObject>
#include <thread>

namespace vo {

class Echo_Probe;

// Runs Send_Ping on a worker thread, so that the window answers while the echo requests wait;
// the outcome comes back as a signal on the thread this object lives in.
class Address_Checker final : public QObject {
    Q_OBJECT

public:
    // Probe serves every check and must outlive this object.
    explicit Address_Checker(Echo_Probe& Probe, QObject* Parent = nullptr);
    // A check still running is waited for (it ends within its budget); its outcome is not delivered.
    ~Address_Checker() override;
    Address_Checker(const Address_Checker&) = delete;
    Address_Checker& operator=(const Address_Checker&) = delete;

    // Starts a check of Address unless one is running; false when one is.
    bool Start(const QString& Address, std::chrono::milliseconds Budget);
    bool Running() const { return Is_Running; }

Q_SIGNALS:
    // Once per started check, with the address and Send_Ping's outcome.
    void Finished(const QString& Address, const vo::Ping_Check& Check);

private:
    void Deliver(const QString& Address, const Ping_Check& Check);

    Echo_Probe& Echo;
    std::jthread Worker;
    bool Is_Running = false;
};

} // namespace vo
