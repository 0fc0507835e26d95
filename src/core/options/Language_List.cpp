#include "Language_List.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace vo {

QStringList Language_Files(const QString& Language_Dir) {
    QStringList Files;
    const QFileInfoList Entries =
        QDir(Language_Dir)
            .entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System,
                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& Entry : Entries) {
        if (!Entry.isSymLink() && Entry.fileName().endsWith(QStringLiteral(".lng")) &&
            Entry.permission(QFile::WriteOwner))
            Files.append(Entry.fileName());
    }
    return Files;
}

QString Language_Of(const QString& File_Name) {
    return File_Name.chopped(4);
}

int Page_Count(int Count) {
    return (Count + Languages_Per_Page - 1) / Languages_Per_Page;
}

QString Qt_Locale_Of(const QString& Language_Name) {
    // Language files are named by the language in its own words.
    static const std::pair<const char16_t*, const char*> Locales[] = {
        {u"Italiano", "it"},  {u"Deutsch", "de"},    {u"Français", "fr"}, {u"Español", "es"},
        {u"Português", "pt"}, {u"Nederlands", "nl"}, {u"Polski", "pl"},   {u"Čeština", "cs"},
        {u"Magyar", "hu"},    {u"Svenska", "sv"},    {u"Dansk", "da"},    {u"Suomi", "fi"},
        {u"Русский", "ru"},   {u"Українська", "uk"}, {u"Türkçe", "tr"},   {u"日本語", "ja"},
        {u"한국어", "ko"},    {u"中文", "zh_CN"},
    };
    for (const auto& [Name, Locale] : Locales) {
        if (Language_Name.compare(QStringView(Name), Qt::CaseInsensitive) == 0)
            return QLatin1String(Locale);
    }
    return {};
}

} // namespace vo
