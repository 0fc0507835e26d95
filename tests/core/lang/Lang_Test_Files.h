#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <map>

namespace vo_test {

// Writes Bytes to Dir/Name and returns the file's path.
inline QString Write_File(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Bytes) {
    const QString Path = Dir.filePath(Name);
    QFile File(Path);
    if (File.open(QIODevice::WriteOnly))
        File.write(Bytes);
    return Path;
}

// The texts every window reads, by id, from the reference list "- 9: \"text\"".
inline std::map<int, QString> Window_Texts() {
    std::map<int, QString> Texts;
    QFile File(QStringLiteral(VO_TEST_DATA "/lang/Window_Texts.txt"));
    if (!File.open(QIODevice::ReadOnly))
        return Texts;
    const QRegularExpression Row(QStringLiteral("^- (\\d+): \"(.*)\"$"));
    for (const QString& Line : QString::fromUtf8(File.readAll()).split(u'\n')) {
        const QRegularExpressionMatch Match = Row.match(Line);
        if (Match.hasMatch())
            Texts[Match.captured(1).toInt()] = Match.captured(2);
    }
    return Texts;
}

} // namespace vo_test
