#include "Update_Args.h"

#include "Cli_Config.h"
#include "update/Device_Type.h"
#include "update/Updater_Launch.h"

#include <QSet>

namespace vo {

namespace {

// A day is far beyond any update, and keeps the limit a plain number of milliseconds.
constexpr int Max_Wait_Seconds = 86400;

// Digits only: no sign, blank or fraction that a script might pass by mistake.
std::optional<int> Whole_Seconds(const QString& Text) {
    if (Text.isEmpty() || Text.size() > 5)
        return std::nullopt;
    for (const QChar C : Text) {
        if (C < u'0' || C > u'9')
            return std::nullopt;
    }
    const int Seconds = Text.toInt();
    return Seconds <= Max_Wait_Seconds ? std::optional<int>(Seconds) : std::nullopt;
}

std::optional<Update_Request> Refuse(Cli_Context& Context, const QString& Reason) {
    Context.Err << "vo40913-cli: " << Reason << '\n';
    Usage_Error(Context, "update");
    return std::nullopt;
}

} // namespace

std::optional<Update_Request> Parse_Update_Args(Cli_Context& Context) {
    const QStringList Valued = {QStringLiteral("--port"), QStringLiteral("--ip"), QStringLiteral("--option"),
                                QStringLiteral("--wait-limit")};
    Update_Request Request;
    Request.Wait_Limit = Updater_Wait_Limit;
    QStringList Configs;
    QSet<QString> Seen;
    QStringList Args = Context.Args;
    while (!Args.isEmpty()) {
        const QString Arg = Args.takeFirst();
        if (Arg == u"--no-read-back") {
            Request.Choice.Read_Back = false;
            continue;
        }
        if (Arg == u"--force-port") {
            Request.Force_Port = true;
            continue;
        }
        if (!Arg.startsWith(u'-')) {
            Configs.append(Arg);
            continue;
        }
        if (!Valued.contains(Arg))
            return Refuse(Context, QStringLiteral("unknown option %1").arg(Arg));
        if (Args.isEmpty())
            return Refuse(Context, QStringLiteral("%1 needs a value").arg(Arg));
        if (Seen.contains(Arg))
            return Refuse(Context, QStringLiteral("%1 is given twice").arg(Arg));
        Seen.insert(Arg);
        const QString Value = Args.takeFirst();
        if (Arg == u"--port" || Arg == u"--ip") {
            Request.Form_Type = Arg == u"--port" ? Form_Serial : Form_Ethernet;
            Request.Target = Value;
        } else if (Arg == u"--option") {
            const int Index =
                QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}.indexOf(Value);
            if (Index < 0)
                return Refuse(Context, QStringLiteral("--option takes 0, 1 or 2, not \"%1\"").arg(Value));
            Request.Choice.Option_Index = Index;
        } else {
            const std::optional<int> Seconds = Whole_Seconds(Value);
            if (!Seconds)
                return Refuse(Context,
                              QStringLiteral("--wait-limit takes a whole number of seconds from 0 to %1, "
                                             "not \"%2\"")
                                  .arg(Max_Wait_Seconds)
                                  .arg(Value));
            Request.Wait_Limit = std::chrono::seconds(*Seconds);
        }
    }
    if (Configs.size() != 1)
        return Refuse(Context, Configs.isEmpty()
                                   ? QStringLiteral("no CONFIG given")
                                   : QStringLiteral("one CONFIG only, not %1").arg(Configs.size()));
    if (Seen.contains(QStringLiteral("--port")) == Seen.contains(QStringLiteral("--ip")))
        return Refuse(Context, QStringLiteral("give either --port DEVICE or --ip A.B.C.D"));
    // An empty device is an unset variable in a script, never a port.
    if (Request.Form_Type == Form_Serial && Request.Target.isEmpty())
        return Refuse(Context, QStringLiteral("--port needs a device"));
    Request.Config = Configs.first();
    return Request;
}

} // namespace vo
