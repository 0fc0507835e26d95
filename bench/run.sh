#!/bin/sh
# Builds the bench preset, runs every benchmark with its floor in the same run, and prints each
# figure beside its floor: the median of BENCH_REPETITIONS runs (default 5). Arguments go to every
# benchmark program (--benchmark_filter=...). The windows paint on the offscreen platform unless
# QT_QPA_PLATFORM says otherwise (xvfb-run -a bench/run.sh with QT_QPA_PLATFORM=xcb).
# A figure counts only when taken on a quiet machine: after the build the script waits up to
# BENCH_SETTLE_SECONDS (default 300) for the load average of the last minute to fall to 1.5 or
# below, and refuses to run on a busier machine. BENCH_LOOK=1 runs anyway, for a look: its table
# says that its figures are not for BENCHMARKS.md.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
OUT=build-bench/results
mkdir -p "$OUT"
# The load average of the last minute, and whether it is at most 1.5.
load() { cut -d' ' -f1 /proc/loadavg; }
quiet() { awk -v Load="$(load)" 'BEGIN { exit !(Load <= 1.5) }'; }
Waited=0
while ! quiet && [ "$Waited" -lt "${BENCH_SETTLE_SECONDS:-300}" ]; do
    echo "Waiting for the machine to settle: load average $(load) over the last minute"
    sleep 10
    Waited=$((Waited + 10))
done
Look=""
if ! quiet; then
    if [ "${BENCH_LOOK:-0}" != 1 ]; then
        echo "bench/run.sh: the load average is $(load), above 1.5: figures taken now are not figures;" \
            "stop what runs, or set BENCH_LOOK=1 for a look that is not for BENCHMARKS.md" >&2
        exit 1
    fi
    Look="A LOOK AT A LOADED MACHINE (load $(load) before the run): NOT FIGURES FOR BENCHMARKS.md"
    echo "$Look"
fi
echo "Machine load before the run: $(uptime)"
for BENCH in core_bench cli_bench ui_bench; do
    echo "Running $BENCH (${BENCH_REPETITIONS:-5} repetitions; console output in $OUT/$BENCH.txt)"
    "build-bench/bin/$BENCH" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
        --benchmark_report_aggregates_only=true --benchmark_out_format=json \
        --benchmark_out="$OUT/$BENCH.json" "$@" >"$OUT/$BENCH.txt" 2>&1
done
echo

