#include "Cli_Context.h"
#include "lang/Lng_File.h"
#include "lang/String_Table.h"

#include <map>

namespace vo {

// lang FILE.lng: the entries the file sets, last line winning, in id order and canonical form,
// so the output is itself a clean language file; every ignored "STR" line on standard error.
int Run_Lang(Cli_Context& Context) {
    if (Context.Args.size() != 1) {
        Context.Err << "Usage: vo40913-cli lang FILE.lng\n";
        return Exit_Usage;
    }
    const QString& File_Name = Context.Args.first();
    std::map<int, QString> Entries;
    const Status Read = Visit_Lng_File(File_Name, String_Count, [&](qsizetype Number, const Lng_Line& Line) {
        if (Line.Kind == Lng_Line_Kind::Entry)
            Entries[Line.Id] = Line.Text;
        else if (Line.Kind != Lng_Line_Kind::Free)
            Context.Err << File_Name << ':' << Number << ": ignored, " << Ignore_Reason(Line.Kind) << '\n';
    });
    if (!Read) {
        Context.Err << "vo40913-cli: " << Read.Error() << '\n';
        return Exit_Failed;
    }
    const QString Pilcrow = QStringLiteral("\u00B6");
    for (const auto& [Id, Text] : Entries)
        Context.Out << "STR" << Id << " = " << Pilcrow << Text << Pilcrow << '\n';
    return Exit_Ok;
}

} // namespace vo
