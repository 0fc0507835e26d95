#include "Lng_File.h"

#include "Lng_Decode.h"

#include <QFile>

namespace vo {

void Visit_Lng_Lines(QStringView Text, int Count, const Lng_Line_Visitor& Visit) {
    qsizetype Number = 0;
    qsizetype Start = 0;
    const qsizetype Size = Text.size();
    while (Start < Size) {
        qsizetype End = Start;
        // Nearly every character lies above CR and is passed after one comparison.
        while (End < Size && (Text[End] > u'\r' || (Text[End] != u'\r' && Text[End] != u'\n')))
            ++End;
        Visit(++Number, Parse_Lng_Line(Text.sliced(Start, End - Start), Count));
        if (End < Size && Text[End] == u'\r' && End + 1 < Size && Text[End + 1] == u'\n')
            ++End;
        Start = End + 1;
    }
}

bool Visit_Lng_File(const QString& File_Name, int Count, const Lng_Line_Visitor& Visit) {
    QString Text;
    {
        QFile File(File_Name);
        if (!File.open(QIODevice::ReadOnly))
            return false;
        const QByteArray Bytes = File.readAll();
        if (File.error() != QFileDevice::NoError)
            return false;
        Text = Decode_Lng_Bytes(Bytes);
    }
    Visit_Lng_Lines(Text, Count, Visit);
    return true;
}

} // namespace vo
