#include "Image_Files.h"

#include "util/Path_Join.h"

namespace vo {

QString Bin_Folder(const QString& Project_Path) {
    return Join_Path(Project_Path, QStringLiteral("bin"));
}

QString Bank_File_Path(const QString& Bin_Folder) {
    return Join_Path(Bin_Folder, QStringLiteral("bank.bin"));
}

QString BankK_File_Path(const QString& Bin_Folder) {
    return Join_Path(Bin_Folder, QStringLiteral("bankK.bin"));
}

Save_Status Save_Image_Files(const Config_Image& Image, const QString& Bin_Folder) {
    if (Save_Status Status = Save_File_Atomic(Bank_File_Path(Bin_Folder), Image.Bank_Bytes()); !Status)
        return Status;
    return Save_File_Atomic(BankK_File_Path(Bin_Folder), Image.BankK_Bytes());
}

} // namespace vo
