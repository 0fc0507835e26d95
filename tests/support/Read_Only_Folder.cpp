#include "Read_Only_Folder.h"

#include <QFile>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vo_test {

namespace {

bool Takes_New_Files(const QString& Path) {
    QFile Probe(Path + QStringLiteral("/.probe"));
    if (!Probe.open(QIODevice::WriteOnly))
        return false;
    Probe.remove();
    return true;
}

bool Set_Immutable(const QString& Path, bool On) {
    const int Fd = open(QFile::encodeName(Path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int Flags = 0;
    bool Done = Fd >= 0 && ioctl(Fd, FS_IOC_GETFLAGS, &Flags) == 0;
    if (Done) {
        Flags = On ? Flags | FS_IMMUTABLE_FL : Flags & ~FS_IMMUTABLE_FL;
        Done = ioctl(Fd, FS_IOC_SETFLAGS, &Flags) == 0;
    }
    if (Fd >= 0)
        close(Fd);
    return Done;
}

} // namespace

Read_Only_Folder::Read_Only_Folder(const QString& Path) : Path(Path) {
    QFile::setPermissions(Path, QFile::ReadOwner | QFile::ExeOwner);
    if (Takes_New_Files(Path))
        Immutable = Set_Immutable(Path, true);
    if (Takes_New_Files(Path))
        Failure = QStringLiteral("this file system lets the test write into a read-only folder");
}

Read_Only_Folder::~Read_Only_Folder() {
    if (Immutable)
        Set_Immutable(Path, false);
    QFile::setPermissions(Path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace vo_test
