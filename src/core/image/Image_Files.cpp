#include "Image_Files.h"

#include "util/Path_Join.h"

#include <QFileInfo>

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

Status Save_Image_Files(const Config_Image& Image, const QString& Bin_Folder) {
    const QString Project_Path = QFileInfo(Bin_Folder).absolutePath();
    if (Status Saved = Save_Configuration_File(Bank_File_Path(Bin_Folder), Image.Bank_Bytes(), Project_Path);
        !Saved)
        return Saved;
    return Save_Configuration_File(BankK_File_Path(Bin_Folder), Image.BankK_Bytes(), Project_Path);
}

} // namespace vo
