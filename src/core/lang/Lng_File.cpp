#include "Lng_File.h"

#include "Char_Search.h"
#include "Lng_Decode.h"
#include "util/File_Read.h"

#include <algorithm>

namespace vo {

void Visit_Lng_Lines(QStringView Text, int Count, const Lng_Line_Visitor& Visit) {
    qsizetype Number = 0;
    qsizetype Start = 0;
    const qsizetype Size = Text.size();
    // The next LF and the next CR, each searched again only once the lines have passed it: a file
    // without CR is searched for one once.
    qsizetype Next_Lf = Find_Char(Text, u'\n');
    qsizetype Next_Cr = Find_Char(Text, u'\r');
    while (Start < Size) {
        if (Next_Lf >= 0 && Next_Lf < Start)
            Next_Lf = Find_Char(Text, u'\n', Start);
        if (Next_Cr >= 0 && Next_Cr < Start)
            Next_Cr = Find_Char(Text, u'\r', Start);
        const qsizetype End = Next_Lf < 0   ? (Next_Cr < 0 ? Size : Next_Cr)
                              : Next_Cr < 0 ? Next_Lf
                                            : std::min(Next_Lf, Next_Cr);
        Visit(++Number, Parse_Lng_Line(Text.sliced(Start, End - Start), Count));
        Start = End + (End + 1 < Size && Text[End] == u'\r' && Text[End + 1] == u'\n' ? 2 : 1);
    }
}

Status Visit_Lng_File(const QString& File_Name, int Count, const Lng_Line_Visitor& Visit) {
    QString Text;
    {
        const File_Bytes Read = Read_File_Bounded(File_Name, Language_File_Cap);
        if (!Read)
            return Failure(Read.Error());
        Text = Decode_Lng_Bytes(*Read);
    }
    Visit_Lng_Lines(Text, Count, Visit);
    return {};
}

} // namespace vo
