// Opening the history window over a long history: the time from its creation to its first paint, and
// the memory it holds above the same window over an empty history, measured in one process.
#include "History_Lines.h"
#include "Messages.h"
#include "Painted_Windows.h"
#include "Services.h"
#include "Url_Opener.h"
#include "history/History_File.h"
#include "history/TFHistory.h"
#include "params/Par_Gen_File.h"
#include "platform/Curl_Http_Client.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Process_Runner.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

// The memory the process holds now, in KiB.
long Resident_KiB() {
    QFile Status(QStringLiteral("/proc/self/statm"));
    if (!Status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> Fields = Status.readAll().split(' ');
    return Fields.value(1).toLong() * 4;
}

// A program folder with the configuration "Plant" and Records records in its history, written
// before anything is measured.
struct Prepared {
    explicit Prepared(int Records) {
        vo::Start_Up(State, Dir.path());
        State.Project_Name = QStringLiteral("Plant");
        State.Project_Path = State.Projects_Dir + QStringLiteral("/Plant");
        QDir().mkpath(vo::History_Folder(State.Project_Path));
        vo::Set_Files(State);
        (void)vo::Save_Par_Gen(vo::Default_Par_Gen(0), State.ParGen_File);
        QFile File(vo::History_File_Path(State.Project_Path));
        if (Records > 0 && File.open(QIODevice::WriteOnly))
            for (int I = 0; I < Records; ++I)
                File.write(vo_test::Fake_Record_Line(I));
    }

    QTemporaryDir Dir;
    vo::Shared_State State;
};

// Opens and paints the window over a prepared configuration, then closes it; its memory is taken
// while it is shown.
long Open_Once(Prepared& Config, double& Seconds) {
    vo::Box_Messages Msgs{Config.State.Main_Caption};
    vo::Desktop_Url_Opener Urls;
    vo::Curl_Http_Client Http;
    const std::unique_ptr<vo::Echo_Probe> Echo = vo::Make_Echo_Probe();
    const std::unique_ptr<vo::Port_Probe> Ports = vo::Make_Port_Probe();
    const std::unique_ptr<vo::Process_Runner> Runner = vo::Make_Process_Runner();
    const vo::Services Svc{Msgs, Urls, Http, *Echo, *Ports, *Runner};
    const auto Start = std::chrono::steady_clock::now();
    vo::TFHistory Window(Config.State, Svc, nullptr);
    vo_bench::Show_Until_Painted(Window);
    Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    const long Held = Resident_KiB();
    Window.hide();
    return Held;
}

void History_Window_Opening(benchmark::State& Bench, int Records) {
    Prepared Empty(0);
    Prepared Long(Records);
    double Seconds = 0;
    Open_Once(Empty, Seconds); // the window's own first-time costs stay out of both figures
    const long Empty_KiB = Open_Once(Empty, Seconds);
    long Held_KiB = 0;
    for (auto _ : Bench) {
        Held_KiB = Open_Once(Long, Seconds);
        Bench.SetIterationTime(Seconds);
    }
    Bench.counters["Above_Empty_KiB"] = static_cast<double>(Held_KiB - Empty_KiB);
}

BENCHMARK_CAPTURE(History_Window_Opening, empty, 0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(History_Window_Opening, records_20000, 20000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(History_Window_Opening, records_100000, 100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
