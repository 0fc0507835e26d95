#pragma once

#include "Line_Settings.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <map>

namespace vo {

struct Shared_State;

enum class Link_Mode { Poll, Loop, Listen };

QString Mode_Name(Link_Mode Mode); // "poll", "loop", "listen"

// What a link test does, from the configuration and the user's choices.
struct Link_Plan {
    Link_Mode Mode = Link_Mode::Poll;
    Converter_Sides Sides;
    // Poll and loop: the PC is the master on the converter's slave side. Listen: the port listened on.
    QString Port;
    // Loop: the PC is also the field device on the converter's master side.
    QString Loop_Port;
    // Listen: the side whose line the port is on.
    Modbus_Side Listen_Side = Modbus_Side::RTU;
    int Slave = 1;
    Modbus_Request Request; // function, start and count; a write's values follow a pattern per poll
    int Polls = 10;         // 0: until stopped
    int Timeout_Ms = 0;     // 0: the default for the request
    int Interval_Ms = 0;    // a pause between polls

    // The side and the line of the port the PC uses first.
    Modbus_Side Port_Side() const { return Mode == Link_Mode::Listen ? Listen_Side : Sides.Slave_Side; }
    int Response_Timeout_Ms() const;
};

// Why the plan cannot run (slave address, function, start, count, missing port), or "".
QString Plan_Problem(const Link_Plan& Plan);

// The latencies of a run's answers: all of them up to Kept_Most, then an even sample of them, so
// that a run of days holds no more; the least and the greatest exactly.
class Latency_Sample {
public:
    static constexpr int Kept_Most = 100000;

    void Add(qint64 Latency_Us);
    bool Empty() const { return Seen == 0; }
    const QList<qint64>& Kept() const { return Values; }
    qint64 Least() const { return Min; }
    qint64 Greatest() const { return Max; }

private:
    QList<qint64> Values;
    qint64 Seen = 0;
    qint64 Min = 0;
    qint64 Max = 0;
    quint64 Random = 88172645463325252ull;
};

// What a run counted.
struct Link_Counts {
    int Requests = 0;              // sent by the PC as master
    int Answers = 0;               // from the slave and function asked, in time
    int Good = 0;                  // answers that were right in every respect
    int Timeouts = 0;              // requests without an answer in time
    int Bad_Checks = 0;            // frames whose CRC or LRC does not hold
    int Garbage = 0;               // pieces of bytes that are no frame
    int Wrong_Slave = 0;           // answers from another slave
    int Wrong_Function = 0;        // answers to another function
    int Late = 0;                  // answers after their time-out
    int Malformed = 0;             // answers whose fields do not fit the request
    int Request_Altered = 0;       // loop: the request arrived changed on the other side
    int Answer_Altered = 0;        // loop: the answer came back changed
    int Read_Back_Differs = 0;     // a written value did not read back
    int Frames_Heard = 0;          // listen: frames whose check holds
    std::map<int, int> Exceptions; // exception code, how many
    int Echoes = 0;                // requests the adapter heard itself send
    Latency_Sample Latency;

    int Exception_Count() const;
};

// Latency figures in milliseconds.
struct Latency_Figures {
    double Min = 0, Median = 0, P95 = 0, Max = 0;
};
Latency_Figures Latency_Of(const Latency_Sample& Sample);

// The end of a run: the counts, whether it passes, and in words why.
struct Link_Summary {
    Link_Plan Plan;
    Link_Counts Counts;
    QString Port_Error; // the port failed or could not be opened
    bool Stopped = false;
    qint64 Duration_Ms = 0;

    bool Passed() const;
};

// "Link OK: 100 of 100 answers, median 41 ms", "Link failed: 0 of 10 answers", "Heard 12 frames, 0 with
// errors".
QString Verdict_Words(const Link_Summary& Summary, const Shared_State& State);

// "Requests 10, answers 10, right 10, ..." and "Latency min 0.4 / median 0.6 / p95 1.2 / max 3.0 ms"
// ("" before the first answer): the counts of a run as the window and the command line show them.
QString Counts_Words(const Link_Counts& Counts, const Shared_State& State);
QString Latency_Words(const Link_Counts& Counts, const Shared_State& State);

// The likely causes of a failure, the likeliest first; empty for a passing run.
QStringList Cause_Words(const Link_Summary& Summary, const Shared_State& State);

// The record of a run in the configuration's history.
QJsonObject Summary_Json(const Link_Summary& Summary, const Shared_State& State);

} // namespace vo
