// The floor of the command line's whole-process figures: a Qt Core program that prints one line,
// and with "write FOLDER" first makes the two atomic writes of a build (19 and 2048 bytes, as
// bank.bin and bankK.bin) the way the configurator writes every file.
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace {

bool Write_Atomic(const QString& Path, qsizetype Size) {
    QSaveFile File(Path);
    return File.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           File.write(QByteArray(Size, '\0')) == Size && File.commit();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication App(argc, argv);
    const QStringList Arguments = QCoreApplication::arguments();
    if (Arguments.size() == 3 && Arguments[1] == QStringLiteral("write")) {
        const QDir Folder(Arguments[2]);
        if (!Write_Atomic(Folder.filePath(QStringLiteral("bank.bin")), 19) ||
            !Write_Atomic(Folder.filePath(QStringLiteral("bankK.bin")), 2048))
            return 1;
    }
    std::puts("VO40913 2.002");
    return 0;
}
