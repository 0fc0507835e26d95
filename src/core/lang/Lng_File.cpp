#include "Lng_File.h"

#include "Lng_Decode.h"
#include "util/File_Read.h"

namespace vo {

void Visit_Lng_Lines(QStringView Text, int Count, const Lng_Line_Visitor& Visit) {
    qsizetype Number = 0;
    qsizetype Start = 0;
    const qsizetype Size = Text.size();
    while (Start < Size) {
        qsizetype End = Start;
        while (End < Size && Text[End] != u'\r' && Text[End] != u'\n')
            ++End;
        Visit(++Number, Parse_Lng_Line(Text.sliced(Start, End - Start), Count));
        if (End < Size && Text[End] == u'\r' && End + 1 < Size && Text[End + 1] == u'\n')
            ++End;
        Start = End + 1;
    }
}

bool Visit_Lng_File(const QString& File_Name, int Count, const Lng_Line_Visitor& Visit, QString* Error_Text) {
    QString Text;
    {
        const File_Bytes Read = Read_File_Bounded(File_Name, Language_File_Cap);
        if (!Read) {
            if (Error_Text)
                *Error_Text = Read.Error_Text;
            return false;
        }
        Text = Decode_Lng_Bytes(Read.Bytes);
    }
    Visit_Lng_Lines(Text, Count, Visit);
    return true;
}

} // namespace vo
