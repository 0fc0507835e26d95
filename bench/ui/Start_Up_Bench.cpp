// Start-up of the configurator to its first painted main window, against a bare Qt window that
// makes and paints as many widgets: once as a whole program (a child process, timed from its
// start to the line it prints after the first paint, with its peak memory and CPU time then; the
// CPU time is the steadier figure on a shared machine), once inside this
// process (the windows alone, Qt already running). Then the first opening of each dialog after
// such a start-up, in a child process of its own, against a bare window as large with as many
// widgets.
#include "Painted_Windows.h"
#include "options/TFSoftOptions.h"
#include "params/TFParGen.h"
#include "shell/TFAbout.h"
#include "update/TFBoot.h"
#include "workspace/TFNew_Project.h"
#include "workspace/TFOpenConf.h"

#include <QApplication>
#include <QProcess>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

// The child: shows the window of Arguments, then prints its peak memory after the first paint.
int First_Paint(int argc, char** argv) {
    QApplication App(argc, argv);
    const QStringList Arguments = QCoreApplication::arguments().mid(2);
    std::unique_ptr<vo_bench::Started_Configurator> Configurator;
    std::unique_ptr<vo_bench::Bare_Window> Bare;
    QWidget* Window = nullptr;
    if (Arguments.value(0) == QStringLiteral("configurator")) {
        Configurator = std::make_unique<vo_bench::Started_Configurator>();
        Window = &Configurator->Window();
    } else if (Arguments.size() == 5 && Arguments[0] == QStringLiteral("bare")) {
        Bare = std::make_unique<vo_bench::Bare_Window>(vo_bench::Window_Shape{
            Arguments[1].toInt(), Arguments[2].toInt(), QSize(Arguments[3].toInt(), Arguments[4].toInt())});
        Window = &Bare->Window();
    } else {
        std::fputs("usage: ui_bench --first-paint configurator | bare SHOWN HIDDEN WIDTH HEIGHT\n", stderr);
        return 2;
    }
    vo_bench::Show_Until_Painted(*Window);
    std::printf("%ld %lld\n", vo_bench::Peak_Memory_KiB(), vo_bench::Cpu_Time_Ns());
    std::fflush(stdout);
    return 0;
}

struct Dialog_Opener {
    const char* Name;
    QWidget* (*Open)(vo::TFVorlentFirmWare& Window);
};

// Each dialog as the main window makes it when it is first needed.
constexpr Dialog_Opener Dialogs[] = {
    {"TFAbout",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.About_Box();
     }},
    {"TFNew_Project",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.New_Project_Dialog();
     }},
    {"TFOpenConf",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.Open_Dialog();
     }},
    {"TFSoftOptions",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.Options_Dialog();
     }},
    {"TFParGen",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.Par_Gen_Dialog();
     }},
    {"TFBoot",
     [](vo::TFVorlentFirmWare& Window) -> QWidget* {
         return Window.Update_Dialog();
     }},
};

// The child: starts the configurator and paints its main window, then makes, shows and paints
// the dialog named, or a bare window of the given shape, and prints how long that took in ns.
int First_Opening(int argc, char** argv) {
    QApplication App(argc, argv);
    const QStringList Arguments = QCoreApplication::arguments().mid(2);
    vo_bench::Started_Configurator Started;
    vo_bench::Show_Until_Painted(Started.Window());
    const Clock::time_point Start = Clock::now();
    const long long Cpu_Start = vo_bench::Cpu_Time_Ns();
    std::unique_ptr<vo_bench::Bare_Window> Bare;
    QWidget* Opened = nullptr;
    for (const Dialog_Opener& Dialog : Dialogs) {
        if (Arguments.size() == 1 && Arguments[0] == QLatin1String(Dialog.Name))
            Opened = Dialog.Open(Started.Main_Window());
    }
    if (Arguments.size() == 4 && Arguments[0] == QStringLiteral("bare")) {
        Bare = std::make_unique<vo_bench::Bare_Window>(vo_bench::Window_Shape{
            Arguments[1].toInt(), 0, QSize(Arguments[2].toInt(), Arguments[3].toInt())});
        Opened = &Bare->Window();
    }
    if (!Opened) {
        std::fputs("usage: ui_bench --first-opening DIALOG | bare WIDGETS WIDTH HEIGHT\n", stderr);
        return 2;
    }
    vo_bench::Show_Until_Painted(*Opened);
    const auto Took = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - Start);
    std::printf("%lld %lld\n", static_cast<long long>(Took.count()), vo_bench::Cpu_Time_Ns() - Cpu_Start);
    std::fflush(stdout);
    return 0;
}

// The shape of a dialog once made: its widgets (itself included) and its size.
vo_bench::Window_Shape Dialog_Shape(const Dialog_Opener& Dialog) {
    vo_bench::Started_Configurator Started;
    QWidget* Made = Dialog.Open(Started.Main_Window());
    return {static_cast<int>(Made->findChildren<QWidget*>().size()) + 1, 0, Made->size()};
}

