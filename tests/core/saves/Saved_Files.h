#pragma once

#include "image/Config_Image.h"
#include "shell/Shared_State.h"
#include "util/File_Save.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace vo_test {

// The saves the program makes, each through its own function; the images save writes two files.
enum class Save_Kind { Par_Gen, Settings, Images, Job_File };
inline constexpr std::array<Save_Kind, 4> All_Saves = {Save_Kind::Par_Gen, Save_Kind::Settings,
                                                       Save_Kind::Images, Save_Kind::Job_File};
const char* Save_Name(Save_Kind Kind);

// An installation at Exe_Dir, its folders created, with the configuration "Plant" open.
vo::Shared_State Open_Installation(const QString& Exe_Dir);

// Two contents of every file the program writes, which differ in each file, saved into the
// installation of State.
class Saved_Files {
public:
    static constexpr int File_Count = 5;

    explicit Saved_Files(const vo::Shared_State& Installed);

    // ParGen.xml, Vorlent.xml, bank.bin, bankK.bin, Ethernet_Update.xml.
    std::array<QString, File_Count> Paths() const;
    // What the files hold once every save wrote content Which (0 or 1).
    std::array<QByteArray, File_Count> Bytes(int Which) const;
    // Writes content Which through the program's own save for Kind.
    vo::Status Save(Save_Kind Kind, int Which) const;

private:
    vo::Shared_State State;
    std::array<vo::Config_Image, 2> Images;
};

} // namespace vo_test
