#include "Qt_Print.h"
#include "options/Language_List.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& Path) {
    QFile(Path).open(QIODevice::WriteOnly);
}

} // namespace

TEST(Language_Files, Lists_Writable_Lng_Files_Sorted_Without_Case) {
    QTemporaryDir Dir;
    const QDir Folder(Dir.path());
    for (const char* Name :
         {"italiano.lng", "English.lng", "Deutsch.lng", ".Hidden.lng", "notes.txt", "Upper.LNG"})
        Touch(Folder.filePath(QString::fromUtf8(Name)));
    Folder.mkdir(QStringLiteral("Folder.lng"));
#ifndef _WIN32
    // A link is no language file of its own (Windows makes a shortcut, an ordinary file, instead).
    QFile::link(Folder.filePath(QStringLiteral("English.lng")), Folder.filePath(QStringLiteral("Link.lng")));
#endif
    const QString Read_Only = Folder.filePath(QStringLiteral("Locked.lng"));
    Touch(Read_Only);
    QFile::setPermissions(Read_Only, QFile::ReadOwner | QFile::ReadGroup);

    EXPECT_EQ(vo::Language_Files(Dir.path()),
              (QStringList{QStringLiteral(".Hidden.lng"), QStringLiteral("Deutsch.lng"),
                           QStringLiteral("English.lng"), QStringLiteral("italiano.lng")}));
    EXPECT_TRUE(vo::Language_Files(Folder.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(Language_Files, Pages_And_Names) {
    const int Counts[][2] = {{0, 0}, {1, 1}, {6, 1}, {7, 2}, {12, 2}, {13, 3}};
    for (const auto& [Count, Pages] : Counts)
        EXPECT_EQ(vo::Page_Count(Count), Pages) << Count;
    EXPECT_EQ(vo::Language_Of(QStringLiteral("Italiano.lng")), QStringLiteral("Italiano"));
}

// Each shipped language that has a Qt translation finds it, whatever the case of its file name;
// English and unknown names keep Qt's own English.
TEST(Qt_Locale_Of, Shipped_Languages_And_Unknown_Names) {
    const std::pair<const char*, const char*> Cases[] = {{"Italiano", "it"}, {"Deutsch", "de"},
                                                         {"italiano", "it"}, {"English", ""},
                                                         {"Klingon", ""},    {"", ""}};
    for (const auto& [Name, Locale] : Cases)
        EXPECT_EQ(vo::Qt_Locale_Of(QString::fromUtf8(Name)), QLatin1String(Locale)) << Name;
}
