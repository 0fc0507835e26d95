#include "Cli_Config.h"
#include "Commands.h"
#include "Commissioning_Report.h"
#include "Report_Application.h"

#include <QDir>

namespace vo {

namespace {

bool Wants_Report(int argc, char** argv) {
    int I = 1;
    while (I < argc && argv[I][0] == '-')
        I += qstrcmp(argv[I], "--language") == 0 ? 2 : 1;
    return I < argc && qstrcmp(argv[I], "report") == 0;
}

} // namespace

std::unique_ptr<QCoreApplication> Make_Cli_Application(int& argc, char** argv) {
    if (Wants_Report(argc, argv))
        return Make_Report_Application(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

// report CONFIG -o FILE.pdf: the commissioning report in the language of --language.
int Run_Report(Cli_Context& Context) {
    QStringList& Args = Context.Args;
    const qsizetype Output = Args.indexOf(QStringLiteral("-o"));
    if (Args.size() != 3 || Output < 0 || Output == Args.size() - 1)
        return Usage_Error(Context, "report");
    const QString Pdf = Args.at(Output + 1);
    Args.remove(Output, 2);
    if (!Open_Config(Context, Args.first()))
        return Exit_Failed;
    const Status Written = Write_Report(Context.State, Pdf);
    if (!Written) {
        Context.Err << Context.State.Text(Msg_Report_Not_Written) << Written.Error() << '\n';
        return Exit_Failed;
    }
    Context.Out << QDir::toNativeSeparators(Pdf) << '\n';
    return Exit_Ok;
}

} // namespace vo
