#include "Lang_Test_Files.h"
#include "Qt_Print.h"
#include "lang/String_Table.h"
#include "shell/Shared_State.h"

#include <gtest/gtest.h>

namespace {

const QString Pilcrow = QStringLiteral("\u00B6");

QStringList Defaults() {
    QStringList Table;
    vo::Load_Default_Strings(Table);
    return Table;
}

// Loads a file of Lines (UTF-8, LF) over the defaults.
QStringList Load_Over_Defaults(const QStringList& Lines) {
    QTemporaryDir Dir;
    const QString Path =
        vo_test::Write_File(Dir, QStringLiteral("t.lng"), (Lines.join(u'\n') + u'\n').toUtf8());
    QStringList Table = Defaults();
    EXPECT_TRUE(vo::Load_Language_File(Table, Path));
    return Table;
}

// Ids whose text differs between two tables of equal size.
std::map<int, QString> Changes(const QStringList& Before, const QStringList& After) {
    std::map<int, QString> Changed;
    for (int Id = 0; Id < After.size(); ++Id) {
        if (After[Id] != Before.value(Id))
            Changed[Id] = After[Id];
    }
    return Changed;
}

} // namespace

TEST(Load_Default_Strings, Every_Listed_Text_Exactly_And_A_Single_Blank_Elsewhere) {
    const std::map<int, QString> Listed = vo_test::Window_Texts();
    ASSERT_FALSE(Listed.empty()) << "reference list missing";
    QStringList Table{QStringLiteral("left over")};
    vo::Load_Default_Strings(Table);
    ASSERT_EQ(Table.size(), vo::String_Count);
    for (int Id = 0; Id < vo::String_Count; ++Id) {
        const auto Found = Listed.find(Id);
        const QString Expected = Found != Listed.end() ? Found->second : QStringLiteral(" ");
        EXPECT_EQ(Table[Id], Expected) << "entry " << Id << ": \"" << Table[Id].toStdString() << '"';
    }
}

struct Line_Case {
    const char* Why;
    QString Line;
    std::map<int, QString> Expected_Changes;
};

TEST(Load_Language_File, Applies_The_Line_Rule) {
    const QString P = Pilcrow;
    const std::vector<Line_Case> Cases = {
        {"canonical line", QStringLiteral("STR18 = Fehler"), {{18, QStringLiteral("Fehler")}}},
        {"no blank before = drops the last digit", QStringLiteral("STR12= x"), {{1, QStringLiteral("x")}}},
        {"two blanks before = keep the whole id", QStringLiteral("STR12  = x"), {{12, QStringLiteral("x")}}},
        {"blanks around the id are trimmed", QStringLiteral("STR 12  = x"), {{12, QStringLiteral("x")}}},
        {"nothing between STR and =", QStringLiteral("STR = x"), {}},
        {"= right after STR", QStringLiteral("STR= x"), {}},
        {"non-numeric id", QStringLiteral("STRab = x"), {}},
        {"hexadecimal id is not decimal", QStringLiteral("STR0x1 = x"), {}},
        {"dollar id is not decimal", QStringLiteral("STR$C = x"), {}},
        {"id too large for an integer", QStringLiteral("STR99999999999 = x"), {}},
        {"no =", QStringLiteral("STR12 x"), {}},
        {"lower-case str", QStringLiteral("str12 = x"), {}},
        {"id 1200", QStringLiteral("STR1200 = x"), {}},
        {"negative id", QStringLiteral("STR-1 = x"), {}},
        {"signed ids",
         QStringLiteral("STR+12 = x\nSTR-0 = y"),
         {{12, QStringLiteral("x")}, {0, QStringLiteral("y")}}},
        {"highest id", QStringLiteral("STR1199 = x"), {{1199, QStringLiteral("x")}}},
        {"nothing after =", QStringLiteral("STR12 ="), {}},
        {"only blanks and tabs after =", QStringLiteral("STR12 =  \t "), {}},
        {"nothing before the comment", QStringLiteral("STR12 = /#/ still to translate"), {}},
        {"a single pilcrow stores an empty text", QStringLiteral("STR12 = ") + P, {{12, QString()}}},
        {"pilcrows keep blanks, comment dropped",
         QStringLiteral("STR9 = ") + P + QStringLiteral("Keine ") + P + QStringLiteral(" /#/ note"),
         {{9, QStringLiteral("Keine ")}}},
        {"pilcrows keep blanks at both ends",
         QStringLiteral("STR317 = ") + P + QStringLiteral(" a ") + P,
         {{317, QStringLiteral(" a ")}}},
        {"later = belong to the text", QStringLiteral("STR12 = a=b = c"), {{12, QStringLiteral("a=b = c")}}},
        {"slashes that make no comment mark",
         QStringLiteral("STR12 = a/b #/ c/#"),
         {{12, QStringLiteral("a/b #/ c/#")}}},
        {"a comment mark after a slash", QStringLiteral("STR12 = a//#/ b"), {{12, QStringLiteral("a/")}}},
        {"characters sharing a byte with a line end or a mark end nothing",
         QStringLiteral("STR12 = \u010A\u0A0D\u0D0A\u012F#/\u01B6\u3D00x") + P + QStringLiteral("y"),
         {{12, QStringLiteral("\u010A\u0A0D\u0D0A\u012F#/\u01B6\u3D00x")}}},
        {"text cut at an inner pilcrow",
         QStringLiteral("STR12 = ab") + P + QStringLiteral("cd") + P + QStringLiteral("ef"),
         {{12, QStringLiteral("ab")}}},
        {"comment cut before the pilcrows",
         QStringLiteral("STR12 = ") + P + QStringLiteral("x /#/ y") + P,
         {{12, QStringLiteral("x")}}},
        {"tabs around line and text", QStringLiteral("\tSTR12 =\t x \t"), {{12, QStringLiteral("x")}}},
        {"blank line", QString(), {}},
        {"heading", QStringLiteral("[Main window]"), {}},
    };
    const QStringList Before = Defaults();
    for (const Line_Case& Case : Cases) {
        const QStringList After = Load_Over_Defaults({Case.Line});
        ASSERT_EQ(After.size(), vo::String_Count) << Case.Why;
        EXPECT_EQ(Changes(Before, After), Case.Expected_Changes)
            << Case.Why << ": " << Case.Line.toStdString();
    }
}

