#include "Saved_Files.h"

#include "image/Image_Builder.h"
#include "image/Image_Files.h"
#include "params/Par_Gen_File.h"
#include "shell/Settings_File.h"
#include "shell/Startup.h"
#include "update/Job_File.h"
#include "util/Path_Join.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

namespace vo_test {

namespace {

vo::Par_Gen Par_Gen_Content(int Which) {
    if (Which == 0)
        return vo::Missing_File_Par_Gen();
    vo::Par_Gen Set = vo::Default_Par_Gen(0);
    Set.MODE_DEV = 1;
    Set.BAUD_RTU = 3;
    Set.TO_ASCII = QStringLiteral("2500");
    return Set;
}

vo::Shared_State Settings_Content(vo::Shared_State State, int Which) {
    State.Last_IP_Address = Which == 0 ? QStringLiteral("192.168.2.205") : QStringLiteral("10.0.0.7");
    State.Language_Name = Which == 0 ? QStringLiteral("English") : QStringLiteral("Deutsch");
    State.Enable_Internet = State.Enable_Update = Which == 1;
    return State;
}

vo::Job_Input Job_Content(const vo::Shared_State& State, int Which) {
    return {Which == 0 ? QStringLiteral("192.168.2.205") : QStringLiteral("10.0.0.7"),
            {Which == 0 ? vo::Option_Firmware_And_Configuration : vo::Option_Configuration, Which == 0},
            State.Master_Dir,
            State.Project_Path,
            u'/'};
}

// The images the update step makes of content Which, built from a parameter file of their own.
vo::Config_Image Image_Content(int Which) {
    QTemporaryDir Dir;
    // A scratch file, written plainly: an atomic save would wait for the disk at every start of
    // the save loop.
    QFile File(Dir.filePath(QStringLiteral("ParGen.xml")));
    const bool Written =
        File.open(QIODevice::WriteOnly) && File.write(vo::Par_Gen_Bytes(Par_Gen_Content(Which))) > 0;
    File.close();
    const vo::Image_Build Build = Written ? vo::Build_Image(File.fileName()) : vo::Failure{};
    if (!Build)
        throw std::runtime_error("cannot build the images of content " + std::to_string(Which));
    return *Build;
}

} // namespace

const char* Save_Name(Save_Kind Kind) {
    switch (Kind) {
    case Save_Kind::Par_Gen:
        return "ParGen.xml";
    case Save_Kind::Settings:
        return "Vorlent.xml";
    case Save_Kind::Images:
        return "images";
    case Save_Kind::Job_File:
        return "Ethernet_Update.xml";
    }
    return "?";
}

vo::Shared_State Open_Installation(const QString& Exe_Dir) {
    vo::Shared_State State;
    QDir().mkpath(Exe_Dir);
    vo::Set_Folders(State, Exe_Dir);
    vo::Create_Folders(State);
    State.Project_Name = QStringLiteral("Plant");
    State.Project_Path = vo::Join_Path(State.Projects_Dir, State.Project_Name);
    vo::Set_Files(State);
    QDir().mkpath(vo::Bin_Folder(State.Project_Path));
    return State;
}

Saved_Files::Saved_Files(const vo::Shared_State& Installed)
    : State(Installed), Images{Image_Content(0), Image_Content(1)} {}

std::array<QString, Saved_Files::File_Count> Saved_Files::Paths() const {
    const QString Bin = vo::Bin_Folder(State.Project_Path);
    return {State.ParGen_File, vo::Settings_File_Path(State), vo::Bank_File_Path(Bin),
            vo::BankK_File_Path(Bin), vo::Job_File_Path(State.Exe_Dir)};
}

std::array<QByteArray, Saved_Files::File_Count> Saved_Files::Bytes(int Which) const {
    return {vo::Par_Gen_Bytes(Par_Gen_Content(Which)), vo::Settings_Bytes(Settings_Content(State, Which)),
            Images[Which].Bank_Bytes(), Images[Which].BankK_Bytes(),
            vo::Job_File_Bytes(Job_Content(State, Which))};
}

vo::Status Saved_Files::Save(Save_Kind Kind, int Which) const {
    switch (Kind) {
    case Save_Kind::Par_Gen:
        return vo::Save_Par_Gen(Par_Gen_Content(Which), State.ParGen_File);
    case Save_Kind::Settings:
        return vo::Write_Settings(Settings_Content(State, Which));
    case Save_Kind::Images:
        return vo::Save_Image_Files(Images[Which], vo::Bin_Folder(State.Project_Path));
    case Save_Kind::Job_File:
        return vo::Compile_XML_Parameter_New_Boot(Job_Content(State, Which),
                                                  vo::Job_File_Path(State.Exe_Dir));
    }
    return vo::Failure(QStringLiteral("unknown save"));
}

} // namespace vo_test
