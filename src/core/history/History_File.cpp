#include "History_File.h"

#include "History_Place.h"
#include "util/Path_Join.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <functional>

namespace vo {

namespace {

// The file's bytes; no file gives none and no error.
Result<QByteArray> Read_Bytes(const QString& Path) {
    const QFileInfo Info(Path);
    if (!Info.exists())
        return QByteArray();
    if (!Info.isFile())
        return Failure(QStringLiteral("\"%1\" is not a regular file").arg(Path));
    if (Info.size() > History_File_Limit)
        return Failure(QStringLiteral("\"%1\" holds more than %2 bytes").arg(Path).arg(History_File_Limit));
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("cannot read \"%1\": %2").arg(Path, File.errorString()));
    QByteArray Bytes = File.read(History_File_Limit + 1);
    if (File.error() != QFileDevice::NoError)
        return Failure(QStringLiteral("cannot read \"%1\": %2").arg(Path, File.errorString()));
    return Bytes;
}

QByteArray Record_Line(const Update_Record& Record) {
    return QJsonDocument(Record_To_Json(Record)).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QString History_Folder(const QString& Project_Path) {
    return Join_Path(Project_Path, QStringLiteral("History"));
}

QString History_File_Path(const QString& Project_Path) {
    return Join_Path(History_Folder(Project_Path), QStringLiteral("history.jsonl"));
}

const Update_Record* History::Find(const QString& Id) const {
    for (const Update_Record& Record : Records)
        if (Record.Id == Id)
            return &Record;
    return nullptr;
}

History Parse_History(const QByteArray& Bytes) {
    History Read;
    const QList<QByteArray> Lines = Bytes.split('\n');
    for (qsizetype I = 0; I < Lines.size(); ++I) {
        const QByteArray& Line = Lines[I];
        if (Line.trimmed().isEmpty())
            continue;
        const int Number = static_cast<int>(I + 1);
        QJsonParseError Parse;
        const QJsonDocument Doc = QJsonDocument::fromJson(Line, &Parse);
        // The last line lacks its line end only when a write was cut short.
        const bool Last_Unended = I == Lines.size() - 1;
        if (Parse.error != QJsonParseError::NoError || !Doc.isObject()) {
            Read.Problems.append({Number, Last_Unended ? QStringLiteral("truncated")
                                                       : QStringLiteral("not JSON: ") + Parse.errorString()});
            continue;
        }
        if (Result<Update_Record> Record = Record_From_Json(Doc.object()))
            Read.Records.append(*std::move(Record));
        else
            Read.Problems.append({Number, Record.Error()});
    }
    return Read;
}

QByteArray History_With(QByteArray Bytes, const Update_Record& Record) {
    if (!Bytes.isEmpty() && !Bytes.endsWith('\n'))
        Bytes.append('\n');
    return Bytes + Record_Line(Record);
}

History Read_History(const QString& Project_Path) {
    if (const Status Sound = Check_History_Place(Project_Path); !Sound) {
        History Read;
        Read.Error_Text = Sound.Error();
        return Read;
    }
    const Result<QByteArray> Bytes = Read_Bytes(History_File_Path(Project_Path));
    if (!Bytes) {
        History Read;
        Read.Error_Text = Bytes.Error();
        return Read;
    }
    return Parse_History(*Bytes);
}

namespace {

// The history file read, changed as a whole and replaced atomically, under the history's rule.
Status Rewrite_History(const QString& Project_Path, const std::function<QByteArray(QByteArray)>& Change) {
    if (const Status Sound = Check_History_Place(Project_Path); !Sound)
        return Sound;
    const QString Path = History_File_Path(Project_Path);
    Result<QByteArray> Read = Read_Bytes(Path);
    if (!Read)
        return Failure(Read.Error());
    return Save_Configuration_File(Path, Change(*std::move(Read)), Project_Path);
}

} // namespace

Status Append_Record(const QString& Project_Path, const Update_Record& Record) {
    return Rewrite_History(Project_Path,
                           [&Record](QByteArray Bytes) { return History_With(std::move(Bytes), Record); });
}

Status Replace_Record(const QString& Project_Path, const Update_Record& Record) {
    return Rewrite_History(Project_Path, [&Record](QByteArray Bytes) {
        QList<QByteArray> Lines = Bytes.split('\n');
        for (QByteArray& Line : Lines) {
            const QJsonDocument Doc = QJsonDocument::fromJson(Line);
            if (Doc.isObject() && Doc.object().value(QStringLiteral("id")).toString() == Record.Id) {
                Line = Record_Line(Record);
                Line.chop(1);
                return Lines.join('\n');
            }
        }
        return History_With(std::move(Bytes), Record);
    });
}

} // namespace vo