TEST(Load_Language_File, Later_Lines_Win_And_Ignored_Lines_Do_Not_Stop_The_File) {
    const QStringList After = Load_Over_Defaults({
        QStringLiteral("STR13 = first"),
        QStringLiteral("STR14 = /#/ nothing yet"),
        QStringLiteral("STR = broken"),
        QStringLiteral("STR13 = second"),
        QStringLiteral("STR14 = kept"),
    });
    EXPECT_EQ(Changes(Defaults(), After),
              (std::map<int, QString>{{13, QStringLiteral("second")}, {14, QStringLiteral("kept")}}));
}

TEST(Load_Language_File, A_File_That_Cannot_Be_Read_Keeps_The_Table) {
    QTemporaryDir Dir;
    QStringList Table = Defaults();
    EXPECT_FALSE(vo::Load_Language_File(Table, Dir.filePath(QStringLiteral("missing.lng"))));
    EXPECT_FALSE(vo::Load_Language_File(Table, Dir.path()));
    EXPECT_EQ(Table, Defaults());
}

class Load_Language_Test : public testing::Test {
protected:
    QTemporaryDir Dir;
    vo::Shared_State State;

    void SetUp() override { State.Language_Dir = Dir.path(); }
    void Write_Language(const char* Name, const char* Line) {
        vo_test::Write_File(Dir, QString::fromUtf8(Name) + QStringLiteral(".lng"), QByteArray(Line) + '\n');
    }
};

TEST_F(Load_Language_Test, Loads_The_Chosen_Language_Over_The_Defaults) {
    Write_Language("Deutsch", "STR302 = Sprache");
    Write_Language("English", "STR302 = from English file");
    State.Language_Name = QStringLiteral("Deutsch");
    vo::Load_Language(State);
    EXPECT_EQ(State.Language_Name, QStringLiteral("Deutsch"));
    EXPECT_EQ(State.Text(302), QStringLiteral("Sprache"));
    EXPECT_EQ(State.Text(303), QStringLiteral("Connection Options"));
}

TEST_F(Load_Language_Test, Missing_Or_Empty_Name_Falls_Back_On_English) {
    Write_Language("English", "STR302 = from English file");
    for (const QString& Name : {QStringLiteral("Klingon"), QString()}) {
        State.Language_Name = Name;
        vo::Load_Language(State);
        EXPECT_EQ(State.Language_Name, QStringLiteral("English")) << Name.toStdString();
        EXPECT_EQ(State.Text(302), QStringLiteral("from English file")) << Name.toStdString();
    }
}

TEST_F(Load_Language_Test, No_File_At_All_Keeps_The_Built_In_Texts) {
    State.Language_Dir = Dir.filePath(QStringLiteral("no such folder"));
    State.Language_Name = QStringLiteral("Deutsch");
    vo::Load_Language(State);
    EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
    EXPECT_EQ(State.Lang_Strings, Defaults());
}

TEST_F(Load_Language_Test, A_Folder_Named_Like_The_Language_Is_Not_Its_File) {
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("Deutsch.lng")));
    Write_Language("English", "STR302 = from English file");
    State.Language_Name = QStringLiteral("Deutsch");
    vo::Load_Language(State);
    EXPECT_EQ(State.Language_Name, QStringLiteral("English"));
    EXPECT_EQ(State.Text(302), QStringLiteral("from English file"));
}

TEST_F(Load_Language_Test, A_Change_Of_Language_Leaves_Nothing_Of_The_Previous_One) {
    Write_Language("Deutsch", "STR300 = Software-Optionen");
    Write_Language("Italiano", "STR302 = Lingua");
    State.Language_Name = QStringLiteral("Deutsch");
    vo::Load_Language(State);
    ASSERT_EQ(State.Text(300), QStringLiteral("Software-Optionen"));
    State.Language_Name = QStringLiteral("Italiano");
    vo::Load_Language(State);
    EXPECT_EQ(State.Text(300), QStringLiteral("Software Options"));
    EXPECT_EQ(State.Text(302), QStringLiteral("Lingua"));
}
