#include "File_Bytes.h"
#include "Lang_Test_Files.h"
#include "Qt_Print.h"
#include "lang/Lng_File.h"
#include "lang/String_Table.h"
#include "util/Text_Convert.h"

#include <QtEndian>
#include <gtest/gtest.h>

using vo_test::Read_All;

namespace {

const QString Language_Dir = QStringLiteral(VO_SOURCE_DIR "/data/LANGUAGE");

// A 48 x 48 picture of 24 bits per pixel, stored uncompressed.
void Expect_Flag_Picture(const QString& Path) {
    const QByteArray Bytes = Read_All(Path);
    ASSERT_GE(Bytes.size(), 54) << Path.toStdString();
    const auto* Data = reinterpret_cast<const uchar*>(Bytes.constData());
    EXPECT_TRUE(Bytes.startsWith("BM")) << Path.toStdString();
    EXPECT_EQ(qFromLittleEndian<qint32>(Data + 18), 48) << Path.toStdString();
    EXPECT_EQ(qFromLittleEndian<qint32>(Data + 22), 48) << Path.toStdString();
    EXPECT_EQ(qFromLittleEndian<quint16>(Data + 28), 24) << Path.toStdString();
    EXPECT_EQ(qFromLittleEndian<quint32>(Data + 30), 0u) << Path.toStdString();
    EXPECT_EQ(Bytes.size(), qFromLittleEndian<quint32>(Data + 10) + 48 * 48 * 3) << Path.toStdString();
}

} // namespace

TEST(Shipped_Languages, Each_File_Is_Clean_And_Sets_Every_Text_A_Window_Reads) {
    const std::map<int, QString> English = vo_test::Window_Texts();
    ASSERT_FALSE(English.empty());
    const QStringList Files = QDir(Language_Dir).entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_TRUE(Files.contains(QStringLiteral("English.lng")));
    ASSERT_GE(Files.size(), 3);

    for (const QString& File_Name : Files) {
        SCOPED_TRACE(File_Name.toStdString());
        const QString Path = QDir(Language_Dir).filePath(File_Name);
        EXPECT_TRUE(Read_All(Path).startsWith("\xEF\xBB\xBF")) << "UTF-8 with a byte-order mark";

        std::map<int, QString> Set;
        ASSERT_TRUE(
            vo::Visit_Lng_File(Path, vo::String_Count, [&](qsizetype Number, const vo::Lng_Line& Line) {
                EXPECT_TRUE(Line.Kind == vo::Lng_Line_Kind::Entry || Line.Kind == vo::Lng_Line_Kind::Free)
                    << "line " << Number << ": " << vo::Ignore_Reason(Line.Kind).toStdString();
                if (Line.Kind == vo::Lng_Line_Kind::Entry)
                    Set[Line.Id] = Line.Text;
            }));
        for (const auto& [Id, Text] : English) {
            const auto Found = Set.find(Id);
            ASSERT_NE(Found, Set.end()) << "entry " << Id << " missing";
            const QString& Translated = Found->second;
            EXPECT_FALSE(vo::Trim_Text(Translated).isEmpty()) << "entry " << Id;
            // Texts are joined into messages: a blank the English keeps at either end stays.
            EXPECT_TRUE(!Text.startsWith(u' ') || Translated.startsWith(u' ')) << "entry " << Id;
            EXPECT_TRUE(!Text.endsWith(u' ') || Translated.endsWith(u' ')) << "entry " << Id;
            // Texts filled in with values keep a place for each.
            for (const QLatin1String Place : {QLatin1String("%1"), QLatin1String("%2")})
                EXPECT_EQ(Translated.contains(Place), Text.contains(Place))
                    << "entry " << Id << " " << Place.data();
            if (File_Name == QStringLiteral("English.lng")) {
                EXPECT_EQ(Translated, Text) << "entry " << Id;
            }
        }
        Expect_Flag_Picture(
            QDir(Language_Dir).filePath(QFileInfo(File_Name).completeBaseName() + QStringLiteral(".bmp")));
    }
    Expect_Flag_Picture(QDir(Language_Dir).filePath(QStringLiteral("DefaultFlag.bmp")));
}
