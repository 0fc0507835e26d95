#include "Cli_Config.h"
#include "Cli_Json.h"
#include "platform/Port_Probe.h"
#include "update/Com_Ports.h"
#include "update/Port_List_Watch.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <optional>

namespace vo {

namespace {

using Port_List = QList<Com_Port>;

QStringList Row(const Com_Port& Port) {
    return {Terminal_Text(Port.Name), Terminal_Text(Port.State), Terminal_Text(Port.Details),
            Terminal_Text(Port.Stable_Name)};
}

// The columns aligned, with a heading; nothing at all when there is no port.
void Print_Table(QTextStream& Out, const Port_List& Ports) {
    if (Ports.isEmpty())
        return;
    QList<QStringList> Rows{{QStringLiteral("PORT"), QStringLiteral("STATE"), QStringLiteral("DETAILS"),
                             QStringLiteral("STABLE NAME")}};
    for (const Com_Port& Port : Ports)
        Rows.append(Row(Port));
    QList<qsizetype> Widths(Rows.first().size(), 0);
    for (const QStringList& R : Rows)
        for (qsizetype Column = 0; Column < R.size(); ++Column)
            Widths[Column] = std::max(Widths[Column], R[Column].size());
    for (const QStringList& R : Rows) {
        QString Line;
        for (qsizetype Column = 0; Column < R.size(); ++Column)
            Line += R[Column].leftJustified(Widths[Column] + 2);
        Out << Line.trimmed() << '\n';
    }
}

QJsonObject Port_Json(const Com_Port& Port) {
    QJsonObject Object = Port_Details_Json(Port.Info.Details);
    const Port_Status& Status = Port.Info.Status;
    Object.insert(QStringLiteral("port"), Port.Name);
    Object.insert(QStringLiteral("state"), Port_State_Name(Status.Port_State));
    Object.insert(QStringLiteral("state_text"), Port.State);
    Object.insert(QStringLiteral("holder"), QString::fromStdString(Status.Holder));
    Object.insert(QStringLiteral("holder_process"), static_cast<qint64>(Status.Holder_Id));
    Object.insert(QStringLiteral("fix_group"), QString::fromStdString(Status.Fix_Group));
    Object.insert(QStringLiteral("details"), Port.Details);
    return Object;
}

QJsonObject List_Json(const Port_List& Ports) {
    QJsonArray Names;
    QJsonArray Entries;
    for (const Com_Port& Port : Ports) {
        Names.append(Port.Name);
        Entries.append(Port_Json(Port));
    }
    return {{QStringLiteral("ports"), Names}, {QStringLiteral("entries"), Entries}};
}

const Com_Port* Find(const Port_List& Ports, const QString& Name) {
    for (const Com_Port& Port : Ports)
        if (Port.Name == Name)
            return &Port;
    return nullptr;
}

// "+ " a port that came, "- " one that went, "* " one whose state or details changed.
void Print_Changes(QTextStream& Out, const Port_List& Before, const Port_List& After) {
    for (const Com_Port& Port : Before)
        if (!Find(After, Port.Name))
            Out << "- " << Terminal_Text(Port.Name) << '\n';
    for (const Com_Port& Port : After) {
        const Com_Port* Was = Find(Before, Port.Name);
        if (!Was || Row(*Was) != Row(Port))
            Out << (Was ? "* " : "+ ") << Row(Port).join(QStringLiteral("  ")).trimmed() << '\n';
    }
}

std::optional<QString> Take_Value(QStringList& Args, const QString& Option, bool& Missing) {
    const qsizetype At = Args.indexOf(Option);
    if (At < 0)
        return std::nullopt;
    if (At + 1 >= Args.size()) {
        Missing = true;
        return std::nullopt;
    }
    const QString Value = Args.at(At + 1);
    Args.remove(At, 2);
    return Value;
}

} // namespace

// ports: the serial ports the update dialog offers, with their state, details and stable name;
// finding none is no failure. --watch prints the changes as ports come and go, until stopped.
int Run_Ports(Cli_Context& Context) {
    const bool Json = Take_Option(Context.Args, QStringLiteral("--json"));
    const bool Watch = Take_Option(Context.Args, QStringLiteral("--watch"));
    bool Missing = false;
    const std::optional<QString> Root = Take_Value(Context.Args, QStringLiteral("--root"), Missing);
    if (!Context.Args.isEmpty() || Missing)
        return Usage_Error(Context, "ports");
    const std::unique_ptr<Port_Probe> Probe =
        Root ? Make_Port_Probe_At(Root->toStdString()) : Make_Port_Probe();
    if (!Probe) {
        Context.Err << "vo40913-cli: --root needs a system with /dev and /sys\n";
        return Exit_Usage;
    }
    Port_List Ports = Describe_Com_Ports(*Probe, Context.State);
    if (!Watch) {
        if (Json)
            Print_Json(Context, List_Json(Ports));
        else
            Print_Table(Context.Out, Ports);
        return Exit_Ok;
    }
    // Watching, each state of the list is one line of JSON, so that a reader takes it as it comes.
    const auto Print_Json_Line = [&Context](const Port_List& List) {
        Context.Out << QString::fromUtf8(QJsonDocument(List_Json(List)).toJson(QJsonDocument::Compact))
                    << '\n';
    };
    Port_List_Watch Ports_Watch(*Probe, nullptr);
    if (!Ports_Watch.Live()) {
        Context.Err << "vo40913-cli: this system gives no notice of ports that come and go\n";
        return Exit_Failed;
    }
    if (Json)
        Print_Json_Line(Ports);
    else
        Print_Table(Context.Out, Ports);
    Context.Out << Qt::flush;
    QObject::connect(&Ports_Watch, &Port_List_Watch::Changed, [&] {
        Port_List Now = Describe_Com_Ports(*Probe, Context.State);
        if (Json)
            Print_Json_Line(Now);
        else
            Print_Changes(Context.Out, Ports, Now);
        Context.Out << Qt::flush;
        Ports = std::move(Now);
    });
    return QCoreApplication::exec();
}

} // namespace vo
