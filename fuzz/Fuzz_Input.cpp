#include "Fuzz_Input.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace vo_fuzz {

QByteArray Input_Bytes(const std::uint8_t* Data, std::size_t Size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
}

QString Input_Folder() {
    static const QTemporaryDir Folder;
    if (!Folder.isValid())
        std::abort();
    return Folder.path();
}

QString Write_Input_File(const QString& Name, const std::uint8_t* Data, std::size_t Size) {
    const QString Path = Input_Folder() + u'/' + Name;
    QFile File(Path);
    // A fuzzer that silently parsed a stale file would test nothing.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        File.write(Input_Bytes(Data, Size)) != static_cast<qint64>(Size))
        std::abort();
    return Path;
}

} // namespace vo_fuzz
