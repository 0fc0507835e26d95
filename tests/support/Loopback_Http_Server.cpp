#include "Loopback_Http_Server.h"

#include <cstdint>
#include <stdexcept>
#include <strings.h>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vo_test {

namespace {

// The few calls that differ between Winsock and POSIX sockets. Sockets are kept as int, which
// holds every socket handle Windows gives out.
#ifdef _WIN32
struct Winsock {
    Winsock() {
        WSADATA Data;
        WSAStartup(MAKEWORD(2, 2), &Data);
    }
};
const Winsock Started;
constexpr int Stream_Flags = 0;
constexpr int Send_Flags = 0;
void Close_Socket(int Socket) {
    closesocket(static_cast<SOCKET>(Socket));
}
int Poll(pollfd* Fds, unsigned long Count) {
    return WSAPoll(Fds, Count, -1);
}
int Accept(int Listener) {
    return static_cast<int>(accept(static_cast<SOCKET>(Listener), nullptr, nullptr));
}
#else
constexpr int Stream_Flags = SOCK_CLOEXEC;
constexpr int Send_Flags = MSG_NOSIGNAL;
void Close_Socket(int Socket) {
    close(Socket);
}
int Poll(pollfd* Fds, nfds_t Count) {
    return poll(Fds, Count, -1);
}
int Accept(int Listener) {
    return accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
}
#endif

pollfd Readable(int Socket) {
    return {static_cast<decltype(pollfd::fd)>(Socket), POLLIN, 0};
}

int Bind_Loopback(int& Port) {
    const int Socket = static_cast<int>(socket(AF_INET, SOCK_STREAM | Stream_Flags, 0));
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t Length = sizeof Address;
    if (Socket < 0 || bind(Socket, reinterpret_cast<sockaddr*>(&Address), Length) != 0 ||
        getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    Port = ntohs(Address.sin_port);
    return Socket;
}

std::string Loopback_Url(int Port) {
    return "http://127.0.0.1:" + std::to_string(Port);
}

void Send_All(int Connection, const std::string& Data) {
    std::size_t Sent = 0;
    while (Sent < Data.size()) {
        const auto Count =
            send(Connection, Data.data() + Sent, static_cast<int>(Data.size() - Sent), Send_Flags);
        if (Count <= 0)
            return; // the client gave up, as it does on an oversized reply
        Sent += static_cast<std::size_t>(Count);
    }
}

Received_Request Parse_Head(const std::string& Head) {
    Received_Request Request;
    std::size_t Line_Start = 0;
    bool First = true;
    while (Line_Start < Head.size()) {
        std::size_t Line_End = Head.find("\r\n", Line_Start);
        if (Line_End == std::string::npos)
            Line_End = Head.size();
        const std::string Line = Head.substr(Line_Start, Line_End - Line_Start);
        Line_Start = Line_End + 2;
        if (Line.empty())
            break;
        if (First) {
            const std::size_t Blank1 = Line.find(' ');
            const std::size_t Blank2 = Line.find(' ', Blank1 + 1);
            Request.Method = Line.substr(0, Blank1);
            Request.Target = Line.substr(Blank1 + 1, Blank2 - Blank1 - 1);
            Request.Version = Blank2 == std::string::npos ? std::string() : Line.substr(Blank2 + 1);
            First = false;
            continue;
        }
        const std::size_t Colon = Line.find(':');
        std::size_t Value_Start = Colon + 1;
        while (Value_Start < Line.size() && Line[Value_Start] == ' ')
            ++Value_Start;
        Request.Headers.emplace_back(Line.substr(0, Colon), Line.substr(Value_Start));
    }
    return Request;
}

// Two connected loopback sockets: a byte written to the second wakes a poll on the first.
void Make_Wake_Pair(int& Read_End, int& Write_End) {
    int Port = 0;
    const int Listener = Bind_Loopback(Port);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    Address.sin_port = htons(static_cast<std::uint16_t>(Port));
    Write_End = static_cast<int>(socket(AF_INET, SOCK_STREAM | Stream_Flags, 0));
    const bool Connected = listen(Listener, 1) == 0 && Write_End >= 0 &&
                           connect(Write_End, reinterpret_cast<sockaddr*>(&Address), sizeof Address) == 0;
    Read_End = Connected ? Accept(Listener) : -1;
    Close_Socket(Listener);
    if (Read_End < 0)
        throw std::runtime_error("cannot make the wake sockets");
}

} // namespace

std::string Http_Response(int Status, const std::string& Body, const std::string& Extra_Headers,
                          bool With_Length) {
    std::string Response = "HTTP/1.0 " + std::to_string(Status) + " Status\r\nContent-Type: text/html\r\n";
    if (With_Length)
        Response += "Content-Length: " + std::to_string(Body.size()) + "\r\n";
    return Response + Extra_Headers + "\r\n" + Body;
}

std::vector<std::string> Received_Request::Header_Names() const {
    std::vector<std::string> Names;
    for (const auto& Header : Headers)
        Names.push_back(Header.first);
    return Names;
}

std::string Received_Request::Header(const std::string& Name) const {
    for (const auto& [Header_Name, Value] : Headers) {
        if (strcasecmp(Header_Name.c_str(), Name.c_str()) == 0)
            return Value;
    }
    return {};
}

Loopback_Http_Server::Loopback_Http_Server(std::string Reply_Text)
    : Loopback_Http_Server(std::move(Reply_Text), false) {}

Loopback_Http_Server::Loopback_Http_Server(Silent_Tag) : Loopback_Http_Server({}, true) {}

Loopback_Http_Server::Loopback_Http_Server(std::string Reply_Text, bool Never_Answer)
    : Reply(std::move(Reply_Text)), Silent(Never_Answer) {
    Listener = Bind_Loopback(Port);
    if (listen(Listener, 8) != 0)
        throw std::runtime_error("cannot start the loopback server");
    Make_Wake_Pair(Wake_Read, Wake_Write);
    Server_Thread = std::thread([this] { Serve(); });
}

Loopback_Http_Server::~Loopback_Http_Server() {
    const char Stop = 's';
    send(Wake_Write, &Stop, 1, Send_Flags);
    Server_Thread.join();
    Close_Socket(Listener);
    Close_Socket(Wake_Read);
    Close_Socket(Wake_Write);
}

std::string Loopback_Http_Server::Url() const {
    return Loopback_Url(Port);
}

std::vector<Received_Request> Loopback_Http_Server::Requests() const {
    const std::lock_guard Guard(Lock);
    return Received;
}

bool Loopback_Http_Server::Read_Head(int Connection, std::string& Head) const {
    char Buffer[4096];
    while (Head.find("\r\n\r\n") == std::string::npos) {
        pollfd Fds[2] = {Readable(Connection), Readable(Wake_Read)};
        if (Poll(Fds, 2) < 0 || Fds[1].revents != 0)
            return false;
        const auto Count = recv(Connection, Buffer, sizeof Buffer, 0);
        if (Count <= 0)
            return false;
        Head.append(Buffer, static_cast<std::size_t>(Count));
    }
    return true;
}

void Loopback_Http_Server::Serve() {
    std::vector<int> Held;
    for (;;) {
        pollfd Fds[2] = {Readable(Listener), Readable(Wake_Read)};
        if (Poll(Fds, 2) < 0 || Fds[1].revents != 0)
            break;
        const int Connection = Accept(Listener);
        if (Connection < 0)
            continue;
        std::string Head;
        if (!Read_Head(Connection, Head)) {
            Close_Socket(Connection);
            continue;
        }
        {
            const std::lock_guard Guard(Lock);
            Received.push_back(Parse_Head(Head));
        }
        if (Silent) {
            Held.push_back(Connection);
            continue;
        }
        Send_All(Connection, Reply);
        Close_Socket(Connection);
    }
    for (const int Connection : Held)
        Close_Socket(Connection);
}

Closed_Port::Closed_Port() {
    Socket = Bind_Loopback(Port);
}

Closed_Port::~Closed_Port() {
    Close_Socket(Socket);
}

std::string Closed_Port::Url() const {
    return Loopback_Url(Port);
}

} // namespace vo_test
