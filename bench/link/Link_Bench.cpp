// The link test's monitor, each figure beside its floor taken in the same run:
//   monitor SECONDS  a line at 115200 baud full of frames, listened to: frames decoded per second,
//                    frames dropped, CPU of a core; floor: a bare QSerialPort reading the same line
//   memory           100 000 frames held by the window's frame table, above the window's own
//   latency          from the last byte of an answer written at the far end to its row in the
//                    table; floor: to QSerialPort's readyRead
// Pseudo-terminals stand in for the adapters; the far end writes from a thread of its own.
#include "link/Link_Frame_Model.h"
#include "link/Link_Test.h"
#include "shell/Shared_State.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSerialPort>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace vo;
using Clock = std::chrono::steady_clock;

constexpr int Baud = 115200;

struct Pty {
    Pty() {
        Master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(Master);
        unlockpt(Master);
        Path = QString::fromLocal8Bit(ptsname(Master));
        Keep = open(ptsname(Master), O_RDWR | O_NOCTTY);
        termios Raw{};
        tcgetattr(Keep, &Raw);
        cfmakeraw(&Raw);
        tcsetattr(Keep, TCSANOW, &Raw);
    }
    ~Pty() {
        close(Keep);
        close(Master);
    }
    int Master = -1;
    int Keep = -1;
    QString Path;
};

