#include "Child_Checks.h"
#include "Qt_Print.h"
#include "platform/Output_Tail.h"
#include "platform/Process_Runner.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using State = vo::Run_Result::State;

namespace {

class Process_Runner_Test : public testing::Test {
protected:
    std::string Script(const char* Name, const QByteArray& Body) {
        const QString Path = Dir.filePath(QLatin1String(Name));
        EXPECT_TRUE(vo_test::Write_Script(Path, Body));
        return Path.toStdString();
    }

    QTemporaryDir Dir;
    std::unique_ptr<vo::Process_Runner> Runner = vo::Make_Process_Runner();
};

} // namespace

TEST_F(Process_Runner_Test, Reports_How_The_Program_Ended) {
    const struct {
        const char* Body;
        int Exit_Code;
        int Signal;
    } Cases[] = {
        {"exit 0\n", 0, 0},
        {"exit 1\n", 1, 0},
        {"exit 255\n", 255, 0},
        {"kill -TERM $$\n", 0, 15},
    };
    for (const auto& Case : Cases) {
        const vo::Run_Result Result = Runner->Run(Script("updater", Case.Body), "", true, 10s, {});
        EXPECT_EQ(Result.Outcome, State::Ended) << Case.Body;
        EXPECT_EQ(Result.Exit_Code, Case.Exit_Code) << Case.Body;
        EXPECT_EQ(Result.Term_Signal, Case.Signal) << Case.Body;
        EXPECT_EQ(vo_test::Process_State(Result.Process_Id), 0) << "left behind as a zombie";
    }
}

TEST_F(Process_Runner_Test, Parameter_Text_Arrives_As_Words_Without_A_Shell) {
    const QString Record = Dir.filePath(QStringLiteral("words"));
    const std::string Program =
        Script("updater", "printf '%s\\n' \"$0\" \"$#\" \"$@\" > '" + Record.toUtf8() + "'\n");
    const vo::Run_Result Result =
        Runner->Run(Program, R"(one "two words" 'it''s' $HOME `id` ;ls)", true, 10s, {});
    ASSERT_EQ(Result.Outcome, State::Ended) << Result.Error_Text;
    QFile File(Record);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(),
              QByteArray::fromStdString(Program) + "\n6\none\ntwo words\nits\n$HOME\n`id`\n;ls\n");
}

TEST_F(Process_Runner_Test, A_Started_Program_Is_Looked_At_Without_Waiting) {
    const QString Release = Dir.filePath(QStringLiteral("release"));
    const std::string Program =
        Script("updater", "while [ ! -e '" + Release.toUtf8() + "' ]; do sleep 0.01; done\nexit 4\n");
    vo::Start_Result Started = Runner->Start(Program, "", true, vo::Program_Output::Inherited);
    ASSERT_TRUE(Started.Program) << Started.Error_Text;
    const long Pid = Started.Program->Id();
    EXPECT_FALSE(Started.Program->Ended_Within(0ms));
    EXPECT_FALSE(Started.Program->Ended_Within(20ms));
    QFile(Release).open(QIODevice::WriteOnly);
    const vo::Run_Result Result = vo::Wait_For_End(Started, 10s);
    EXPECT_EQ(Result.Outcome, State::Ended);
    EXPECT_EQ(Result.Exit_Code, 4);
    EXPECT_EQ(Result.Process_Id, Pid);
    Started.Program.reset();
    EXPECT_EQ(vo_test::Process_State(Pid), 0) << "left behind as a zombie";
}

// A megabyte through both pipes: a reader that fell behind would leave the program blocked on a
// full pipe, and the tail must be the last bytes written, in order.
TEST_F(Process_Runner_Test, Kept_Output_Is_The_End_Of_Both_Streams_And_Never_Blocks_The_Program) {
    const std::string Program = Script("updater", "i=0\nwhile [ $i -lt 16384 ]; do\n"
                                                  "  printf '%063d\\n' $i; i=$((i + 1))\ndone\n"
                                                  "echo 'the port did not answer' >&2\nexit 3\n");
    vo::Start_Result Started = Runner->Start(Program, "", true, vo::Program_Output::Kept);
    ASSERT_TRUE(Started.Program) << Started.Error_Text;
    const vo::Run_Result Result = vo::Wait_For_End(Started, 60s);
    ASSERT_EQ(Result.Outcome, State::Ended);
    EXPECT_EQ(Result.Exit_Code, 3);
    const std::string Output = Started.Program->Output();
    EXPECT_EQ(Output.size(), vo::Output_Tail_Limit);
    // The two streams come through pipes of their own: each keeps its order, not their interleaving.
    std::string Last_Two(58, '0');
    Last_Two.append("16382\n");
    Last_Two.append(58, '0');
    Last_Two.append("16383\n");
    EXPECT_NE(Output.find(Last_Two), std::string::npos) << Output.substr(Output.size() - 200);
    EXPECT_NE(Output.find("the port did not answer\n"), std::string::npos);
}

TEST_F(Process_Runner_Test, A_Program_Past_The_Limit_Keeps_Running_And_Is_Reaped_After) {
    const QString Done = Dir.filePath(QStringLiteral("done"));
    const std::string Program = Script("updater", "sleep 0.5\n: > '" + Done.toUtf8() + "'\n");
    const vo::Run_Result Result = Runner->Run(Program, "", true, 50ms, {});
    ASSERT_EQ(Result.Outcome, State::Still_Running);
    ASSERT_GT(Result.Process_Id, 0);
    EXPECT_NE(vo_test::Process_State(Result.Process_Id), 0) << "stopped at the limit";
    EXPECT_EQ(vo_test::Wait_Until_Gone(Result.Process_Id, 10s), 0) << "never reaped";
    EXPECT_TRUE(QFileInfo::exists(Done)) << "killed rather than left to finish";
}

TEST_F(Process_Runner_Test, A_Program_That_Cannot_Start_Is_Named_In_The_Error) {
    const auto Write = [this](const char* Name, const QByteArray& Bytes, bool Executable) {
        QFile File(Dir.filePath(QLatin1String(Name)));
        EXPECT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Bytes);
        File.close();
        if (Executable)
            File.setPermissions(File.permissions() | QFile::ExeOwner);
        return File.fileName().toStdString();
    };
    QDir(Dir.path()).mkdir(QStringLiteral("folder"));
    const std::string Programs[] = {
        Dir.filePath(QStringLiteral("missing")).toStdString(),
        Write("not_executable", "#!/bin/sh\nexit 0\n", false),
        Write("no_interpreter_line", "just text\n", true),
        Write("bad_interpreter", "#!/no/such/interpreter\n", true),
        Dir.filePath(QStringLiteral("folder")).toStdString(),
    };
    for (const std::string& Program : Programs) {
        const vo::Run_Result Result = Runner->Run(Program, "", true, 10s, {});
        EXPECT_EQ(Result.Outcome, State::Not_Started) << Program;
        EXPECT_NE(Result.Error_Text.find("\"" + Program + "\""), std::string::npos) << Result.Error_Text;
    }
}

TEST_F(Process_Runner_Test, An_Open_Quote_Starts_Nothing) {
    const QString Ran = Dir.filePath(QStringLiteral("ran"));
    const std::string Program = Script("updater", ": > '" + Ran.toUtf8() + "'\n");
    const vo::Run_Result Result = Runner->Run(Program, "\"/a b", true, 10s, {});
    EXPECT_EQ(Result.Outcome, State::Not_Started);
    EXPECT_NE(Result.Error_Text.find(Program), std::string::npos) << Result.Error_Text;
    EXPECT_FALSE(QFileInfo::exists(Ran));
}
