#include "Private_Mounts.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <thread>

namespace vo_test {

namespace {

std::string Failure(const std::string& What) {
    return What + ": " + std::strerror(errno);
}

// Whether this process can change Path (a folder: create a file in it), whatever its permissions.
bool Takes_Changes(const QString& Path) {
    if (!QFileInfo(Path).isDir())
        return QFile(Path).open(QIODevice::WriteOnly | QIODevice::Append);
    QFile Probe(Path + QStringLiteral("/.probe"));
    if (!Probe.open(QIODevice::WriteOnly))
        return false;
    Probe.remove();
    return true;
}

} // namespace

std::string Run_In_Private_Mounts(const std::function<void()>& Body) {
    std::string Error;
    std::thread Inside([&] {
        if (unshare(CLONE_NEWNS) != 0)
            Error = Failure("cannot make a mount namespace (needs root or CAP_SYS_ADMIN)");
        // Without this, mounts below a shared mount would show on the machine too.
        else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            Error = Failure("cannot make the mounts private");
        else
            Body();
    });
    Inside.join();
    return Error;
}

std::string Mount_Tmpfs(const QString& Folder, const std::string& Options) {
    if (mount("tmpfs", QFile::encodeName(Folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              Options.c_str()) != 0)
        return Failure("mount tmpfs " + Options);
    return {};
}

std::string Bind_Read_Only(const QString& Path) {
    const QByteArray Name = QFile::encodeName(Path);
    if (mount(Name.constData(), Name.constData(), nullptr, MS_BIND | MS_REC, nullptr) != 0)
        return Failure("bind mount");
    if (mount(nullptr, Name.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return Failure("read-only remount");
    return {};
}

std::string With_Read_Only(const QString& Path, const std::function<void()>& Body) {
    const QFileDevice::Permissions Before = QFile::permissions(Path);
    QFile::setPermissions(Path,
                          QFileInfo(Path).isDir() ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
    const bool Permissions_Hold = !Takes_Changes(Path);
    if (Permissions_Hold)
        Body();
    QFile::setPermissions(Path, Before);
    if (Permissions_Hold)
        return {};
    std::string Error;
    const std::string No_Namespace = Run_In_Private_Mounts([&] {
        Error = Bind_Read_Only(Path);
        if (Error.empty())
            Body();
    });
    return No_Namespace.empty() ? Error : No_Namespace;
}

} // namespace vo_test
