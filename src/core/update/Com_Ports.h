#pragma once

#include "platform/Port_Probe.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace vo {

struct Shared_State;

// Message ids of the port details and states (ids of Lang_Strings).
inline constexpr int Msg_Built_In_Port = 1072;
inline constexpr int Msg_Usb_Adapter = 1073;
inline constexpr int Msg_Serial_Number = 1074;
inline constexpr int Msg_Port_Free = 1075;
inline constexpr int Msg_Port_Busy = 1076;
inline constexpr int Msg_Port_Held_By = 1077;
inline constexpr int Msg_Port_Not_Permitted = 1078;
inline constexpr int Msg_Port_Needs_Group = 1079;
inline constexpr int Msg_Port_Gone = 1080;
inline constexpr int Msg_Stable_Name = 1083;

// The serial ports the probe finds, busy ones included, as the port list shows them, in its order.
QStringList Get_Com_Ports(const Port_Probe& Probe);

// One port of the list as a user reads it, in the state's language.
struct Com_Port {
    QString Name;        // as the port list shows it
    QString State;       // "free", "busy: held by minicom (process 4242)", ...
    QString Details;     // "FTDI FT232R USB UART, serial number A50285BI", "built-in serial port", or ""
    QString Stable_Name; // "/dev/serial/by-id/...", or ""
    Port_Info Info;      // as the probe told it
};

// The ports of Get_Com_Ports, in the same order, with their details and states in words.
QList<Com_Port> Describe_Com_Ports(const Port_Probe& Probe, const Shared_State& State);
// One port in the state's language (again, after a language change).
Com_Port Com_Port_Of(Port_Info Info, const Shared_State& State);

QString Port_State_Words(const Port_Status& Status, const Shared_State& State);
QString Port_Details_Words(const Port_Details& Details, const Shared_State& State);
// Details, state and stable name, one a line: the port's hint.
QString Port_Hint(const Com_Port& Port, const Shared_State& State);

// "free", "busy", "not_permitted" or "gone".
QString Port_State_Name(Port_Status::State Port_State);

// The details as the command line's --json and the update history keep them: kind ("usb",
// "built-in" or "unknown"), maker, model, serial_number, vendor_id, product_id, stable_name.
QJsonObject Port_Details_Json(const Port_Details& Details);
Port_Details Port_Details_From_Json(const QJsonObject& Object);

// The details of the listed port Name for the update history; empty when the probe knows nothing
// of it.
QJsonObject Adapter_Of(const Port_Probe& Probe, const QString& Name);
// The same from a port of the list.
QJsonObject Adapter_Of(const Com_Port& Port);

} // namespace vo
