#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace vo_test {

// The whole file, or nothing when it cannot be read.
inline QByteArray Read_All(const QString& Path) {
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// Replaces the file with Bytes; a file that cannot be written fails the test.
inline void Write_All(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(File.write(Bytes), Bytes.size());
}

} // namespace vo_test
