#include "File_Read.h"

#include "Seam_Text.h"
#include "platform/File_System.h"

#include <QDir>

namespace vo {

File_Bytes Read_File_Bounded(const QString& Path, std::size_t Max_Size) {
    std::string Bytes;
    const Read_Outcome Outcome = Read_Regular_File(Seam_Text(Path), Max_Size, Bytes);
    File_Bytes Result;
    const QString File = QDir::toNativeSeparators(Path);
    switch (Outcome.Failure) {
    case Read_Failure::None:
        Result.Ok = true;
        Result.Bytes = QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
        return Result;
    case Read_Failure::Missing:
        Result.Missing = true;
        Result.Error_Text = QStringLiteral("Cannot read \"%1\": no such file").arg(File);
        return Result;
    case Read_Failure::Not_Regular:
        Result.Error_Text = QStringLiteral("Cannot read \"%1\": not a regular file").arg(File);
        return Result;
    case Read_Failure::Too_Large:
        Result.Too_Large = true;
        Result.Error_Text =
            QStringLiteral("Cannot read \"%1\": larger than %2 bytes").arg(File).arg(Max_Size);
        return Result;
    case Read_Failure::System:
        break;
    }
    Result.Error_Text =
        QStringLiteral("Cannot read \"%1\": %2").arg(File, QString::fromStdString(Outcome.Error.message()));
    return Result;
}

} // namespace vo
