// A child saves every file the program writes, the two contents in turn, and is killed at random
// moments: after each kill every file must hold one content whole. VO_CRASH_KILLS sets how many
// kills (default 200); the counts are printed at the end.
#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Save_Progress.h"
#include "Saved_Files.h"
#include "image/Image_Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using vo_test::Read_All;

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int Kill_Count() {
    bool Ok = false;
    const int Count = qEnvironmentVariableIntValue("VO_CRASH_KILLS", &Ok);
    return Ok && Count > 0 ? Count : 200;
}

// The save-loop child over one installation, started afresh for every kill.
class Saving_Child {
public:
    Saving_Child(const QString& Program_Dir, const QString& Progress_Path)
        : Exe_Dir(QFile::encodeName(Program_Dir)), Progress_File(QFile::encodeName(Progress_Path)),
          Progress(vo_test::Map_Save_Progress(this->Progress_File.constData())) {}
    ~Saving_Child() {
        Kill();
        if (Progress)
            munmap(Progress, sizeof *Progress);
    }
    Saving_Child(const Saving_Child&) = delete;
    Saving_Child& operator=(const Saving_Child&) = delete;

    // Starts a child and waits until it saves; false when it does not get there.
    bool Start() {
        *Progress = {};
        char* Argv[] = {const_cast<char*>(VO_SAVE_LOOP), Exe_Dir.data(), Progress_File.data(), nullptr};
        if (posix_spawn(&Pid, VO_SAVE_LOOP, nullptr, nullptr, Argv, environ) != 0)
            return false;
        return Wait_Until([&] { return vo_test::Save_Progress::Get(Progress->Started) != 0; });
    }

    // Kills the child; true when it died of that kill, not of its own accord.
    bool Kill() {
        if (Pid == 0)
            return false;
        kill(Pid, SIGKILL);
        int Status = 0;
        waitpid(Pid, &Status, 0);
        Pid = 0;
        return WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL;
    }

    // Waits until the child has made Rounds complete rounds of saves.
    bool Wait_For_Rounds(std::uint32_t Rounds) {
        return Wait_Until([&] { return vo_test::Save_Progress::Get(Progress->Rounds) >= Rounds; });
    }

    // Waits until the child begins save Index of All_Saves.
    bool Wait_For_Save(std::size_t Index) {
        return Wait_Until([&] { return vo_test::Save_Progress::Get(Progress->Saving) == Index + 1; });
    }

    // The save the kill interrupted: 1 + its index in All_Saves, 0 between saves.
    std::uint32_t Saving() { return vo_test::Save_Progress::Get(Progress->Saving); }
    bool Mapped() const { return Progress != nullptr; }

private:
    // False when Done does not come true within 30 s, or the child ends first.
    template <typename Condition> bool Wait_Until(Condition Done) {
        const Clock::time_point Deadline = Clock::now() + 30s;
        while (!Done()) {
            if (waitpid(Pid, nullptr, WNOHANG) == Pid) {
                Pid = 0;
                return false;
            }
            if (Clock::now() > Deadline)
                return false;
            std::this_thread::sleep_for(20us);
        }
        return true;
    }

    QByteArray Exe_Dir;
    QByteArray Progress_File;
    vo_test::Save_Progress* Progress;
    pid_t Pid = 0;
};

// How long one save takes here on average, measured on a child of its own; zero when the child
// does not get through six rounds.
Clock::duration Save_Time(Saving_Child& Child) {
    if (!Child.Start() || !Child.Wait_For_Rounds(1))
        return {};
    const Clock::time_point Start = Clock::now();
    const bool Done = Child.Wait_For_Rounds(6);
    const Clock::duration Time = (Clock::now() - Start) / (5 * vo_test::All_Saves.size());
    Child.Kill();
    return Done ? Time : Clock::duration{};
}

