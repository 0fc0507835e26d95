#pragma once

#include <QString>

namespace vo {

struct Shared_State;

// Exe_Dir and the three folders derived from it; nothing is created.
void Set_Folders(Shared_State& State, const QString& Exe_Dir);

// Creates MASTER, PROJECTS and LANGUAGE, one level deep, where missing; failures are ignored
// and surface in the operation that later needs the folder.
void Create_Folders(const Shared_State& State);

// ParGen_File follows Project_Path.
void Set_Files(Shared_State& State);

// The start-up of the shared state, in order: folders, settings, fixed texts, language, the
// remembered configuration (reopened only when its folder exists), files.
void Start_Up(Shared_State& State, const QString& Exe_Dir);

// The update timer runs exactly while both internet options are set.
bool Update_Timer_Wanted(const Shared_State& State);

} // namespace vo