double Cpu_Seconds() {
    rusage Usage{};
    getrusage(RUSAGE_THREAD, &Usage);
    return static_cast<double>(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
           static_cast<double>(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
}

long Rss_Kib() {
    FILE* Status = fopen("/proc/self/status", "r");
    char Line[256];
    long Kib = 0;
    while (Status && fgets(Line, sizeof Line, Status))
        if (sscanf(Line, "VmRSS: %ld", &Kib) == 1)
            break;
    if (Status)
        fclose(Status);
    return Kib;
}

// A request and its answer, as a master and a slave put them on the line.
QList<QByteArray> Traffic() {
    return {Framed(Modbus_Side::RTU, {1, Request_Pdu({Modbus_Function::Read_Holding_Registers, 0, 10, {}})}),
            Framed(Modbus_Side::RTU, {1, Read_Response_Pdu(3, QList<std::uint16_t>(10, 0x1234))})};
}

// Writes frames at line rate (10 bits a byte) with a silence of 3.5 characters after each,
// for Seconds; gives how many it wrote.
int Feed_Line(int Fd, double Seconds, const std::atomic<bool>& Stop) {
    const QList<QByteArray> Frames = Traffic();
    const auto Start = Clock::now();
    auto Due = Start;
    int Written = 0;
    while (!Stop && Clock::now() - Start < std::chrono::duration<double>(Seconds)) {
        const QByteArray& Frame = Frames[Written % 2];
        if (write(Fd, Frame.constData(), static_cast<size_t>(Frame.size())) != Frame.size())
            break;
        ++Written;
        Due += std::chrono::microseconds((Frame.size() * 10 + 35) * 1000000LL / Baud);
        std::this_thread::sleep_until(Due);
    }
    return Written;
}

Link_Plan Listen_Plan(const QString& Port) {
    Link_Plan Plan;
    Plan.Mode = Link_Mode::Listen;
    Plan.Port = Port;
    Plan.Listen_Side = Modbus_Side::RTU;
    Plan.Sides.Rtu = {Baud, 'N', 8, 1, true};
    Plan.Sides.Ascii = Plan.Sides.Rtu;
    return Plan;
}

void Monitor(double Seconds) {
    for (const bool Floor : {true, false}) {
        Pty Line;
        std::atomic<bool> Stop{false};
        int Sent = 0;
        QSerialPort Bare;
        Link_Test Test(Listen_Plan(Line.Path));
        qint64 Bytes_Read = 0;
        if (Floor) {
            Bare.setPortName(Line.Path);
            Configure_Port(Bare, {Baud, 'N', 8, 1, true});
            Bare.open(QIODevice::ReadWrite);
            QObject::connect(&Bare, &QSerialPort::readyRead, [&] { Bytes_Read += Bare.readAll().size(); });
        } else if (!Test.Start()) {
            std::fprintf(stderr, "the listen did not start\n");
            return;
        }
        const double Cpu_Before = Cpu_Seconds();
        QElapsedTimer Wall;
        Wall.start();
        std::thread Writer([&] { Sent = Feed_Line(Line.Master, Seconds, Stop); });
        QTimer::singleShot(static_cast<int>(Seconds * 1000) + 200, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        Stop = true;
        Writer.join();
        const double Cpu = Cpu_Seconds() - Cpu_Before;
        const double Wall_S = static_cast<double>(Wall.elapsed()) / 1000.0;
        if (Floor) {
            std::printf("monitor floor (bare read): %lld bytes, CPU %.2f %% of a core\n",
                        static_cast<long long>(Bytes_Read), 100.0 * Cpu / Wall_S);
        } else {
            const Link_Counts& C = Test.Summary().Counts;
            std::printf("monitor: %d frames sent, %d decoded (%.0f per second), %d dropped, %d damaged, "
                        "CPU %.2f %% of a core\n",
                        Sent, C.Frames_Heard, C.Frames_Heard / Seconds, Sent - C.Frames_Heard,
                        C.Bad_Checks + C.Garbage, 100.0 * Cpu / Wall_S);
            Test.Stop();
        }
    }
}

void Memory() {
    Shared_State State;
    State.Lang_Strings = QStringList(2000, QStringLiteral("x"));
    QTableView View;
    Link_Frame_Model Model(State);
    View.setModel(&Model);
    View.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    View.resize(960, 480);
    View.show();
    QCoreApplication::processEvents();
    const long Before = Rss_Kib();
    const QList<QByteArray> Frames = Traffic();
    for (int I = 0; I < 100000; ++I)
        Model.Add({I * 1000LL, I % 2 ? 40000 : -1, Frames[I % 2], Modbus_Side::RTU,
                   I % 2 ? Link_Frame::Direction::Received : Link_Frame::Direction::Sent,
                   I % 2 ? Link_Frame::Role::Answer : Link_Frame::Role::Request, Line_Chunk::Kind::Frame});
    Model.Flush();
    View.scrollToBottom();
    QCoreApplication::processEvents();
    const long After = Rss_Kib();
    std::printf("memory: window alone %.1f MiB, with 100000 frames %.1f MiB: %.1f MiB above\n",
                Before / 1024.0, After / 1024.0, (After - Before) / 1024.0);
}

void Latency() {
    constexpr int Answers = 200;
    for (const bool Floor : {true, false}) {
        Pty Line;
        std::atomic<qint64> Written_Ns{0};
        QList<double> Delays_Ms;
        const auto Arrived = [&] {
            const qint64 Now = Clock::now().time_since_epoch().count();
            if (Written_Ns != 0)
                Delays_Ms.append(static_cast<double>(Now - Written_Ns.exchange(0)) / 1e6);
        };
        QSerialPort Bare;
        Shared_State State;
        State.Lang_Strings = QStringList(2000, QStringLiteral("x"));
        Link_Frame_Model Model(State);
        Link_Test Test(Listen_Plan(Line.Path));
        if (Floor) {
            Bare.setPortName(Line.Path);
            Configure_Port(Bare, {Baud, 'N', 8, 1, true});
            Bare.open(QIODevice::ReadWrite);
            QObject::connect(&Bare, &QSerialPort::readyRead, [&] {
                Bare.readAll();
                Arrived();
            });
        } else {
            QObject::connect(&Test, &Link_Test::Frame_Seen, &Model, &Link_Frame_Model::Add);
            QObject::connect(&Model, &QAbstractItemModel::rowsInserted, Arrived);
            if (!Test.Start())
                return;
        }
        std::thread Writer([&] {
            const QByteArray Answer = Traffic()[1];
            for (int I = 0; I < Answers; ++I) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                (void)!write(Line.Master, Answer.constData(), static_cast<size_t>(Answer.size()));
                Written_Ns = Clock::now().time_since_epoch().count();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        });
        QCoreApplication::exec();
        Writer.join();
        std::sort(Delays_Ms.begin(), Delays_Ms.end());
        if (Delays_Ms.isEmpty())
            continue;
        std::printf("latency%s: %lld answers, median %.3f ms, p95 %.3f ms\n",
                    Floor ? " floor (readyRead)" : " (row in the table)",
                    static_cast<long long>(Delays_Ms.size()), Delays_Ms[Delays_Ms.size() / 2],
                    Delays_Ms[Delays_Ms.size() * 95 / 100]);
        Test.Stop();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication App(argc, argv);
    const QString What = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("all");
    if (What == u"monitor" || What == u"all")
        Monitor(argc > 2 ? std::atof(argv[2]) : 60.0);
    if (What == u"memory" || What == u"all")
        Memory();
    if (What == u"latency" || What == u"all")
        Latency();
    return 0;
}
