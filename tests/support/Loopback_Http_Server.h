#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vo_test {

// A complete reply as it goes on the wire; without Length the body ends when the connection does.
std::string Http_Response(int Status, const std::string& Body, const std::string& Extra_Headers = {},
                          bool With_Length = true);

// The head of one request the server received.
struct Received_Request {
    std::string Method;
    std::string Target;
    std::string Version;
    std::vector<std::pair<std::string, std::string>> Headers;

    std::vector<std::string> Header_Names() const;
    // The value of the header, whatever the case of its name; empty when it was not sent.
    std::string Header(const std::string& Name) const;
};

// An HTTP server on 127.0.0.1, on a port of its own, served by a thread of the test process. It
// records the head of every request and answers each with the same reply, or, when silent, keeps
// the connection open and never answers.
class Loopback_Http_Server {
public:
    explicit Loopback_Http_Server(std::string Reply_Text);
    struct Silent_Tag {};
    explicit Loopback_Http_Server(Silent_Tag);
    ~Loopback_Http_Server();
    Loopback_Http_Server(const Loopback_Http_Server&) = delete;
    Loopback_Http_Server& operator=(const Loopback_Http_Server&) = delete;

    // "http://127.0.0.1:PORT"
    std::string Url() const;
    std::vector<Received_Request> Requests() const;

private:
    Loopback_Http_Server(std::string Reply_Text, bool Never_Answer);
    void Serve();
    bool Read_Head(int Connection, std::string& Head) const;

    const std::string Reply;
    const bool Silent;
    int Listener = -1;
    int Wake_Read = -1;
    int Wake_Write = -1;
    int Port = 0;
    mutable std::mutex Lock;
    std::vector<Received_Request> Received;
    std::thread Server_Thread;
};

// A loopback port where connections are refused: bound, so nobody else takes it, but not listening.
class Closed_Port {
public:
    Closed_Port();
    ~Closed_Port();
    Closed_Port(const Closed_Port&) = delete;
    Closed_Port& operator=(const Closed_Port&) = delete;

    std::string Url() const;

private:
    int Socket = -1;
    int Port = 0;
};

} // namespace vo_test
