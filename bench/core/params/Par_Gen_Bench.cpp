#include "params/Par_Gen_Check.h"
#include "params/Par_Gen_File.h"
#include "util/File_Save.h"
#include "util/Xml_Doc.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A configuration folder holding a parameter file as the dialog writes it.
struct Par_Gen_Folder {
    QTemporaryDir Dir;
    QString Path = Dir.filePath(QStringLiteral("ParGen.xml"));
    bool Ready = vo::Save_Par_Gen(vo::Missing_File_Par_Gen(), Path).Has_Value();
};

// One confirmation of the parameter dialog on a real file: load, check, save.
void Load_Check_Save(benchmark::State& State) {
    const Par_Gen_Folder Folder;
    for (auto _ : State) {
        vo::Par_Gen Set;
        if (!Folder.Ready || !vo::Load_Par_Gen(Folder.Path, Set) ||
            vo::Controllo_Dati(Set, vo::Shown_View(Set)) != 0 || !vo::Save_Par_Gen(Set, Folder.Path)) {
            State.SkipWithError("load, check or save failed");
            return;
        }
    }
}
BENCHMARK(Load_Check_Save);

// The floor: parsing the same file and writing the same bytes back in one atomic step.
void Parse_And_Write_Par_Gen_Floor(benchmark::State& State) {
    const Par_Gen_Folder Folder;
    const QByteArray Bytes = vo::Par_Gen_Bytes(vo::Missing_File_Par_Gen());
    for (auto _ : State) {
        pugi::xml_document Doc;
        if (!Folder.Ready || !vo::Load_Xml_File(Folder.Path, Doc) ||
            !vo::Save_File_Atomic(Folder.Path, Bytes)) {
            State.SkipWithError("parse or write failed");
            return;
        }
    }
}
BENCHMARK(Parse_And_Write_Par_Gen_Floor);

// The shares of the three steps: reading the file, checking, building the bytes.
void Load_Only(benchmark::State& State) {
    const Par_Gen_Folder Folder;
    vo::Par_Gen Set;
    for (auto _ : State)
        benchmark::DoNotOptimize(vo::Load_Par_Gen(Folder.Path, Set));
}
BENCHMARK(Load_Only);

void Check_Only(benchmark::State& State) {
    const vo::Par_Gen Set = vo::Missing_File_Par_Gen();
    for (auto _ : State)
        benchmark::DoNotOptimize(vo::Controllo_Dati(Set, vo::Shown_View(Set)));
}
BENCHMARK(Check_Only);

void Bytes_Only(benchmark::State& State) {
    const vo::Par_Gen Set = vo::Missing_File_Par_Gen();
    for (auto _ : State)
        benchmark::DoNotOptimize(vo::Par_Gen_Bytes(Set));
}
BENCHMARK(Bytes_Only);

} // namespace
