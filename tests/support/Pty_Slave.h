#pragma once

#include "link/Modbus_Framing.h"
#include "link/Register_Table.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace vo_test {

// What a misbehaving slave puts on the line for a request: pieces of bytes, each after a pause.
struct Line_Piece {
    int Pause_Ms = 0;
    QByteArray Bytes;
};
using Responder = std::function<QList<Line_Piece>(const vo::Modbus_Frame& Request, const QByteArray& Answer)>;

// A Modbus slave at the far end of a pseudo-terminal, in a thread of its own: the program under
// test opens Path() as its serial port. Answers its slave address from a register table whose
// holding register A holds A + 1, or stays silent; with a Responder, puts on the line what it says
// for each request (given the right answer's bytes).
class Pty_Slave {
public:
    Pty_Slave(vo::Modbus_Side Side, int Slave, bool Answers = true, Responder Respond = {})
        : Reader(Side, vo::Expected_Frames::Requests) {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0)
            return;
        Device = QString::fromLocal8Bit(ptsname(Master));
        // Held open so that the pair lives while the program under test opens and closes it.
        Keep = open(ptsname(Master), O_RDWR | O_NOCTTY);
        termios Raw{};
        tcgetattr(Keep, &Raw);
        cfmakeraw(&Raw);
        tcsetattr(Keep, TCSANOW, &Raw);
        QList<std::uint16_t> Values;
        for (int A = 0; A < 200; ++A)
            Values.append(static_cast<std::uint16_t>(A + 1));
        Table.Set(vo::Modbus_Function::Read_Holding_Registers, 0, Values);
        Worker = std::jthread([this, Side, Slave, Answers, Respond](std::stop_token Stop) {
            while (!Stop.stop_requested()) {
                pollfd Poll{Master, POLLIN, 0};
                if (poll(&Poll, 1, 20) <= 0 || !(Poll.revents & POLLIN))
                    continue;
                char Bytes[512];
                const ssize_t Got = read(Master, Bytes, sizeof Bytes);
                if (Got <= 0)
                    continue;
                QList<vo::Line_Chunk> Chunks;
                Reader.Feed(QByteArray(Bytes, static_cast<int>(Got)), Chunks);
                for (const vo::Line_Chunk& Chunk : Chunks) {
                    if (Chunk.Chunk_Kind != vo::Line_Chunk::Kind::Frame || Chunk.Frame.Slave != Slave)
                        continue;
                    ++Heard;
                    if (!Answers)
                        continue;
                    const QByteArray Answer = vo::Framed(Side, {Slave, Table.Answer(Chunk.Frame.Pdu)});
                    const QList<Line_Piece> Pieces =
                        Respond ? Respond(Chunk.Frame, Answer) : QList<Line_Piece>{{0, Answer}};
                    for (const Line_Piece& Piece : Pieces) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(Piece.Pause_Ms));
                        if (write(Master, Piece.Bytes.constData(), static_cast<size_t>(Piece.Bytes.size())) !=
                            Piece.Bytes.size())
                            return;
                    }
                }
            }
        });
    }

    ~Pty_Slave() { Unplug(); }

    // As an adapter pulled out: the far end goes away.
    void Unplug() {
        Worker = std::jthread();
        for (int* Fd : {&Keep, &Master})
            if (*Fd >= 0)
                close(std::exchange(*Fd, -1));
    }

    // Bytes on the line from the far end, as another device would put them.
    void Write(const QByteArray& Bytes) const {
        EXPECT_EQ(write(Master, Bytes.constData(), static_cast<size_t>(Bytes.size())), Bytes.size());
    }

    QString Path() const { return Device; }
    int Requests_Heard() const { return Heard; }

private:
    int Master = -1;
    int Keep = -1;
    QString Device;
    vo::Frame_Reader Reader;
    vo::Register_Table Table;
    std::atomic<int> Heard{0};
    std::jthread Worker;
};

} // namespace vo_test
