#pragma once

#include "File_Bytes.h"
#include "Qt_Print.h"
#include "Shown_Path.h"
#include "platform/Process_Runner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vo_test {

struct Run_Result {
    int Exit_Code = -1;
    QString Out;
    QStringList Err_Lines;
};

// The name of the command-line program on this system.
inline QString Cli_File_Name() {
    return QStringLiteral("vo40913-cli") + QLatin1String(vo::Program_Suffix());
}

// The built vo40913-cli, which sits beside this test program.
inline QString Built_Cli() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(Cli_File_Name());
}

// What a program wrote as text, with the line ends of this system checked and made "\n": Windows
// programs end their lines with CR LF, and a bare LF there is a fault.
inline QString Text_Lines(const QByteArray& Bytes) {
    QString Text = QString::fromUtf8(Bytes);
#ifdef _WIN32
    EXPECT_EQ(Text.count(QStringLiteral("\r\n")), Text.count(u'\n'))
        << "a line ends without CR: " << Text.toStdString();
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return Text;
}

// Runs Program (the built vo40913-cli unless told) with Args; a crash or a hang gives exit -1.
inline Run_Result Run_Cli(const QStringList& Args, const QString& Program = Built_Cli()) {
    QProcess Process;
    Process.start(Program, Args);
    Run_Result Result;
    if (!Process.waitForFinished(30000))
        return Result;
    Result.Exit_Code = Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;
    Result.Out = Text_Lines(Process.readAllStandardOutput());
    Result.Err_Lines = Text_Lines(Process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return Result;
}

// A configuration folder in a temporary PROJECTS folder, holding Bytes as its ParGen.xml unless
// they are empty.
struct Config_Folder {
    explicit Config_Folder(const QByteArray& Bytes = QByteArray()) {
        QDir().mkpath(Folder);
        if (!Bytes.isEmpty())
            Write_All(ParGen, Bytes);
    }

    QString Path() const { return Folder; }

    QTemporaryDir Dir;
    QString Folder = Dir.filePath(QStringLiteral("PROJECTS/Plant"));
    QString ParGen = Folder + QStringLiteral("/ParGen.xml");
};

// A copy of vo40913-cli in a folder of its own, so that the folders it keeps beside itself
// (PROJECTS, LANGUAGE) are the test's.
class Copied_Cli : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::copy(Built_Cli(), Program)); }

    // Installs a language file of the source tree beside the copy.
    void Install_Language(const QString& Name) {
        ASSERT_TRUE(QDir(Root.path()).mkpath(QStringLiteral("LANGUAGE")));
        const QString File_Name = Name + QStringLiteral(".lng");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VO_SOURCE_DIR "/data/LANGUAGE/") + File_Name,
                                Root.filePath(QStringLiteral("LANGUAGE/") + File_Name)));
    }

    Run_Result Run(const QStringList& Args) const { return Run_Cli(Args, Program); }

    // The two firmware files beside the copy, which the firmware options need.
    void Install_Firmware() const {
        ASSERT_TRUE(QDir(Root.path()).mkpath(QStringLiteral("MASTER")));
        Write_All(Root.filePath(QStringLiteral("MASTER/sim40913.sim")), "serial firmware");
        Write_All(Root.filePath(QStringLiteral("MASTER/Sim40913K.sim")), "Ethernet firmware");
    }

    QString Projects_Dir() const { return Root.filePath(QStringLiteral("PROJECTS")); }

    QTemporaryDir Root;
    QString Program = Root.filePath(Cli_File_Name());
};

} // namespace vo_test
