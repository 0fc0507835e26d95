// Start-up of the configurator to its first painted main window, against a bare Qt window that
// makes and paints as many widgets: once as a whole program (a child process, timed from its
// start to the line it prints after the first paint, with its peak memory then), once inside this
// process (the windows alone, Qt already running).
#include "Painted_Windows.h"

#include <QApplication>
#include <QProcess>
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
    std::printf("%ld\n", vo_bench::Peak_Memory_KiB());
    std::fflush(stdout);
    return 0;
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
        Peak_KiB = Child.readLine().trimmed().toLong();
        Child.waitForFinished();
    }
    State.counters["Peak_KiB"] = static_cast<double>(Peak_KiB);
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
