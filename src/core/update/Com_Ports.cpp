#include "Com_Ports.h"

#include "shell/Shared_State.h"

namespace vo {

namespace {

const char* const Kinds[] = {"unknown", "built-in", "usb"};

QString Text_Of(const std::string& Text) {
    return QString::fromStdString(Text);
}

std::string Field(const QJsonObject& Object, const char* Key) {
    return Object.value(QLatin1String(Key)).toString().toStdString();
}

} // namespace

QStringList Get_Com_Ports(const Port_Probe& Probe) {
    QStringList Ports;
    for (const std::string& Port : Probe.Present_Ports())
        Ports.append(Text_Of(Port));
    return Ports;
}

QList<Com_Port> Describe_Com_Ports(const Port_Probe& Probe, const Shared_State& State) {
    QList<Com_Port> Ports;
    for (Port_Info& Info : Probe.Describe_Ports())
        Ports.append(Com_Port_Of(std::move(Info), State));
    return Ports;
}

Com_Port Com_Port_Of(Port_Info Info, const Shared_State& State) {
    Com_Port Port{Text_Of(Info.Name),
                  Port_State_Words(Info.Status, State),
                  Port_Details_Words(Info.Details, State),
                  Text_Of(Info.Details.Stable_Name),
                  {}};
    Port.Info = std::move(Info);
    return Port;
}

QString Port_State_Words(const Port_Status& Status, const Shared_State& State) {
    switch (Status.Port_State) {
    case Port_Status::State::Free:
        return State.Text(Msg_Port_Free);
    case Port_Status::State::Busy:
        if (Status.Holder_Id == 0)
            return State.Text(Msg_Port_Busy);
        return State.Text(Msg_Port_Held_By).arg(Text_Of(Status.Holder)).arg(Status.Holder_Id);
    case Port_Status::State::Not_Permitted:
        if (Status.Fix_Group.empty())
            return State.Text(Msg_Port_Not_Permitted);
        return State.Text(Msg_Port_Needs_Group).arg(Text_Of(Status.Fix_Group));
    case Port_Status::State::Gone:
        break;
    }
    return State.Text(Msg_Port_Gone);
}

QString Port_Details_Words(const Port_Details& Details, const Shared_State& State) {
    switch (Details.Port_Kind) {
    case Port_Details::Kind::Unknown:
        return {};
    case Port_Details::Kind::Built_In:
        return State.Text(Msg_Built_In_Port);
    case Port_Details::Kind::Usb:
        break;
    }
    QStringList Name;
    for (const std::string& Part : {Details.Maker, Details.Model})
        if (!Part.empty())
            Name.append(Text_Of(Part));
    QString Words = Name.join(u' ');
    if (Words.isEmpty()) {
        Words = State.Text(Msg_Usb_Adapter);
        if (!Details.Vendor_Id.empty())
            Words += u' ' + Text_Of(Details.Vendor_Id) + u':' + Text_Of(Details.Product_Id);
    }
    if (!Details.Serial_Number.empty())
        Words += QStringLiteral(", ") + State.Text(Msg_Serial_Number).arg(Text_Of(Details.Serial_Number));
    return Words;
}

QString Port_Hint(const Com_Port& Port, const Shared_State& State) {
    QStringList Lines;
    if (!Port.Details.isEmpty())
        Lines.append(Port.Details);
    Lines.append(Port.State);
    if (!Port.Stable_Name.isEmpty())
        Lines.append(State.Text(Msg_Stable_Name) + Port.Stable_Name);
    return Lines.join(u'\n');
}

QString Port_State_Name(Port_Status::State Port_State) {
    switch (Port_State) {
    case Port_Status::State::Free:
        return QStringLiteral("free");
    case Port_Status::State::Busy:
        return QStringLiteral("busy");
    case Port_Status::State::Not_Permitted:
        return QStringLiteral("not_permitted");
    case Port_Status::State::Gone:
        break;
    }
    return QStringLiteral("gone");
}

QJsonObject Port_Details_Json(const Port_Details& Details) {
    return {{QStringLiteral("kind"), QLatin1String(Kinds[static_cast<int>(Details.Port_Kind)])},
            {QStringLiteral("maker"), Text_Of(Details.Maker)},
            {QStringLiteral("model"), Text_Of(Details.Model)},
            {QStringLiteral("serial_number"), Text_Of(Details.Serial_Number)},
            {QStringLiteral("vendor_id"), Text_Of(Details.Vendor_Id)},
            {QStringLiteral("product_id"), Text_Of(Details.Product_Id)},
            {QStringLiteral("stable_name"), Text_Of(Details.Stable_Name)}};
}

Port_Details Port_Details_From_Json(const QJsonObject& Object) {
    Port_Details Details;
    const QString Kind = Object.value(QStringLiteral("kind")).toString();
    for (std::size_t I = 0; I < std::size(Kinds); ++I)
        if (Kind == QLatin1String(Kinds[I]))
            Details.Port_Kind = static_cast<Port_Details::Kind>(I);
    Details.Maker = Field(Object, "maker");
    Details.Model = Field(Object, "model");
    Details.Serial_Number = Field(Object, "serial_number");
    Details.Vendor_Id = Field(Object, "vendor_id");
    Details.Product_Id = Field(Object, "product_id");
    Details.Stable_Name = Field(Object, "stable_name");
    return Details;
}

QJsonObject Adapter_Of(const Port_Probe& Probe, const QString& Name) {
    for (const Port_Info& Info : Probe.Describe_Ports())
        if (Text_Of(Info.Name) == Name)
            return Adapter_Of(Com_Port{Name, {}, {}, {}, Info});
    return {};
}

QJsonObject Adapter_Of(const Com_Port& Port) {
    const Port_Details& Details = Port.Info.Details;
    if (Details == Port_Details{})
        return {};
    return Port_Details_Json(Details);
}

} // namespace vo
