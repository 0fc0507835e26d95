#include "History_Index.h"

#include "History_File.h"
#include "History_Place.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cstring>

namespace vo {

namespace {

// FNV-1a over a line's bytes, continued across the pieces it is read in: a line read back is known to
// be the one scanned, not one of the same length that took its place.
constexpr quint32 Hash_Start = 2166136261u;

quint32 Hash_More(quint32 Hash, const char* Bytes, qint64 Size) {
    for (qint64 I = 0; I < Size; ++I)
        Hash = (Hash ^ static_cast<unsigned char>(Bytes[I])) * 16777619u;
    return Hash;
}

} // namespace

History_Index History_Index::Scan(const QString& Project_Path) {
    History_Index Index;
    if (const Status Sound = Check_History_Place(Project_Path); !Sound) {
        Index.Error_Text = Sound.Error();
        return Index;
    }
    Index.Path = History_File_Path(Project_Path);
    const QFileInfo Info(Index.Path);
    if (!Info.exists())
        return Index;
    // A pipe or a device would block the window, or never end.
    if (!Info.isFile()) {
        Index.Error_Text = QStringLiteral("\"%1\" is not a regular file").arg(Index.Path);
        return Index;
    }
    if (Info.size() > History_Index_Limit) {
        Index.Error_Text =
            QStringLiteral("\"%1\" holds more than %2 bytes").arg(Index.Path).arg(History_Index_Limit);
        return Index;
    }
    QFile File(Index.Path);
    if (!File.open(QIODevice::ReadOnly)) {
        Index.Error_Text = QStringLiteral("cannot read \"%1\": %2").arg(Index.Path, File.errorString());
        return Index;
    }
    QByteArray Chunk(1024 * 1024, Qt::Uninitialized);
    qint64 Offset = 0;
    qint64 Line_Start = 0;
    qint32 Number = 1;
    bool Blank = true;
    quint32 Hash = Hash_Start;
    const auto End_Line = [&](qint64 End) {
        if (!Blank) {
            Index.Hashes.append(Hash);
            Index.Starts.append(Line_Start);
            Index.Lengths.append(
                static_cast<qint32>(std::min<qint64>(End - Line_Start, History_Line_Limit + 1)));
            Index.Numbers.append(Number);
        }
        Line_Start = End + 1;
        ++Number;
        Blank = true;
        Hash = Hash_Start;
    };
    for (;;) {
        const qint64 Got = File.read(Chunk.data(), Chunk.size());
        if (Got < 0) {
            Index.Error_Text = QStringLiteral("cannot read \"%1\": %2").arg(Index.Path, File.errorString());
            return Index;
        }
        if (Got == 0)
            break;
        const char* Bytes = Chunk.constData();
        for (qint64 I = 0; I < Got;) {
            const void* Found = std::memchr(Bytes + I, '\n', static_cast<std::size_t>(Got - I));
            const qint64 Stop = Found ? static_cast<const char*>(Found) - Bytes : Got;
            for (qint64 J = I; Blank && J < Stop; ++J)
                Blank = Bytes[J] == ' ' || Bytes[J] == '\t' || Bytes[J] == '\r' || Bytes[J] == '\f' ||
                        Bytes[J] == '\v';
            Hash = Hash_More(Hash, Bytes + I, Stop - I);
            if (!Found)
                break;
            End_Line(Offset + Stop);
            I = Stop + 1;
        }
        Offset += Got;
    }
    Index.Last_Unended = !Blank;
    End_Line(Offset);
    Index.Scanned_Size = Offset;
    return Index;
}

Result<Update_Record> History_Index::Record_At(qsizetype I) const {
    const int Number = Numbers.at(I);
    const auto Problem = [Number](const QString& Why) {
        return Failure(QStringLiteral("line %1: %2").arg(Number).arg(Why));
    };
    if (Lengths.at(I) > History_Line_Limit)
        return Problem(QStringLiteral("longer than %1 bytes").arg(History_Line_Limit));
    const QString Changed = QStringLiteral("the history changed while it was shown; open it again");
    // Whatever took the file's place since the scan (a pipe would block the window) is not read.
    if (const QFileInfo Info(Path); !Info.isFile() || Info.isSymLink() || Info.size() < Scanned_Size)
        return Problem(Changed);
    QFile File(Path);
    const qint64 Start = Starts.at(I);
    if (!File.open(QIODevice::ReadOnly) || !File.seek(std::max<qint64>(0, Start - 1)))
        return Problem(QStringLiteral("cannot read \"%1\": %2").arg(Path, File.errorString()));
    // A line still where the scan found it has a line end (or the file's start) right before it and
    // one (or the file's end) right after it: records are only ever added after the others.
    QByteArray Line = File.read(Lengths.at(I) + (Start > 0 ? 2 : 1));
    if (Start > 0 && !Line.startsWith('\n'))
        return Problem(Changed);
    if (Start > 0)
        Line.remove(0, 1);
    if (Line.size() > Lengths.at(I)) {
        if (Line.at(Lengths.at(I)) != '\n')
            return Problem(Changed);
        Line.truncate(Lengths.at(I));
    }
    if (Hash_More(Hash_Start, Line.constData(), Line.size()) != Hashes.at(I))
        return Problem(Changed);
    QJsonParseError Parse;
    const QJsonDocument Doc = QJsonDocument::fromJson(Line, &Parse);
    if (Parse.error != QJsonParseError::NoError || !Doc.isObject())
        return Problem(Last_Unended && I == Starts.size() - 1
                           ? QStringLiteral("truncated")
                           : QStringLiteral("not JSON: ") + Parse.errorString());
    Result<Update_Record> Record = Record_From_Json(Doc.object());
    if (!Record)
        return Problem(Record.Error());
    return Record;
}

} // namespace vo
