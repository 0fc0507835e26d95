#include "Fake_Port_Tree.h"

#include "File_Bytes.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vo_test {

Pseudo_Terminal::Pseudo_Terminal() {
    Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Master >= 0 && grantpt(Master) == 0 && unlockpt(Master) == 0)
        Line = ptsname(Master);
}

Pseudo_Terminal::~Pseudo_Terminal() {
    if (Held >= 0)
        close(Held);
    if (Master >= 0)
        close(Master);
}

bool Pseudo_Terminal::Hold(bool Exclusive) {
    Held = open(Line.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    return Held >= 0 && (!Exclusive || ioctl(Held, TIOCEXCL) == 0);
}

Fake_Port_Tree::Fake_Port_Tree() {
    QDir Base(Dir.path());
    Base.mkpath(QStringLiteral("dev"));
    Base.mkpath(QStringLiteral("sys/class/tty"));
}

QMap<QString, QByteArray> Fake_Port_Tree::Adapter(const QByteArray& Maker, const QByteArray& Model,
                                                  const QByteArray& Serial) {
    return {{QStringLiteral("manufacturer"), Maker + '\n'},
            {QStringLiteral("product"), Model + '\n'},
            {QStringLiteral("serial"), Serial + '\n'},
            {QStringLiteral("idVendor"), "0403\n"},
            {QStringLiteral("idProduct"), "6001\n"}};
}

QString Fake_Port_Tree::Usb_Device(const QString& Name) const {
    return Dir.filePath(QStringLiteral("sys/devices/usb1/") + Name);
}

void Fake_Port_Tree::Add_Usb(const QString& Name, const QMap<QString, QByteArray>& Attributes,
                             const QString& By_Id) {
    // The USB device, its interface, and the port below it, as the kernel lays them out.
    const QString Device = QStringLiteral("devices/usb1/%1/%1:1.0/%1").arg(Name);
    QDir().mkpath(Dir.filePath(QStringLiteral("sys/") + Device));
    for (auto It = Attributes.begin(); It != Attributes.end(); ++It)
        Write_All(Usb_Device(Name) + u'/' + It.key(), It.value());
    Add_Node(Name, Device);
    if (By_Id.isEmpty())
        return;
    QDir().mkpath(Dir.filePath(QStringLiteral("dev/serial/by-id")));
    QFile::link(QStringLiteral("../../") + Name, Dir.filePath(QStringLiteral("dev/serial/by-id/") + By_Id));
}

void Fake_Port_Tree::Add_Built_In(const QString& Name) {
    const QString Device = QStringLiteral("devices/platform/serial8250/") + Name;
    QDir().mkpath(Dir.filePath(QStringLiteral("sys/") + Device));
    Add_Node(Name, Device);
}

void Fake_Port_Tree::Add_Node(const QString& Name, const QString& Device) {
    const QString Class = Dir.filePath(QStringLiteral("sys/class/tty/") + Name);
    QDir().mkpath(Class);
    QFile::link(QStringLiteral("../../../") + Device, Class + QStringLiteral("/device"));
    auto Line = std::make_unique<Pseudo_Terminal>();
    QFile::link(QString::fromStdString(Line->Line), Dev(Name));
    Lines[Name] = std::move(Line);
}

void Fake_Port_Tree::Remove(const QString& Name) {
    QDir By_Id(Dir.filePath(QStringLiteral("dev/serial/by-id")));
    for (const QFileInfo& Link : By_Id.entryInfoList(QDir::System | QDir::Files))
        if (Link.symLinkTarget() == Dev(Name))
            QFile::remove(Link.filePath());
    QFile::remove(Dev(Name));
    QDir(Dir.filePath(QStringLiteral("sys/class/tty/") + Name)).removeRecursively();
    QDir(Usb_Device(Name)).removeRecursively();
    Lines.erase(Name);
}

} // namespace vo_test
