#include "Unprivileged.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

namespace vo_test {

Tool_Run Run_Tool_Unprivileged(const QStringList& Arguments) {
    Tool_Run Run;
    // A copy in a folder that every user may enter: the build folder may not be.
    QTemporaryDir Dir;
    const QString Tool = Dir.filePath(QStringLiteral("platform_tool"));
    QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                          QFile::ExeGroup);
    if (!QFile::copy(QStringLiteral(VO_PLATFORM_TOOL), Tool)) {
        Run.Skip_Reason = QStringLiteral("cannot copy the platform tool");
        return Run;
    }
    QString Program = Tool;
    QStringList Args = Arguments;
    if (geteuid() == 0) {
        Program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (Program.isEmpty()) {
            Run.Skip_Reason =
                QStringLiteral("setpriv is not installed, so the test cannot drop root's rights");
            return Run;
        }
        Args = QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                           QStringLiteral("--clear-groups"), Tool} +
               Arguments;
    }
    QProcess Process;
    Process.start(Program, Args);
    Process.waitForFinished(20000);
    Run.Exit_Code = Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;
    Run.Lines = QString::fromLocal8Bit(Process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    Run.Errors = QString::fromLocal8Bit(Process.readAllStandardError());
    return Run;
}

} // namespace vo_test
