#include "Link_Test.h"

#include <QSerialPort>

namespace vo {

namespace {

// After a time-out the converter may still answer; what comes in this long after is late, and
// never taken for the next request's answer.
constexpr int Late_Window_Ms = 100;

bool Is_Single_Write(char Function) {
    return Function == Modbus_Function::Write_Single_Coil ||
           Function == Modbus_Function::Write_Single_Register;
}

int Read_Back_Function(int Write_Function) {
    return Is_Bit_Function(Write_Function) ? Modbus_Function::Read_Coils
                                           : Modbus_Function::Read_Holding_Registers;
}

} // namespace

struct Link_Test::Port_End {
    Port_End(Modbus_Side Line_Side, Expected_Frames Frames, Link_Frame::Direction Incoming)
        : Side(Line_Side), Reader(Line_Side, Frames), In(Incoming) {}

    Modbus_Side Side;
    Frame_Reader Reader;
    Link_Frame::Direction In;
    QSerialPort Port;
    QTimer Silence;
};

void Configure_Port(QSerialPort& Port, const Line_Settings& Line) {
    Port.setBaudRate(Line.Baud);
    Port.setDataBits(static_cast<QSerialPort::DataBits>(Line.Data_Bits));
    Port.setParity(Line.Parity == 'E'   ? QSerialPort::EvenParity
                   : Line.Parity == 'O' ? QSerialPort::OddParity
                                        : QSerialPort::NoParity);
    Port.setStopBits(Line.Stop_Bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    Port.setFlowControl(QSerialPort::NoFlowControl);
}

QList<std::uint16_t> Poll_Pattern(const Modbus_Request& Request, int Poll) {
    QList<std::uint16_t> Values;
    for (int I = 0; I < Request.Count; ++I)
        Values.append(Is_Bit_Function(Request.Function)
                          ? static_cast<std::uint16_t>((Poll + I) % 2 == 0)
                          : static_cast<std::uint16_t>(static_cast<unsigned>(Poll) * 251u +
                                                       static_cast<unsigned>(I) * 7u + 1u));
    return Values;
}

Link_Test::Link_Test(Link_Plan Plan, QObject* Parent) : QObject(Parent) {
    Outcome.Plan = std::move(Plan);
    Answer_Timer.setSingleShot(true);
    // A coarse timer may fire 5 % early: an answer in time would be counted late.
    Answer_Timer.setTimerType(Qt::PreciseTimer);
    Next_Timer.setSingleShot(true);
    connect(&Answer_Timer, &QTimer::timeout, this, &Link_Test::Answer_Timed_Out);
    connect(&Next_Timer, &QTimer::timeout, this, &Link_Test::Next_Transaction);
}

Link_Test::~Link_Test() = default;

qint64 Link_Test::Now_Us() const {
    return Clock.nsecsElapsed() / 1000;
}

Status Link_Test::Start() {
    const Link_Plan& Plan = Outcome.Plan;
    if (const QString Problem = Plan_Problem(Plan); !Problem.isEmpty())
        return Failure(Problem);
    const bool Listen = Plan.Mode == Link_Mode::Listen;
    Master = std::make_unique<Port_End>(
        Plan.Port_Side(), Listen ? Expected_Frames::Either : Expected_Frames::Answers,
        Listen ? Link_Frame::Direction::Heard : Link_Frame::Direction::Received);
    if (Plan.Mode == Link_Mode::Loop)
        Field = std::make_unique<Port_End>(Plan.Sides.Master_Side, Expected_Frames::Requests,
                                           Link_Frame::Direction::Received);
    for (const auto& [End, Name] :
         {std::pair{Master.get(), Plan.Port}, std::pair{Field.get(), Plan.Loop_Port}}) {
        if (!End)
            continue;
        End->Port.setPortName(Name);
        // Applied by open() in one go: a port that refuses a setting fails to open.
        Configure_Port(End->Port, Plan.Sides.Line(End->Side));
        if (!End->Port.open(QIODevice::ReadWrite)) {
            const QString Why = End->Port.errorString();
            Master.reset();
            Field.reset();
            return Failure(QStringLiteral("The port %1 cannot be opened: %2").arg(Name, Why));
        }
        // Bytes of an earlier run, such as a late answer, are not this run's.
        End->Port.clear(QSerialPort::Input);
        End->Silence.setSingleShot(true);
        End->Silence.setTimerType(Qt::PreciseTimer);
        End->Silence.setInterval((Silence_Us(Plan.Sides.Line(End->Side)) + 999) / 1000);
        connect(&End->Port, &QSerialPort::readyRead, this, [this, End = End] {
            QList<Line_Chunk> Chunks;
            End->Reader.Feed(End->Port.readAll(), Chunks);
            if (End->Reader.Holds_Bytes())
                End->Silence.start();
            Chunks_From(*End, Chunks);
        });
        connect(&End->Silence, &QTimer::timeout, this, [this, End = End] {
            QList<Line_Chunk> Chunks;
            // Bytes that came while this program was busy are no silence on the line.
            if (const QByteArray Waiting = End->Port.readAll(); !Waiting.isEmpty()) {
                End->Reader.Feed(Waiting, Chunks);
                if (End->Reader.Holds_Bytes())
                    End->Silence.start();
            } else {
                End->Reader.Silence(Chunks);
            }
            Chunks_From(*End, Chunks);
        });
        connect(&End->Port, &QSerialPort::errorOccurred, this,
                [this, End = End](QSerialPort::SerialPortError Error) {
                    if (Error != QSerialPort::NoError && Error != QSerialPort::TimeoutError)
                        Port_Failed(*End);
                });
    }
    Clock.start();
    Is_Running = true;
    // The first request goes out from the event loop, once the caller has seen the run begin.
    if (!Listen)
        Next_Timer.start(0);
    return {};
}

void Link_Test::Stop() {
    if (!Is_Running)
        return;
    Outcome.Stopped = true;
    // The request on its way when the run was stopped had no chance to be answered.
    if (Pending)
        --Outcome.Counts.Requests;
    Finish();
}

void Link_Test::Next_Transaction() {
    if (!Is_Running)
        return;
    const Link_Plan& Plan = Outcome.Plan;
    if (Read_Back_Next) {
        Read_Back_Next = false;
        Modbus_Request Read{
            Read_Back_Function(Plan.Request.Function), Plan.Request.Start, Plan.Request.Count, {}};
        Send(Read, true, Last_Written);
        return;
    }
    if (Plan.Polls > 0 && Poll >= Plan.Polls) {
        Finish();
        return;
    }
    Modbus_Request Request = Plan.Request;
    if (Is_Write_Function(Request.Function)) {
        Request.Values = Poll_Pattern(Request, Poll);
        Last_Written = Request.Values;
        Read_Back_Next = true;
    } else if (Plan.Mode == Link_Mode::Loop) {
        // The field device's values change with each poll, so that every answer is a new one.
        Table.Set(Request.Function, Request.Start, Poll_Pattern(Request, Poll));
    }
    ++Poll;
    Send(Request, false, {});
}

void Link_Test::Send(const Modbus_Request& Request, bool Read_Back, const QList<std::uint16_t>& Written) {
    const Modbus_Frame Frame{Outcome.Plan.Slave, Request_Pdu(Request)};
    const QByteArray Bytes = Framed(Master->Side, Frame);
    Field_Request = Frame;
    Field_Answer.clear();
    Master->Port.write(Bytes);
    Sent_Bytes = Bytes;
    Timed_Out_Last = false;
    Pending = Transaction{Request, Now_Us(), Read_Back, Written, false};
    ++Outcome.Counts.Requests;
    Emit({Pending->Sent_Us, -1, Bytes, Master->Side, Link_Frame::Direction::Sent, Link_Frame::Role::Request,
          Line_Chunk::Kind::Frame});
    Answer_Timer.start(Outcome.Plan.Response_Timeout_Ms());
}

void Link_Test::Chunks_From(Port_End& End, const QList<Line_Chunk>& Chunks) {
    for (const Line_Chunk& Chunk : Chunks) {
        if (!Is_Running)
            return;
        Link_Frame Row{Now_Us(), -1, Chunk.Raw, End.Side, End.In, Link_Frame::Role::Answer, Chunk.Chunk_Kind};
        if (Chunk.Chunk_Kind == Line_Chunk::Kind::Bad_Check)
            ++Outcome.Counts.Bad_Checks;
        else if (Chunk.Chunk_Kind == Line_Chunk::Kind::Garbage)
            ++Outcome.Counts.Garbage;
        if (&End == Field.get()) {
            Row.Frame_Role = Link_Frame::Role::Request;
            Emit(Row);
            Slave_Chunk(Chunk);
        } else if (Outcome.Plan.Mode == Link_Mode::Listen) {
            Listen_Chunk(Chunk, Row);
        } else {
            Master_Chunk(Chunk, Row);
        }
    }
}

void Link_Test::Master_Chunk(const Line_Chunk& Chunk, Link_Frame& Row) {
    Link_Counts& C = Outcome.Counts;
    if (Chunk.Chunk_Kind != Line_Chunk::Kind::Frame) {
        Emit(Row);
        return;
    }
    // An adapter that hears itself (two-wire RS485 with echo) gives back the request as sent. A
    // single write's answer is that very frame too: there it is taken for the answer.
    if (Pending && Chunk.Raw == Sent_Bytes && !Pending->Echo_Seen &&
        Max_Count(Pending->Request.Function) > 1) {
        Pending->Echo_Seen = true;
        ++C.Echoes;
        Row.Frame_Role = Link_Frame::Role::Request;
        Emit(Row);
        return;
    }
    const Modbus_Frame& Frame = Chunk.Frame;
    const int Function = Frame.Pdu.isEmpty() ? -1 : static_cast<std::uint8_t>(Frame.Pdu[0]) & 0x7F;
    const bool Is_Exception = !Frame.Pdu.isEmpty() && (static_cast<std::uint8_t>(Frame.Pdu[0]) & 0x80);
    const int Exception_Code =
        Is_Exception && Frame.Pdu.size() > 1 ? static_cast<std::uint8_t>(Frame.Pdu[1]) : 0;
    if (!Pending) {
        // After a time-out it is the late answer; otherwise something else talks on the line.
        if (Timed_Out_Last)
            ++C.Late;
        else
            ++C.Wrong_Slave;
        // A late exception still says why: the converter gave up on its field device.
        if (Timed_Out_Last && Is_Exception)
            ++C.Exceptions[Exception_Code];
    } else if (Frame.Slave != Outcome.Plan.Slave) {
        ++C.Wrong_Slave;
    } else if (Function != Pending->Request.Function) {
        ++C.Wrong_Function;
    }
    if (!Pending || Frame.Slave != Outcome.Plan.Slave || Function != Pending->Request.Function) {
        Emit(Row);
        return;
    }
    Row.Latency_Us = Row.Time_Us - Pending->Sent_Us;
    ++C.Answers;
    C.Latency.Add(Row.Latency_Us);
    const Modbus_Request& Request = Pending->Request;
    const Pdu_Meaning Meaning = Decode_Response(Frame.Pdu, Request.Count);
    const bool Loop = Outcome.Plan.Mode == Link_Mode::Loop;
    // Any answer with the exception bit is no right answer, whatever its code says.
    if (Is_Exception)
        ++C.Exceptions[Exception_Code];
    else if (!Meaning.Valid ||
             (Is_Write_Function(Request.Function) && Frame.Pdu != Write_Response_Pdu(Request)))
        ++C.Malformed;
    else if (Loop && Frame.Pdu != Field_Answer)
        ++C.Answer_Altered;
    else if (Pending->Read_Back && Meaning.Values.mid(0, Request.Count) != Pending->Written)
        ++C.Read_Back_Differs;
    else
        ++C.Good;
    // A write that failed is not read back.
    if (!Pending->Read_Back && Read_Back_Next && (Is_Exception || !Meaning.Valid))
        Read_Back_Next = false;
    Answer_Timer.stop();
    Pending.reset();
    Emit(Row);
    const Line_Settings& Line = Outcome.Plan.Sides.Line(Master->Side);
    Next_Timer.start((Silence_Us(Line) + 999) / 1000 + Outcome.Plan.Interval_Ms);
}

void Link_Test::Slave_Chunk(const Line_Chunk& Chunk) {
    if (Chunk.Chunk_Kind != Line_Chunk::Kind::Frame)
        return;
    // The field device answers its own address only; a request that arrives for another was changed.
    if (Chunk.Frame.Slave != Outcome.Plan.Slave) {
        if (Pending)
            ++Outcome.Counts.Request_Altered;
        return;
    }
    if (Chunk.Frame != Field_Request)
        ++Outcome.Counts.Request_Altered;
    Field_Answer = Table.Answer(Chunk.Frame.Pdu);
    const QByteArray Bytes = Framed(Field->Side, {Chunk.Frame.Slave, Field_Answer});
    Field->Port.write(Bytes);
    Emit({Now_Us(), -1, Bytes, Field->Side, Link_Frame::Direction::Sent, Link_Frame::Role::Answer,
          Line_Chunk::Kind::Frame});
}

void Link_Test::Listen_Chunk(const Line_Chunk& Chunk, Link_Frame& Row) {
    if (Chunk.Chunk_Kind == Line_Chunk::Kind::Frame) {
        ++Outcome.Counts.Frames_Heard;
        const Modbus_Frame& Frame = Chunk.Frame;
        // What follows a request from its slave is its answer, unless it reads only as a request:
        // a master that got no answer asks again.
        // A single write's answer is its echo, byte for byte.
        const bool Answer = Heard_Request && Heard_Request->Slave == Frame.Slave && !Frame.Pdu.isEmpty() &&
                            (Frame.Pdu[0] & 0x7F) == Heard_Request->Pdu[0] &&
                            Decode_Response(Frame.Pdu).Valid &&
                            (!Is_Single_Write(Frame.Pdu[0]) || Frame.Pdu == Heard_Request->Pdu);
        Row.Frame_Role = Answer ? Link_Frame::Role::Answer : Link_Frame::Role::Request;
        if (Answer) {
            Heard_Request.reset();
        } else {
            // A request after a request: the first went without an answer.
            if (Heard_Request)
                ++Outcome.Counts.Timeouts;
            Heard_Request = Frame;
        }
    }
    Emit(Row);
}

void Link_Test::Answer_Timed_Out() {
    if (!Is_Running || !Pending)
        return;
    ++Outcome.Counts.Timeouts;
    Q_EMIT No_Answer(Now_Us(), Outcome.Plan.Response_Timeout_Ms());
    // A write without an answer is not read back: the read would only repeat its failure.
    if (!Pending->Read_Back)
        Read_Back_Next = false;
    Pending.reset();
    Timed_Out_Last = true;
    // The next request waits until the converter's answer could no longer come (its own TimeOut and
    // the lines), so that a late answer is counted late and never taken for the next request's.
    const Link_Plan& Plan = Outcome.Plan;
    const int Could_Come_Ms =
        Default_Response_Timeout_Ms(Plan.Sides, Plan.Request) - Plan.Response_Timeout_Ms();
    Next_Timer.start(std::max(Late_Window_Ms, Could_Come_Ms) + Plan.Interval_Ms);
}

void Link_Test::Port_Failed(Port_End& End) {
    if (!Is_Running)
        return;
    Outcome.Port_Error = QStringLiteral("%1: %2").arg(End.Port.portName(), End.Port.errorString());
    Finish();
}

void Link_Test::Finish() {
    if (!Is_Running)
        return;
    Is_Running = false;
    Answer_Timer.stop();
    Next_Timer.stop();
    Pending.reset();
    Outcome.Duration_Ms = Clock.elapsed();
    for (Port_End* End : {Master.get(), Field.get()}) {
        if (!End)
            continue;
        End->Silence.stop();
        End->Port.close();
    }
    Q_EMIT Finished();
}

void Link_Test::Emit(Link_Frame Row) {
    Q_EMIT Frame_Seen(Row);
}

} // namespace vo
