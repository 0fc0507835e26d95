#include "Writer_Lock.h"

#include "Path_Join.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace vo {

namespace {

// A lock file that says nothing of its holder (empty, cut short by a kill, garbage) is taken
// over once it is this old, shorter than a writer's wait: a live writer fills its file at once.
constexpr qint64 Silent_Lock_Stale_Ms = 2000;

QString Lock_File(Lock_Of What, const QString& Folder) {
    return Join_Path(Folder, What == Lock_Of::Configuration ? QStringLiteral(".vo40913.lock")
                                                            : QStringLiteral("Update.lock"));
}

} // namespace

Writer_Lock::Writer_Lock(Lock_Of What, const QString& Folder)
    : Path(Lock_File(What, Folder)), Lock(std::make_unique<QLockFile>(Path)) {
    Lock->setStaleLockTime(std::chrono::milliseconds::zero());
}

Writer_Lock::~Writer_Lock() = default;

Status Writer_Lock::Acquire(std::chrono::milliseconds Wait) {
    const QString File = QDir::toNativeSeparators(Path);
    // Reading a FIFO in its place would wait for ever, and a link or a folder is not ours to take.
    const QFileInfo Found(Path);
    if (Found.isSymLink() || (Found.exists() && !Found.isFile()))
        return Failure(QStringLiteral("\"%1\" is not a regular file: remove it, then try again").arg(File));
    if (Lock->tryLock(Wait))
        return {};
    if (Lock->error() == QLockFile::LockFailedError && !Lock->getLockInfo(nullptr, nullptr, nullptr) &&
        QFileInfo(Path).lastModified().msecsTo(QDateTime::currentDateTime()) > Silent_Lock_Stale_Ms &&
        Lock->removeStaleLockFile() && Lock->tryLock(std::chrono::milliseconds::zero()))
        return {};
    switch (Lock->error()) {
    case QLockFile::LockFailedError: {
        qint64 Pid = 0;
        QString Host;
        QString Program;
        if (!Lock->getLockInfo(&Pid, &Host, &Program))
            return Failure(QStringLiteral("\"%1\" is held by another process").arg(File));
        // Any process may have written the lock file: its names reach a terminal or a message box.
        for (QString* Name : {&Host, &Program}) {
            Name->truncate(100);
            if (!Name->isEmpty() && Name->back().isHighSurrogate())
                Name->chop(1); // never half a character
            for (QChar& C : *Name)
                if (C.category() == QChar::Other_Control || C.category() == QChar::Other_Format)
                    C = u'?';
        }
        return Failure(QStringLiteral("\"%1\" is held by process %2%3%4")
                           .arg(File)
                           .arg(Pid)
                           .arg(Program.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(Program),
                                Host.isEmpty() ? QString() : QStringLiteral(" on host \"%1\"").arg(Host)));
    }
    default:
        // No lock file can be made here (read-only folder, full disk): then no writer can write
        // here either, and this one's own write fails with the file and the reason.
        return {};
    }
}

void Writer_Lock::Release() {
    Lock->unlock();
}

bool Writer_Lock::Held() const {
    return Lock->isLocked();
}

} // namespace vo