// Files in the installation's folders that none of the saves names: what a kill left behind.
QStringList Strays(const vo_test::Saved_Files& Files, const vo::Shared_State& State) {
    QStringList Known;
    for (const QString& Path : Files.Paths())
        Known << QFileInfo(Path).absoluteFilePath();
    QStringList Found;
    for (const QString& Folder : {State.Exe_Dir, State.Project_Path, vo::Bin_Folder(State.Project_Path)}) {
        for (const QFileInfo& Entry : QDir(Folder).entryInfoList(QDir::Files | QDir::Hidden))
            if (!Known.contains(Entry.absoluteFilePath()))
                Found << Entry.absoluteFilePath();
    }
    return Found;
}

} // namespace

TEST(Crash_Consistency, Every_File_Is_Old_Or_New_Whole_After_Any_Kill) {
    QTemporaryDir Root;
    const vo::Shared_State State = vo_test::Open_Installation(Root.filePath(QStringLiteral("exe")));
    const vo_test::Saved_Files Files(State);
    for (const vo_test::Save_Kind Kind : vo_test::All_Saves)
        ASSERT_TRUE(Files.Save(Kind, 0));
    const auto Paths = Files.Paths();
    const std::array<std::array<QByteArray, vo_test::Saved_Files::File_Count>, 2> Contents{Files.Bytes(0),
                                                                                           Files.Bytes(1)};
    for (std::size_t File = 0; File < Paths.size(); ++File) {
        ASSERT_NE(Contents[0][File], Contents[1][File]) << Paths[File].toStdString();
        ASSERT_EQ(Read_All(Paths[File]), Contents[0][File]) << Paths[File].toStdString();
    }

    Saving_Child Child(State.Exe_Dir, Root.filePath(QStringLiteral("progress")));
    ASSERT_TRUE(Child.Mapped());
    const Clock::duration Save = Save_Time(Child);
    ASSERT_GT(Save.count(), 0) << "the save loop did not get through six rounds";

    // Each kill falls in a save picked at random, a random time up to an average save's length
    // after the child began it: the kills spread over all saves, whatever each one costs here.
    const unsigned Seed = std::random_device{}();
    std::mt19937 Random(Seed);
    std::uniform_int_distribution<std::size_t> Pick(0, vo_test::All_Saves.size() - 1);
    std::uniform_int_distribution<long long> Delay(0, std::chrono::nanoseconds(Save).count());
    const int Kills = Kill_Count();
    std::array<int, vo_test::All_Saves.size() + 1> Interrupted{};
    std::map<QString, int> Torn;
    int Missing = 0;
    int Stray_Files = 0;
    for (int Kill = 0; Kill < Kills; ++Kill) {
        ASSERT_TRUE(Child.Start() && Child.Wait_For_Save(Pick(Random)))
            << "the save loop stalled before kill " << Kill;
        std::this_thread::sleep_for(std::chrono::nanoseconds(Delay(Random)));
        ASSERT_TRUE(Child.Kill()) << "the save loop ended before kill " << Kill;
        ++Interrupted[Child.Saving()];
        for (std::size_t File = 0; File < Paths.size(); ++File) {
            if (!QFileInfo::exists(Paths[File]))
                ++Missing;
            else if (const QByteArray Now = Read_All(Paths[File]);
                     Now != Contents[0][File] && Now != Contents[1][File])
                ++Torn[Paths[File]];
        }
        for (const QString& Stray : Strays(Files, State)) {
            ++Stray_Files;
            QFile::remove(Stray);
        }
    }

    int Torn_Files = 0;
    for (const auto& [Path, Count] : Torn) {
        ADD_FAILURE() << Path.toStdString() << " torn after " << Count << " kills";
        Torn_Files += Count;
    }
    std::cout << "Crash consistency: " << Kills << " kills (seed " << Seed << ", a save takes "
              << std::chrono::duration_cast<std::chrono::microseconds>(Save).count()
              << " us on average); inside a save:";
    for (std::size_t Index = 0; Index < vo_test::All_Saves.size(); ++Index)
        std::cout << ' ' << vo_test::Save_Name(vo_test::All_Saves[Index]) << ' ' << Interrupted[Index + 1];
    std::cout << "; between saves " << Interrupted[0] << "; torn files " << Torn_Files << ", missing files "
              << Missing << ", stray temporary files " << Stray_Files << '\n';
    EXPECT_EQ(Missing, 0);
}
