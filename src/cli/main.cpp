#include "Commands.h"
#include "lang/String_Table.h"
#include "shell/Shared_State.h"
#include "shell/Software_Info.h"
#include "shell/Startup.h"
#include "util/Config_Path.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void Print_Help(QTextStream& Out) {
    Out << "Usage: vo40913-cli [--language NAME] COMMAND [ARGUMENTS]\n"
           "       vo40913-cli --help | --version\n\n"
           "The command-line companion of the "
        << vo::Software_Description_Text
        << " configurator.\n"
           "Works on the PROJECTS, LANGUAGE and MASTER folders beside this program.\n\n"
           "Options:\n"
           "  --help           show this text\n"
           "  --version        show the software code and version\n"
           "  --language NAME  take messages from LANGUAGE/NAME.lng (default: English)\n\n"
           "Commands:\n";
    for (const vo::Cli_Command* Command : vo::All_Commands()) {
        const QString Usage = QString::fromUtf8(Command->Usage);
        // A long usage line gets its summary on a line of its own, in the column of the others.
        Out << "  " << (Usage.size() <= 40 ? Usage.leftJustified(40) : Usage + u'\n' + QString(42, u' '))
            << ' ' << Command->Summary << '\n';
    }
    Out << "\nvo40913-cli COMMAND --help shows the usage of one command.\n"
           "Exit status: 0 success, 1 failure, 2 usage error.\n";
}

// COMMAND --help (or -h) anywhere before "--": the command's usage, and nothing done.
bool Asks_For_Help(const QStringList& Command_Args) {
    for (const QString& Arg : Command_Args) {
        if (Arg == u"--")
            return false;
        if (Arg == u"--help" || Arg == u"-h")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> App = vo::Make_Cli_Application(argc, argv);
    QTextStream Out(stdout);
    QTextStream Err(stderr);

    QStringList Args = QCoreApplication::arguments().mid(1);
    QString Language = vo::Default_Language_Name.toString();
    while (!Args.isEmpty() && Args.first().startsWith(u'-')) {
        const QString Option = Args.takeFirst();
        if (Option == u"--help" || Option == u"-h") {
            Print_Help(Out);
            return vo::Exit_Ok;
        }
        if (Option == u"--version") {
            Out << vo::Software_Code_Text << ' ' << vo::Software_Version << '\n';
            return vo::Exit_Ok;
        }
        if (Option == u"--language" && !Args.isEmpty()) {
            Language = Args.takeFirst();
            if (!vo::Is_Plain_Name(Language)) {
                Err << "vo40913-cli: --language takes the name of a language file in LANGUAGE, not \""
                    << vo::Cut_For_Message(Language) << "\"\n";
                return vo::Exit_Usage;
            }
            continue;
        }
        Err << "vo40913-cli: unknown option " << Option << " (see --help)\n";
        return vo::Exit_Usage;
    }
    if (Args.isEmpty()) {
        Print_Help(Err);
        return vo::Exit_Usage;
    }
    const vo::Cli_Command* Command = vo::Find_Command(Args.first());
    if (!Command) {
        Err << "vo40913-cli: unknown command " << Args.first() << " (see --help)\n";
        return vo::Exit_Usage;
    }

    if (Asks_For_Help(Args.mid(1))) {
        Out << "Usage: vo40913-cli [--language NAME] " << Command->Usage << "\n\n"
            << Command->Summary << '\n';
        return vo::Exit_Ok;
    }

    vo::Cli_Context Context{{}, Args.mid(1), Out, Err};
    vo::Set_Folders(Context.State, QCoreApplication::applicationDirPath());
    Context.State.Software_Code = vo::Software_Code_Text;
    Context.State.Language_Name = Language;
    vo::Load_Language(Context.State);
    return Command->Run(Context);
}
