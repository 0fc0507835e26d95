#include "image/Image_Builder.h"
#include "image/Image_Files.h"
#include "util/File_Save.h"
#include "util/Xml_Doc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// One configuration folder holding the test fixture's ParGen.xml and an empty bin folder.
struct Configuration {
    QTemporaryDir Dir;
    QString Par_Gen = Dir.filePath(QStringLiteral("ParGen.xml"));
    QString Bin = vo::Bin_Folder(Dir.path());

    Configuration() {
        QFile::copy(QStringLiteral(VO_TEST_DATA "/image/ParGen.xml"), Par_Gen);
        QDir().mkpath(Bin);
    }
};

void Build_Image_Only(benchmark::State& State) {
    const Configuration Config;
    for (auto _ : State)
        benchmark::DoNotOptimize(vo::Build_Image(Config.Par_Gen));
}

void Parse_Only(benchmark::State& State) {
    const Configuration Config;
    for (auto _ : State) {
        pugi::xml_document Doc;
        benchmark::DoNotOptimize(vo::Load_Xml_File(Config.Par_Gen, Doc));
    }
}

void Build_And_Save(benchmark::State& State) {
    const Configuration Config;
    for (auto _ : State) {
        const vo::Image_Build Build = vo::Build_Image(Config.Par_Gen);
        if (!Build || !vo::Save_Image_Files(*Build, Config.Bin))
            State.SkipWithError("build or save failed");
    }
}

// The floor: the same parse and two atomic writes of the same sizes, with no image work at all.
void Parse_And_Write_Floor(benchmark::State& State) {
    const Configuration Config;
    const QByteArray Bank(19, '\0');
    const QByteArray BankK(2048, '\0');
    for (auto _ : State) {
        pugi::xml_document Doc;
        if (!vo::Load_Xml_File(Config.Par_Gen, Doc) ||
            !vo::Save_File_Atomic(QDir(Config.Bin).filePath(QStringLiteral("a.bin")), Bank) ||
            !vo::Save_File_Atomic(QDir(Config.Bin).filePath(QStringLiteral("b.bin")), BankK))
            State.SkipWithError("parse or write failed");
    }
}

} // namespace

BENCHMARK(Build_Image_Only);
BENCHMARK(Parse_Only);
BENCHMARK(Build_And_Save);
BENCHMARK(Parse_And_Write_Floor);
