#pragma once

#include "Config_Image.h"
#include "util/File_Save.h"

#include <QString>

namespace vo {

// The folder of the image files inside a configuration folder.
QString Bin_Folder(const QString& Project_Path);

QString Bank_File_Path(const QString& Bin_Folder);
QString BankK_File_Path(const QString& Bin_Folder);

// Replaces bank.bin, then bankK.bin, each atomically. Stops at the first file that cannot be
// written and names it with the reason; an update must not go on with the images on disk then.
// A file behind a link leading outside the configuration folder (the bin folder's parent) is not
// written.
Status Save_Image_Files(const Config_Image& Image, const QString& Bin_Folder);

} // namespace vo
