#pragma once

#include "Qt_Print.h"

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

#ifdef VO_TEST_DATA
// A file of the tests' data folder, named from it ("image/ParGen.xml"), and its bytes.
inline QString Test_Data_Path(const char* Name) {
    return QStringLiteral(VO_TEST_DATA "/") + QLatin1String(Name);
}
inline QByteArray Test_Data(const char* Name) {
    return Read_All(Test_Data_Path(Name));
}
#endif

} // namespace vo_test
