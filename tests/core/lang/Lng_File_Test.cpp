#include "Lang_Test_Files.h"
#include "Qt_Print.h"
#include "Sanitizer_Build.h"
#include "lang/Lng_File.h"
#include "lang/String_Table.h"
#include "util/File_Read.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <random>

#ifdef _WIN32
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#else
#include <sys/resource.h>
#endif

namespace {

struct Seen {
    qsizetype Number;
    vo::Lng_Line_Kind Kind;
    int Id;
    QString Text;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Visit(const QString& Text) {
    std::vector<Seen> Lines;
    vo::Visit_Lng_Lines(Text, vo::String_Count, [&](qsizetype Number, const vo::Lng_Line& Line) {
        Lines.push_back({Number, Line.Kind, Line.Id, Line.Text});
    });
    return Lines;
}

long Peak_Rss_Kib() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS Counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &Counters, sizeof Counters);
    return static_cast<long>(Counters.PeakWorkingSetSize / 1024);
#else
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
#endif
}

} // namespace

TEST(Visit_Lng_Lines, Cr_Lf_Crlf_End_A_Line_Each) {
    using K = vo::Lng_Line_Kind;
    const std::vector<Seen> Expected = {
        {1, K::Entry, 1, QStringLiteral("a")},
        {2, K::Entry, 2, QStringLiteral("b")},
        {3, K::Entry, 3, QStringLiteral("c")},
        {4, K::Free, -1, {}},
        {5, K::Free, -1, {}},
        {6, K::Entry, 4, QStringLiteral("d")},
    };
    // LF CR is two line ends, so lines 4 and 5 are empty; the last line needs no end.
    EXPECT_EQ(Visit(QStringLiteral("STR1 = a\r\nSTR2 = b\rSTR3 = c\n\n\rSTR4 = d")), Expected);
    EXPECT_EQ(Visit(QStringLiteral("STR1 = a\r\nSTR2 = b\rSTR3 = c\n\n\rSTR4 = d\r\n")), Expected);
    EXPECT_TRUE(Visit(QString()).empty());
}

TEST(Load_Language_File, Same_Entries_Whatever_The_Line_Ends) {
    QTemporaryDir Dir;
    for (const char* End : {"\n", "\r", "\r\n"}) {
        const QByteArray Bytes = QByteArray("/#/ heading") + End + "STR13 = Opzioni" + End + End +
                                 "STR14 = \xC2\xB6 Chiudi \xC2\xB6" + End;
        QStringList Table;
        vo::Load_Default_Strings(Table);
        ASSERT_TRUE(vo::Load_Language_File(Table, vo_test::Write_File(Dir, QStringLiteral("t.lng"), Bytes)));
        EXPECT_EQ(Table[13], QStringLiteral("Opzioni"));
        EXPECT_EQ(Table[14], QStringLiteral(" Chiudi "));
    }
}

TEST(Load_Language_File, Garbage_Up_To_The_Bound_Loads_In_Bounded_Memory) {
    // Random bytes with a megabyte-long line, a million empty lines and a good line among them,
    // as large as a language file may be: not UTF-8, so read as Windows-1252. Written in pieces
    // so that making it costs little memory of its own.
    constexpr qsizetype Mib = 1024 * 1024;
    QTemporaryDir Dir;
    QFile File(Dir.filePath(QStringLiteral("garbage.lng")));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    std::mt19937 Random(12345);
    const auto Write_Random = [&](qsizetype Size) {
        QByteArray Piece(Size, Qt::Uninitialized);
        for (char& Byte : Piece)
            Byte = static_cast<char>(Random() & 0xFF);
        File.write(Piece);
    };
    Write_Random(Mib / 2);
    File.write("\nSTR5 = " + QByteArray(Mib, 'x') + '\n');
    Write_Random(Mib / 2);
    File.write(QByteArray(1000 * 1000, '\n'));
    File.write("\nSTR300 = \xB6Opzioni\xB6\n");
    const auto Cap = static_cast<qsizetype>(vo::Language_File_Cap);
    Write_Random(Cap - File.size());
    File.close();
    ASSERT_EQ(QFileInfo(File).size(), Cap);

    const long Before = Peak_Rss_Kib();
    QStringList Table;
    vo::Load_Default_Strings(Table);
    ASSERT_TRUE(vo::Load_Language_File(Table, File.fileName()));
    const long Growth_Kib = Peak_Rss_Kib() - Before;

    ASSERT_EQ(Table.size(), vo::String_Count);
    EXPECT_EQ(Table[5], QString(Mib, u'x'));
    EXPECT_EQ(Table[300], QStringLiteral("Opzioni"));
    if (vo_test::Address_Sanitizer)
        GTEST_SKIP() << "AddressSanitizer inflates peak memory; only the entries were checked";
    // The bytes and their text take some 12 MiB; keeping every line apart would take far more.
    EXPECT_LT(Growth_Kib, 24 * 1024) << "peak grew by " << Growth_Kib << " KiB";
}
