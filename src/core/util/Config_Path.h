#pragma once

#include "Result.h"

#include <QString>

namespace vo {

// Whether a file of a configuration may be written: it fails when the file is a link, or lies in
// a folder reached by a link, that leads outside the configuration folder Folder. A file that stays
// inside (a link inside the configuration may keep working) passes, and so does any file when
// Folder does not exist.
Status Stays_Inside(const QString& File, const QString& Folder);

// Whether Path, a folder given by the user as a configuration, is one; it is not, and the failure
// says so, when it holds no ParGen.xml and does not lie in a folder named PROJECTS.
Status Is_Configuration_Folder(const QString& Path);

// False when Text stands for bytes that are not valid in the file system's encoding (UTF-8): the
// system's decoding leaves a replacement character (U+FFFD) for them.
bool Is_Valid_File_Name(const QString& Text);

// A name that stays one entry of a folder: not empty, "." or "..", no separator or NUL, and valid in
// the file system's encoding.
bool Is_Plain_Name(const QString& Name);

// Text as it may be quoted in a message: at most Max characters, a longer one cut with its length.
QString Cut_For_Message(const QString& Text, qsizetype Max = 60);

} // namespace vo
