#pragma once

#include <QString>
#include <optional>

namespace vo {

// Why a file of a configuration may not be written: it is a link, or lies in a folder reached by a
// link, that leads outside the configuration folder Folder. Nothing when the file stays inside (a
// link inside the configuration may keep working) or Folder does not exist.
std::optional<QString> Leads_Outside(const QString& File, const QString& Folder);

// Why Path, a folder given by the user as a configuration, is not one: it holds no ParGen.xml and
// does not lie in a folder named PROJECTS. Nothing when it is one.
std::optional<QString> Not_A_Configuration(const QString& Path);

// False when Text stands for bytes that are not valid in the file system's encoding (UTF-8): the
// system's decoding leaves a replacement character (U+FFFD) for them.
bool Is_Valid_File_Name(const QString& Text);

// A name that stays one entry of a folder: not empty, "." or "..", no separator or NUL, and valid in
// the file system's encoding.
bool Is_Plain_Name(const QString& Name);

// Text as it may be quoted in a message: at most Max characters, a longer one cut with its length.
QString Cut_For_Message(const QString& Text, qsizetype Max = 60);

} // namespace vo
