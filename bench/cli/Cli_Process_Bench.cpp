// The command line as whole processes, each beside its floor: `--version` against a Qt Core
// program that prints one line, `build P` against the same program making the same two atomic
// writes. Both run from a folder laid out as an installation (the program, its LANGUAGE folder,
// PROJECTS/P with the test fixture's ParGen.xml). The figure is the CPU time of the child from
// its start to its end (user and system, as wait4 reports it); its wall time is a counter.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool Copy_Tree(const QString& From, const QString& To) {
    const QDir Source(From);
    if (!QDir().mkpath(To))
        return false;
    for (const QFileInfo& Entry : Source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString Target = QDir(To).filePath(Entry.fileName());
        if (Entry.isDir() ? !Copy_Tree(Entry.filePath(), Target) : !QFile::copy(Entry.filePath(), Target))
            return false;
    }
    return true;
}

// An installation of the command line and the floor program with one configuration, P.
struct Installation {
    QTemporaryDir Dir;
    QString Cli = Dir.filePath(QStringLiteral("vo40913-cli"));
    QString Bare = Dir.filePath(QStringLiteral("bare_cli"));
    QString Bin = Dir.filePath(QStringLiteral("PROJECTS/P/bin"));
    bool Ready = false;

    Installation() {
        const QDir Built(QCoreApplication::applicationDirPath());
        Ready =
            QFile::copy(Built.filePath(QStringLiteral("vo40913-cli")), Cli) &&
            QFile::copy(Built.filePath(QStringLiteral("bare_cli")), Bare) &&
            Copy_Tree(Built.filePath(QStringLiteral("LANGUAGE")), Dir.filePath(QStringLiteral("LANGUAGE"))) &&
            QDir().mkpath(Bin) &&
            QFile::copy(QStringLiteral(VO_TEST_DATA "/image/ParGen.xml"),
                        Dir.filePath(QStringLiteral("PROJECTS/P/ParGen.xml")));
    }
};

struct Child_Run {
    bool Ok = false;
    double Cpu_Seconds = 0;
    double Wall_Seconds = 0;
};

// Runs Program with Arguments, its output discarded, and waits for it.
Child_Run Run(const QString& Program, const QStringList& Arguments) {
    const QByteArray Path = QFile::encodeName(Program);
    std::vector<QByteArray> Encoded{Path};
    for (const QString& Argument : Arguments)
        Encoded.push_back(Argument.toLocal8Bit());
    std::vector<char*> Argv;
    for (QByteArray& Argument : Encoded)
        Argv.push_back(Argument.data());
    Argv.push_back(nullptr);

    const Clock::time_point Start = Clock::now();
    const pid_t Child = fork();
    if (Child == 0) {
        const int Null = ::open("/dev/null", O_WRONLY);
        dup2(Null, STDOUT_FILENO);
        dup2(Null, STDERR_FILENO);
        execv(Path.constData(), Argv.data());
        _exit(127);
    }
    Child_Run Result;
    if (Child < 0)
        return Result;
    int Status = 0;
    rusage Usage{};
    if (wait4(Child, &Status, 0, &Usage) != Child)
        return Result;
    Result.Wall_Seconds = std::chrono::duration<double>(Clock::now() - Start).count();
    const auto Seconds = [](const timeval& Time) {
        return double(Time.tv_sec) + double(Time.tv_usec) / 1e6;
    };
    Result.Cpu_Seconds = Seconds(Usage.ru_utime) + Seconds(Usage.ru_stime);
    Result.Ok = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
    return Result;
}

// Floor runs the floor program instead of the command line; "{bin}" in Arguments stands for the
// configuration's bin folder.
void Whole_Process(benchmark::State& State, bool Floor, QStringList Arguments) {
    static const Installation Installed;
    if (!Installed.Ready) {
        State.SkipWithError("the installation could not be laid out");
        return;
    }
    Arguments.replaceInStrings(QStringLiteral("{bin}"), Installed.Bin);
    double Wall = 0;
    for (auto _ : State) {
        const Child_Run Ran = Run(Floor ? Installed.Bare : Installed.Cli, Arguments);
        if (!Ran.Ok) {
            State.SkipWithError("the child failed");
            break;
        }
        State.SetIterationTime(Ran.Cpu_Seconds);
        Wall += Ran.Wall_Seconds;
    }
    State.counters["Wall_ms"] = Wall * 1e3 / double(State.iterations());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication App(argc, argv);
    const auto Add = [](const char* Name, bool Floor, const QStringList& Arguments) {
        benchmark::RegisterBenchmark(Name,
                                     [=](benchmark::State& State) { Whole_Process(State, Floor, Arguments); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(20);
    };
    Add("Cli_Process/version", false, {QStringLiteral("--version")});
    Add("Cli_Process/print_floor", true, {});
    Add("Cli_Process/build", false, {QStringLiteral("build"), QStringLiteral("P")});
    Add("Cli_Process/write_floor", true, {QStringLiteral("write"), QStringLiteral("{bin}")});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
