#include "String_Table.h"

#include "Default_Texts.h"
#include "Lng_File.h"
#include "shell/Shared_State.h"
#include "util/Config_Path.h"
#include "util/Path_Join.h"

#include <QFileInfo>

namespace vo {

namespace {

QString Language_File(const QString& Language_Dir, const QString& Name) {
    return Join_Path(Language_Dir, Name + QStringLiteral(".lng"));
}

} // namespace

void Load_Default_Strings(QStringList& Lang_Strings) {
    Lang_Strings = QStringList(String_Count, QStringLiteral(" "));
    for (const Default_Text& Entry : Default_Texts())
        Lang_Strings[Entry.Id] = QString::fromUtf8(Entry.Text);
}

bool Load_Language_File(QStringList& Lang_Strings, const QString& File_Name) {
    const auto Count = static_cast<int>(Lang_Strings.size());
    return Visit_Lng_File(File_Name, Count,
                          [&](qsizetype, const Lng_Line& Line) {
                              if (Line.Kind == Lng_Line_Kind::Entry)
                                  Lang_Strings[Line.Id] = Line.Text;
                          })
        .Has_Value();
}

QString Load_Language(QStringList& Lang_Strings, const QString& Language_Dir, const QString& Name) {
    Load_Default_Strings(Lang_Strings);
    const QString Chosen = Language_File(Language_Dir, Name);
    // Only a plain name picks a file: a path in the settings file must not reach out of LANGUAGE.
    if (Is_Plain_Name(Name) && QFileInfo(Chosen).isFile()) {
        Load_Language_File(Lang_Strings, Chosen);
        return Name;
    }
    const QString English = Language_File(Language_Dir, Default_Language_Name.toString());
    if (QFileInfo(English).isFile())
        Load_Language_File(Lang_Strings, English);
    return Default_Language_Name.toString();
}

void Load_Language(Shared_State& State) {
    State.Language_Name = Load_Language(State.Lang_Strings, State.Language_Dir, State.Language_Name);
}

} // namespace vo
