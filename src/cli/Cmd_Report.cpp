#include "Cli_Config.h"
#include "Commissioning_Report.h"

#include <QDir>

namespace vo {

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
    const Save_Status Written = Write_Report(Context.State, Pdf);
    if (!Written) {
        Context.Err << Context.State.Text(Msg_Report_Not_Written) << Written.Error_Text << '\n';
        return Exit_Failed;
    }
    Context.Out << QDir::toNativeSeparators(Pdf) << '\n';
    return Exit_Ok;
}

} // namespace vo
