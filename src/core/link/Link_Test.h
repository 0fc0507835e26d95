#pragma once

#include "Link_Frame.h"
#include "Link_Summary.h"
#include "Register_Table.h"
#include "util/Result.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QSerialPort;

namespace vo {

// Asks QSerialPort for a line's settings (the port may be open or not).
void Configure_Port(QSerialPort& Port, const Line_Settings& Line);

// One run of a link test on the event loop of the thread that made it: polls through the
// converter (the PC as master on its slave side), loops through it (the PC also as the field
// device on its master side) or listens on one side. Reports each frame as it is seen.
class Link_Test : public QObject {
    Q_OBJECT

public:
    explicit Link_Test(Link_Plan Plan, QObject* Parent = nullptr);
    ~Link_Test() override;

    // Opens the ports and sends the first request; a failure names the port and why.
    Status Start();
    // Ends the run at once; a request waiting for its answer is not counted.
    void Stop();
    bool Running() const { return Is_Running; }

    const Link_Summary& Summary() const { return Outcome; }

Q_SIGNALS:
    void Frame_Seen(const vo::Link_Frame& Frame);
    // A request's time-out passed without its answer.
    void No_Answer(qint64 Time_Us, int Timeout_Ms);
    void Finished();

private:
    struct Port_End;
    struct Transaction {
        Modbus_Request Request;
        qint64 Sent_Us = 0;
        bool Read_Back = false;
        QList<std::uint16_t> Written; // what the write before it wrote
        bool Echo_Seen = false;
    };

    void Next_Transaction();
    void Send(const Modbus_Request& Request, bool Read_Back, const QList<std::uint16_t>& Written);
    void Chunks_From(Port_End& End, const QList<Line_Chunk>& Chunks);
    void Master_Chunk(const Line_Chunk& Chunk, Link_Frame& Row);
    void Slave_Chunk(const Line_Chunk& Chunk);
    void Listen_Chunk(const Line_Chunk& Chunk, Link_Frame& Row);
    void Answer_Timed_Out();
    void Port_Failed(Port_End& End);
    void Finish();
    void Emit(Link_Frame Row);
    qint64 Now_Us() const;

    Link_Summary Outcome;
    std::unique_ptr<Port_End> Master;
    std::unique_ptr<Port_End> Field;
    Register_Table Table;
    QElapsedTimer Clock;
    QTimer Answer_Timer;
    QTimer Next_Timer;
    std::optional<Transaction> Pending;
    QByteArray Field_Answer;    // loop: the answer the PC gave as the field device
    Modbus_Frame Field_Request; // loop: the request the field device should get
    QList<std::uint16_t> Last_Written;
    QByteArray Sent_Bytes;       // the last request as it went on the line
    bool Timed_Out_Last = false; // the last request went without an answer
    int Poll = 0;
    bool Read_Back_Next = false;
    bool Is_Running = false;
    // Listen: the last request heard, so that what follows from that slave is its answer.
    std::optional<Modbus_Frame> Heard_Request;
};

// The values a write of poll Poll carries: they change from poll to poll, so that an old value
// never passes for a new one.
QList<std::uint16_t> Poll_Pattern(const Modbus_Request& Request, int Poll);

} // namespace vo
