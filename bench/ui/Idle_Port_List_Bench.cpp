// The CPU time the update dialog spends while it is open and nobody touches it, with its port list
// following the system's notifications, against the same dialog with no notifications at all.
#include "Messages.h"
#include "Painted_Windows.h"
#include "Services.h"
#include "Url_Opener.h"
#include "platform/Curl_Http_Client.h"
#include "platform/Echo_Probe.h"
#include "platform/Port_Probe.h"
#include "platform/Process_Runner.h"
#include "shell/Startup.h"
#include "update/TFBoot.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int Idle_Ms = 10000;

// This system's ports, without their notifications: the floor.
class Unwatched_Ports final : public vo::Port_Probe {
public:
    std::vector<std::string> Present_Ports() const override { return Real->Present_Ports(); }
    std::vector<vo::Port_Info> Describe_Ports() const override { return Real->Describe_Ports(); }
    vo::Port_Status Status_Of(const std::string& Name) const override { return Real->Status_Of(Name); }
    std::unique_ptr<vo::Port_Watch> Watch() const override { return nullptr; }

private:
    std::unique_ptr<vo::Port_Probe> Real = vo::Make_Port_Probe();
};

void Idle_Update_Dialog(benchmark::State& Bench, bool Live) {
    QTemporaryDir Dir;
    vo::Shared_State State;
    vo::Start_Up(State, Dir.path());
    vo::Box_Messages Msgs{State.Main_Caption};
    vo::Desktop_Url_Opener Urls;
    vo::Curl_Http_Client Http;
    const std::unique_ptr<vo::Echo_Probe> Echo = vo::Make_Echo_Probe();
    const std::unique_ptr<vo::Port_Probe> Ports =
        Live ? vo::Make_Port_Probe() : std::unique_ptr<vo::Port_Probe>(std::make_unique<Unwatched_Ports>());
    const std::unique_ptr<vo::Process_Runner> Runner = vo::Make_Process_Runner();
    const vo::Services Svc{Msgs, Urls, Http, *Echo, *Ports, *Runner};
    vo::TFBoot Dialog(State, Svc, nullptr);
    Dialog.Form_Type = vo::Form_Serial;
    vo_bench::Show_Until_Painted(Dialog);
    for (auto _ : Bench) {
        const long long Before = vo_bench::Cpu_Time_Ns();
        QEventLoop Idle;
        QTimer::singleShot(Idle_Ms, &Idle, &QEventLoop::quit);
        Idle.exec();
        Bench.SetIterationTime(static_cast<double>(vo_bench::Cpu_Time_Ns() - Before) / 1e9);
    }
    Dialog.hide();
}

BENCHMARK_CAPTURE(Idle_Update_Dialog, live_list, true)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Idle_Update_Dialog, no_notifications, false)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
