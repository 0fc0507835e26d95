#pragma once

#include <QString>
#include <QStringList>

namespace vo {

struct Shared_State;

// Messages of the new-configuration dialog (ids of Lang_Strings).
inline constexpr int Msg_Name_Refused = 105;
inline constexpr int Msg_Name_Exists = 106;
inline constexpr int Msg_Name_Empty = 107;
inline constexpr int Msg_Bin_Not_Created = 111;

// A name that stays one folder inside PROJECTS: no separator, not "." or "..", not blanks only,
// valid in the file system's encoding; on Windows also a name Windows can give a folder as it is
// (no device name, no : * ? " < > |, no trailing full stop or blank).
bool Is_Safe_Configuration_Name(const QString& Name);

// Why Create_Configuration refused Name with Msg_Name_Refused, in words for the command line: the
// dialog's message does not say.
QString Name_Refusal_Reason(const Shared_State& State, const QString& Name);
// Opens PROJECTS/Name: Project_Name, Project_Path and ParGen_File follow it. An empty Name opens
// none. The folder is not looked at.
void Open_Configuration(Shared_State& State, const QString& Name);

// Opens the configuration folder at Path, wherever it lies; its folder name becomes Project_Name.
void Open_Configuration_Folder(Shared_State& State, const QString& Path);

// Creates PROJECTS/Name with its bin folder and opens it (Project_Name, Project_Path,
// ParGen_File). Returns 0 on success, else the id of the message to show; then nothing was
// created and the state is unchanged.
int Create_Configuration(Shared_State& State, const QString& Name);

// Names of the configuration folders under Projects_Dir, sorted without regard to case; a
// missing or unreadable folder gives an empty list, and a name not valid in the file system's
// encoding is left out.
QStringList Load_Existing_Configuration(const QString& Projects_Dir);

// Index of the entry equal to Name; else of the first entry equal to it when ASCII letters are
// folded to upper case; else -1.
int Search_Open_Conf(const QStringList& SL, const QString& Name);

// The open configuration's folder name as it stands in Project_Path, "" when none is open.
QString Open_Configuration_Name(const Shared_State& State);

} // namespace vo
