#include "Commissioning_Info.h"

#include "util/File_Read.h"
#include "util/File_Save.h"
#include "util/Path_Join.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

namespace vo {

namespace {

// Far above six filled fields, far below what would hurt.
constexpr std::size_t Info_File_Cap = 64 * 1024;

// The notes' lines the report has room for.
constexpr int Max_Note_Lines = 20;

constexpr Info_Field Field_Table[] = {
    {"customer", &Commissioning_Info::Customer, 90, 200, false},
    {"site", &Commissioning_Info::Site, 1151, 200, false},
    {"plant_tag", &Commissioning_Info::Plant_Tag, 1152, 100, false},
    {"serial_number", &Commissioning_Info::Serial_Number, 1153, 100, false},
    {"technician", &Commissioning_Info::Technician, 1154, 200, false},
    {"notes", &Commissioning_Info::Notes, 1155, 2000, true},
};

const Info_Field* Find_Field(QStringView Key) {
    for (const Info_Field& Field : Field_Table)
        if (Key == QLatin1String(Field.Key))
            return &Field;
    return nullptr;
}

QString Known_Keys() {
    QStringList Keys;
    for (const Info_Field& Field : Field_Table)
        Keys.append(QLatin1String(Field.Key));
    return Keys.join(QStringLiteral(", "));
}

} // namespace

bool Commissioning_Info::Is_Empty() const {
    for (const Info_Field& Field : Field_Table)
        if (!(this->*Field.Member).isEmpty())
            return false;
    return true;
}

std::span<const Info_Field> Info_Fields() {
    return Field_Table;
}

QString Commissioning_Info_Path(const QString& Project_Path) {
    return Join_Path(Project_Path, QStringLiteral("Commissioning.json"));
}

Result<Commissioning_Info> Read_Commissioning_Info(const QString& Project_Path) {
    const QString Path = Commissioning_Info_Path(Project_Path);
    // Another file of the machine led in through a link would end up printed in a report.
    if (QFileInfo(Path).isSymLink())
        return Failure(QStringLiteral("\"%1\" is a link, not a file of the configuration").arg(Path));
    const File_Bytes Bytes = Read_File_Bounded(Path, Info_File_Cap);
    if (Bytes.Missing)
        return Commissioning_Info{};
    if (!Bytes)
        return Failure(Bytes.Error());
    QJsonParseError Parse;
    const QJsonDocument Doc = QJsonDocument::fromJson(*Bytes, &Parse);
    if (Parse.error != QJsonParseError::NoError || !Doc.isObject())
        return Failure(QStringLiteral("\"%1\" is not a JSON object").arg(Path));
    Commissioning_Info Info;
    Info.Others = Doc.object();
    for (const Info_Field& Field : Field_Table) {
        const QString Key = QLatin1String(Field.Key);
        const QJsonValue Value = Info.Others.take(Key);
        if (Value.isUndefined())
            continue;
        if (!Value.isString())
            return Failure(QStringLiteral("\"%1\": \"%2\" is not a text").arg(Path, Key));
        Info.*Field.Member = Value.toString();
    }
    return Info;
}

QString Info_Text_Problem(const Info_Field& Field, const QString& Text) {
    if (Text.size() > Field.Max_Length)
        return QStringLiteral("\"%1\" holds more than %2 characters")
            .arg(QLatin1String(Field.Key))
            .arg(Field.Max_Length);
    if (Text.count(u'\n') >= Max_Note_Lines)
        return QStringLiteral("\"%1\" holds more than %2 lines")
            .arg(QLatin1String(Field.Key))
            .arg(Max_Note_Lines);
    for (const QChar C : Text) {
        if (C == u'\n' && Field.Multi_Line)
            continue;
        if (C == u'\n' || C == u'\r')
            return QStringLiteral("\"%1\" is one line").arg(QLatin1String(Field.Key));
        if (C.category() == QChar::Other_Control || C.category() == QChar::Other_Format ||
            C.category() == QChar::Separator_Line || C.category() == QChar::Separator_Paragraph)
            return QStringLiteral("\"%1\" holds a control character").arg(QLatin1String(Field.Key));
    }
    return {};
}

QString Typed_Info_Text(const Info_Field& Field, QString Text) {
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(u'\r', u'\n');
    Text.replace(u'\t', u' ');
    if (!Field.Multi_Line)
        return Text.trimmed();
    while (Text.endsWith(u'\n'))
        Text.chop(1);
    return Text;
}

Status Set_Info_Text(Commissioning_Info& Info, const QString& Key_Value) {
    const qsizetype Equals = Key_Value.indexOf(u'=');
    const QString Key = Key_Value.left(Equals).trimmed();
    const Info_Field* Field = Find_Field(Key);
    if (!Field)
        return Failure(QStringLiteral("\"%1\" is no key of the commissioning data; the keys are %2")
                           .arg(Key.left(60), Known_Keys()));
    const QString Value = Typed_Info_Text(*Field, Key_Value.mid(Equals + 1));
    if (const QString Problem = Info_Text_Problem(*Field, Value); !Problem.isEmpty())
        return Failure(Problem);
    Info.*Field->Member = Value;
    return {};
}

QJsonObject Info_To_Json(const Commissioning_Info& Info) {
    QJsonObject Object = Info.Others;
    for (const Info_Field& Field : Field_Table)
        Object.insert(QLatin1String(Field.Key), Info.*Field.Member);
    return Object;
}

Status Save_Commissioning_Info(const QString& Project_Path, const Commissioning_Info& Info) {
    return Save_Configuration_File(Commissioning_Info_Path(Project_Path),
                                   QJsonDocument(Info_To_Json(Info)).toJson(QJsonDocument::Indented),
                                   Project_Path);
}

} // namespace vo
