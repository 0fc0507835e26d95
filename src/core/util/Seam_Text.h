#pragma once

#include <QString>
#include <string>

namespace vo {

// Paths and parameter texts as the platform seams take them: UTF-8 on Windows, where the seams
// call the wide Win32 functions, and the encoding of file names elsewhere. (Qt's encodeName
// gives the ANSI code page on Windows, which loses every character outside it.)
std::string Seam_Text(const QString& Text);
QString From_Seam_Text(const std::string& Text);

} // namespace vo
