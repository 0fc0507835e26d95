#include "lang/String_Table.h"
#include "shell/Shared_State.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A language file that sets all 1200 entries, in UTF-8 with a byte-order mark, with a heading
// every hundred entries and a note on every tenth line, as translators write them.
QString Write_Full_Language_File(const QTemporaryDir& Dir) {
    QString Text = QStringLiteral("\uFEFF/#/ Benchmark language\n");
    for (int Id = 0; Id < vo::String_Count; ++Id) {
        if (Id % 100 == 0)
            Text += QStringLiteral("\n/#/ ---- Block %1 ----\n").arg(Id);
        Text += QStringLiteral("STR%1 = \u00B6Eintrag %1: Konfiguration \u00F6ffnen und pr\u00FCfen \u00B6")
                    .arg(Id);
        if (Id % 10 == 0)
            Text += QStringLiteral(" /#/ note");
        Text += u'\n';
    }
    const QString Path = Dir.filePath(QStringLiteral("Full.lng"));
    QFile File(Path);
    if (File.open(QIODevice::WriteOnly))
        File.write(Text.toUtf8());
    return Path;
}

void Load_Language_File(benchmark::State& Bench) {
    QTemporaryDir Dir;
    const QString Path = Write_Full_Language_File(Dir);
    QStringList Table;
    vo::Load_Default_Strings(Table);
    for (auto _ : Bench) {
        if (!vo::Load_Language_File(Table, Path))
            Bench.SkipWithError("language file not readable");
        benchmark::DoNotOptimize(Table);
    }
    Bench.SetBytesProcessed(Bench.iterations() * QFile(Path).size());
}
BENCHMARK(Load_Language_File)->Unit(benchmark::kMicrosecond);

// The floor: reading the same file and decoding it into lines, with no entry taken apart.
void Read_And_Decode_Floor(benchmark::State& Bench) {
    QTemporaryDir Dir;
    const QString Path = Write_Full_Language_File(Dir);
    for (auto _ : Bench) {
        QFile File(Path);
        if (!File.open(QIODevice::ReadOnly))
            Bench.SkipWithError("language file not readable");
        benchmark::DoNotOptimize(QString::fromUtf8(File.readAll()).split(u'\n'));
    }
    Bench.SetBytesProcessed(Bench.iterations() * QFile(Path).size());
}
BENCHMARK(Read_And_Decode_Floor)->Unit(benchmark::kMicrosecond);

// What a change of language costs: the defaults, then the file.
void Load_Language(benchmark::State& Bench) {
    QTemporaryDir Dir;
    Write_Full_Language_File(Dir);
    vo::Shared_State State;
    State.Language_Dir = Dir.path();
    for (auto _ : Bench) {
        State.Language_Name = QStringLiteral("Full");
        vo::Load_Language(State);
        benchmark::DoNotOptimize(State.Lang_Strings);
    }
}
BENCHMARK(Load_Language)->Unit(benchmark::kMicrosecond);

} // namespace
