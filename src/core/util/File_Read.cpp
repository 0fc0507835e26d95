#include "File_Read.h"

#include "Seam_Text.h"
#include "platform/File_System.h"

#include <QDir>

namespace vo {

File_Bytes Read_File_Bounded(const QString& Path, std::size_t Max_Size) {
    std::string Bytes;
    const Read_Outcome Outcome = Read_Regular_File(Seam_Text(Path), Max_Size, Bytes);
    const QString File = QDir::toNativeSeparators(Path);
    switch (Outcome.Failure) {
    case Read_Failure::None:
        return QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
    case Read_Failure::Missing: {
        File_Bytes Missing(Failure(QStringLiteral("Cannot read \"%1\": no such file").arg(File)));
        Missing.Missing = true;
        return Missing;
    }
    case Read_Failure::Not_Regular:
        return Failure(QStringLiteral("Cannot read \"%1\": not a regular file").arg(File));
    case Read_Failure::Too_Large: {
        File_Bytes Large(
            Failure(QStringLiteral("Cannot read \"%1\": larger than %2 bytes").arg(File).arg(Max_Size)));
        Large.Too_Large = true;
        return Large;
    }
    case Read_Failure::System:
        break;
    }
    return Failure(
        QStringLiteral("Cannot read \"%1\": %2").arg(File, QString::fromStdString(Outcome.Error.message())));
}

} // namespace vo