void First_Opening_Program(benchmark::State& State, QStringList Arguments) {
    Arguments.prepend(QStringLiteral("--first-opening"));
    double Cpu_Ms = 0;
    for (auto _ : State) {
        QProcess Child;
        Child.start(QCoreApplication::applicationFilePath(), Arguments);
        while (!Child.canReadLine() && Child.waitForReadyRead(20000)) {
        }
        if (!Child.canReadLine()) {
            State.SkipWithError("the child did not paint the dialog");
            break;
        }
        const QList<QByteArray> Figures = Child.readLine().trimmed().split(' ');
        State.SetIterationTime(Figures.value(0).toDouble() / 1e9);
        Cpu_Ms += Figures.value(1).toDouble() / 1e6;
        Child.waitForFinished();
    }
    State.counters["Cpu_ms"] = Cpu_Ms / double(std::max<benchmark::IterationCount>(State.iterations(), 1));
}

QStringList Child_Arguments(const vo_bench::Window_Shape* Bare) {
    if (!Bare)
        return {QStringLiteral("--first-paint"), QStringLiteral("configurator")};
    return {QStringLiteral("--first-paint"),     QStringLiteral("bare"),
            QString::number(Bare->Shown),        QString::number(Bare->Hidden),
            QString::number(Bare->Size.width()), QString::number(Bare->Size.height())};
}

void Start_Up_Program(benchmark::State& State, QStringList Arguments) {
    long Peak_KiB = 0;
    double Cpu_Ms = 0;
    for (auto _ : State) {
        QProcess Child;
        const Clock::time_point Start = Clock::now();
        Child.start(QCoreApplication::applicationFilePath(), Arguments);
        while (!Child.canReadLine() && Child.waitForReadyRead(20000)) {
        }
        const Clock::time_point Painted = Clock::now();
        if (!Child.canReadLine()) {
            State.SkipWithError("the child did not paint its window");
            break;
        }
        State.SetIterationTime(std::chrono::duration<double>(Painted - Start).count());
        const QList<QByteArray> Figures = Child.readLine().trimmed().split(' ');
        Peak_KiB = Figures.value(0).toLong();
        Cpu_Ms += Figures.value(1).toDouble() / 1e6;
        Child.waitForFinished();
    }
    State.counters["Peak_KiB"] = static_cast<double>(Peak_KiB);
    State.counters["Cpu_ms"] = Cpu_Ms / double(std::max<benchmark::IterationCount>(State.iterations(), 1));
}

// Make gives a window started afresh: its making, showing and first paint are timed.
template <typename Make> void Start_Up_In_Process(benchmark::State& State, Make Make_Window) {
    for (auto _ : State) {
        const Clock::time_point Start = Clock::now();
        const auto Made = Make_Window();
        vo_bench::Show_Until_Painted(Made->Window());
        State.SetIterationTime(std::chrono::duration<double>(Clock::now() - Start).count());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--first-paint") == 0)
        return First_Paint(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--first-opening") == 0)
        return First_Opening(argc, argv);
    QApplication App(argc, argv);
    const vo_bench::Window_Shape Shape = vo_bench::Configurator_Shape();
    benchmark::AddCustomContext("configurator_widgets", std::to_string(Shape.Shown) + " shown, " +
                                                            std::to_string(Shape.Hidden) + " hidden");
    const auto Whole_Program = [](benchmark::State& State, const QStringList& Arguments) {
        Start_Up_Program(State, Arguments);
    };
    for (benchmark::internal::Benchmark* Bench : {
             benchmark::RegisterBenchmark("Start_Up_Program/configurator", Whole_Program,
                                          Child_Arguments(nullptr)),
             benchmark::RegisterBenchmark("Start_Up_Program/bare_window", Whole_Program,
                                          Child_Arguments(&Shape)),
             benchmark::RegisterBenchmark("Start_Up_In_Process/configurator",
                                          [](benchmark::State& State) {
                                              Start_Up_In_Process(State, [] {
                                                  return std::make_unique<vo_bench::Started_Configurator>();
                                              });
                                          }),
             benchmark::RegisterBenchmark("Start_Up_In_Process/bare_window",
                                          [&Shape](benchmark::State& State) {
                                              Start_Up_In_Process(State, [&Shape] {
                                                  return std::make_unique<vo_bench::Bare_Window>(Shape);
                                              });
                                          }),
         })
        Bench->UseManualTime()->Unit(benchmark::kMillisecond);
    for (const Dialog_Opener& Dialog : Dialogs) {
        const vo_bench::Window_Shape Made = Dialog_Shape(Dialog);
        const QStringList Bare{QStringLiteral("bare"), QString::number(Made.Shown),
                               QString::number(Made.Size.width()), QString::number(Made.Size.height())};
        for (const auto& [Name, Arguments] :
             {std::pair{std::string("First_Opening/") + Dialog.Name, QStringList{QLatin1String(Dialog.Name)}},
              std::pair{std::string("First_Opening/") + Dialog.Name + "_bare", Bare}})
            benchmark::RegisterBenchmark(
                Name.c_str(),
                [Arguments](benchmark::State& State) { First_Opening_Program(State, Arguments); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(10);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
