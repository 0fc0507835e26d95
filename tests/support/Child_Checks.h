#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <chrono>
#include <thread>

namespace vo_test {

// Writes an executable shell script at Path: the interpreter line, then Body.
inline bool Write_Script(const QString& Path, const QByteArray& Body) {
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write("#!/bin/sh\n" + Body) < 0)
        return false;
    File.close();
    return File.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

// The state letter of process Pid ('Z' for a zombie), or 0 once it has gone entirely.
inline char Process_State(long Pid) {
    QFile Stat(QStringLiteral("/proc/%1/stat").arg(Pid));
    if (!Stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray Text = Stat.readAll();
    const qsizetype Name_End = Text.lastIndexOf(')');
    return Name_End >= 0 && Name_End + 2 < Text.size() ? Text[Name_End + 2] : '?';
}

// Waits up to Limit for process Pid to end and be reaped; its last state letter, 0 when gone.
inline char Wait_Until_Gone(long Pid, std::chrono::milliseconds Limit) {
    const auto Deadline = std::chrono::steady_clock::now() + Limit;
    char State = Process_State(Pid);
    while (State != 0 && std::chrono::steady_clock::now() < Deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        State = Process_State(Pid);
    }
    return State;
}

} // namespace vo_test
