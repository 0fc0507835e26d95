#pragma once

#include <QDir>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>

namespace vo_test {

// A pseudo-terminal: a real line whose far end the test holds. Its line goes when it does.
class Pseudo_Terminal {
public:
    Pseudo_Terminal();
    ~Pseudo_Terminal();
    Pseudo_Terminal(const Pseudo_Terminal&) = delete;
    Pseudo_Terminal& operator=(const Pseudo_Terminal&) = delete;

    // Opens the line and keeps it, as a program using the port does; Exclusive as a program that
    // locks it (TIOCEXCL).
    bool Hold(bool Exclusive);

    std::string Line;

private:
    int Master = -1;
    int Held = -1;
};

// A small /dev and /sys for the port probe (Root/dev, Root/sys, in a folder whose name holds a
// blank): each port a link to a pseudo-terminal, USB adapters with their sysfs attribute files and
// stable names in dev/serial/by-id.
class Fake_Port_Tree {
public:
    Fake_Port_Tree();

    QString Root() const { return Dir.path(); }
    QString Dev(const QString& Name) const { return Dir.filePath(QStringLiteral("dev/") + Name); }
    std::string Dev_Path(const QString& Name) const { return Dev(Name).toStdString(); }

    // The attributes of a USB adapter with a maker, model and serial number.
    static QMap<QString, QByteArray> Adapter(const QByteArray& Maker, const QByteArray& Model,
                                             const QByteArray& Serial);

    // A USB adapter as dev/Name, its USB device holding one file per attribute (manufacturer,
    // product, serial, idVendor, idProduct), and its stable name dev/serial/by-id/By_Id unless empty.
    void Add_Usb(const QString& Name, const QMap<QString, QByteArray>& Attributes, const QString& By_Id);
    // A port whose device in sysfs has no USB device above it.
    void Add_Built_In(const QString& Name);
    // Unplugs the port: its node, stable name and sysfs entries go, then its line.
    void Remove(const QString& Name);

    Pseudo_Terminal& Line(const QString& Name) { return *Lines.at(Name); }
    QString Usb_Device(const QString& Name) const;

private:
    void Add_Node(const QString& Name, const QString& Device);

    QTemporaryDir Dir{QDir::tempPath() + QStringLiteral("/vo40913 ports XXXXXX")};
    std::map<QString, std::unique_ptr<Pseudo_Terminal>> Lines;
    int Next_Usb = 1;
};

} // namespace vo_test