# Google Benchmark writes one key per line; the medians are kept by run name. A time figure also
# shows its second reading in brackets: the CPU time where the first is on the clock (the child's
# own, or this process's), the time on the clock where the first is CPU time.
awk '
function ns(Value, Unit) {
    return Value * (Unit == "s" ? 1e9 : Unit == "ms" ? 1e6 : Unit == "us" ? 1e3 : 1)
}
function value(Line) {
    sub(/^[^:]*: */, "", Line); sub(/,$/, "", Line); gsub(/"/, "", Line)
    return Line
}
function shown(Kind, Value) {
    if (Kind == "memory") return sprintf("%.1f MiB", Value / 1024)
    if (Value >= 1e6) return sprintf("%.2f ms", Value / 1e6)
    if (Value >= 1e3) return sprintf("%.2f us", Value / 1e3)
    return sprintf("%.0f ns", Value)
}
function second(Run) {
    if (Cpu[Run] != "") return "CPU " shown("time", Cpu[Run] * 1e6)
    if (Wall[Run] != "") return "wall " shown("time", Wall[Run] * 1e6)
    return "CPU " shown("time", Cpu_Time[Run])
}
function second_value(Run) {
    return Cpu[Run] != "" ? Cpu[Run] * 1e6 : Wall[Run] != "" ? Wall[Run] * 1e6 : Cpu_Time[Run]
}
function row(Figure, Run, Floor_Name, Floor_Run, Kind,    Measured, Floor, Cell, Floor_Cell, Ratio) {
    Measured = Kind == "memory" ? Peak[Run] : Time[Run]
    Floor = Kind == "memory" ? Peak[Floor_Run] : Time[Floor_Run]
    if (Measured == "" || Floor == "" || Floor == 0) {
        printf "| %s | not measured | %s | | |\n", Figure, Floor_Name
        return
    }
    Cell = shown(Kind, Measured)
    Floor_Cell = shown(Kind, Floor)
    Ratio = sprintf("%.2f", Measured / Floor)
    if (Kind == "time" && second_value(Floor_Run) > 0) {
        Cell = Cell " (" second(Run) ")"
        Floor_Cell = Floor_Cell " (" second(Floor_Run) ")"
        Ratio = Ratio sprintf(" (%.2f)", second_value(Run) / second_value(Floor_Run))
    }
    printf "| %s | %s | %s | %s | %s |\n", Figure, Cell, Floor_Name, Floor_Cell, Ratio
}
/"run_name":/ { Run = value($0) }
/"aggregate_name":/ { Aggregate = value($0) }
/"real_time":/ { Real = value($0) }
/"cpu_time":/ { Cpu_Real = value($0) }
/"time_unit":/ { Unit = value($0) }
/"Peak_KiB":/ { Memory = value($0) }
/"Cpu_ms":/ { Cpu_Ms = value($0) }
/"Wall_ms":/ { Wall_Ms = value($0) }
/"label":/ { Label = value($0) }
/^ *}/ {
    if (Aggregate == "median") {
        Time[Run] = ns(Real, Unit)
        Cpu_Time[Run] = ns(Cpu_Real, Unit)
        Peak[Run] = Memory
        Cpu[Run] = Cpu_Ms
        Wall[Run] = Wall_Ms
        Labels[Run] = Label
    }
    Run = Aggregate = Real = Cpu_Real = Unit = Memory = Cpu_Ms = Wall_Ms = Label = ""
}
END {
    print "| figure | measured | floor | floor measured | ratio |"
    print "|---|---|---|---|---|"
    row("start-up to the first painted main window (whole program)", "Start_Up_Program/configurator/manual_time",
        "bare Qt window, as many widgets", "Start_Up_Program/bare_window/manual_time", "time")
    row("start-up to the first painted main window (windows only, Qt running)",
        "Start_Up_In_Process/configurator/manual_time", "bare Qt window, as many widgets",
        "Start_Up_In_Process/bare_window/manual_time", "time")
    row("peak memory after the first paint (VmHWM)", "Start_Up_Program/configurator/manual_time",
        "bare Qt window, as many widgets", "Start_Up_Program/bare_window/manual_time", "memory")
    row("image build and save (bank.bin, bankK.bin)", "Build_And_Save", "parse ParGen.xml, write the same sizes",
        "Parse_And_Write_Floor", "time")
    row("address check on 127.0.0.1 (until two replies, " Labels["Address_Check_Loopback/real_time"] ")",
        "Address_Check_Loopback/real_time", "one bare ICMP round trip", "Icmp_Round_Trip_Floor/real_time", "time")
    row("language file load (1200 entries)", "Load_Language_File", "read and decode the same file into lines",
        "Read_And_Decode_Floor", "time")
    row("parameters: load, check, save ParGen.xml", "Load_Check_Save", "parse the file, write the same bytes",
        "Parse_And_Write_Par_Gen_Floor", "time")
    row("`vo40913-cli --version`, whole process, CPU", "Cli_Process/version/iterations:20/manual_time",
        "a `QCoreApplication` that prints one line", "Cli_Process/print_floor/iterations:20/manual_time", "time")
    row("`vo40913-cli build P`, whole process, CPU", "Cli_Process/build/iterations:20/manual_time",
        "the same with the two atomic writes", "Cli_Process/write_floor/iterations:20/manual_time", "time")
    row("CPU of the update dialog open and idle for 10 s, port list following the system",
        "Idle_Update_Dialog/live_list/iterations:1/manual_time", "the same dialog without notifications",
        "Idle_Update_Dialog/no_notifications/iterations:1/manual_time", "time")
    Dialogs = "TFAbout TFNew_Project TFOpenConf TFSoftOptions TFParGen TFBoot"
    Count = split(Dialogs, Dialog, " ")
    for (Index = 1; Index <= Count; ++Index)
        row("first opening of " Dialog[Index] " after start-up (goal: under 50 ms)",
            "First_Opening/" Dialog[Index] "/iterations:10/manual_time", "bare window as large, as many widgets",
            "First_Opening/" Dialog[Index] "_bare/iterations:10/manual_time", "time")
}' "$OUT/core_bench.json" "$OUT/cli_bench.json" "$OUT/ui_bench.json"
echo
echo "Machine load after the run: $(uptime)"
[ -z "$Look" ] || echo "$Look"
