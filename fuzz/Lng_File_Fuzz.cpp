// Language files: any bytes through the decoding and the line rule of Load_Language_File.
#include "Fuzz_Input.h"
#include "Fuzz_Require.h"
#include "lang/String_Table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static const QStringList Defaults = [] {
        QStringList Table;
        vo::Load_Default_Strings(Table);
        return Table;
    }();
    QStringList Table = Defaults;
    const QString File = vo_fuzz::Write_Input_File(QStringLiteral("Fuzz.lng"), Data, Size);
    vo_fuzz::Require(vo::Load_Language_File(Table, File), "a readable language file loads");
    vo_fuzz::Require(Table.size() == vo::String_Count, "the table keeps its size");
    for (qsizetype Id = 0; Id < Table.size(); ++Id) {
        if (Table[Id] != Defaults[Id])
            vo_fuzz::Require(!Table[Id].contains(u'\r') && !Table[Id].contains(u'\n'),
                             "an entry is read from one line");
    }
    return 0;
}
