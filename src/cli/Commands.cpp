#include "Commands.h"

namespace vo {

int Run_Lang(Cli_Context& Context);
int Run_Check_Version(Cli_Context& Context);
int Run_New(Cli_Context& Context);
int Run_Show(Cli_Context& Context);
int Run_Set(Cli_Context& Context);
int Run_Set_Info(Cli_Context& Context);
int Run_Check(Cli_Context& Context);
int Run_Build(Cli_Context& Context);
int Run_Inspect(Cli_Context& Context);
int Run_Ports(Cli_Context& Context);
int Run_Update(Cli_Context& Context);
int Run_History(Cli_Context& Context);
int Run_Diff(Cli_Context& Context);
int Run_Restore(Cli_Context& Context);
int Run_Report(Cli_Context& Context);
int Run_Linktest(Cli_Context& Context);

namespace {

const Cli_Command Command_Table[] = {
    {"lang", "lang FILE.lng", "check a language file (entries to stdout, ignored lines to stderr)", Run_Lang},
    {"check-version", "check-version [--server URL]",
     "ask the maker's web server, or URL (scheme://host[:port]), for a newer version", Run_Check_Version},
    {"new", "new [--] NAME",
     "create a configuration under PROJECTS (a NAME that begins with \"-\" after \"--\")", Run_New},
    {"show", "show [--json] CONFIG",
     "print the parameters (CONFIG: a name under PROJECTS, or a path with \"/\")", Run_Show},
    {"set", "set CONFIG Element=value ...", "change parameters; saved only when the checks pass", Run_Set},
    {"set-info", "set-info CONFIG key=value ...",
     "change the commissioning data the report prints; keys: customer, site, plant_tag, serial_number, "
     "technician, notes",
     Run_Set_Info},
    {"check", "check [--json] CONFIG", "run the checks on the parameters: \"OK\" or the failing message",
     Run_Check},
    {"build", "build CONFIG", "compile ParGen.xml into bin/bank.bin and bin/bankK.bin, as an update does",
     Run_Build},
    {"inspect", "inspect [--json] FILE", "show the fields of a bankK.bin or bank.bin (told apart by size)",
     Run_Inspect},
    {"ports", "ports [--json] [--watch] [--root DIR]",
     "list the serial ports the update dialog offers with their state, details and stable name; "
     "--watch follows them as they come and go; --root reads DIR/dev and DIR/sys",
     Run_Ports},
    {"update",
     "update CONFIG (--port DEVICE | --ip A.B.C.D) [--option 0|1|2] [--no-read-back] [--wait-limit SECONDS] "
     "[--force-port]",
     "build and check the images and run the updater as the update dialog does, waiting up to 150 s or "
     "SECONDS; option 0 firmware + configuration, 1 firmware, 2 configuration; --force-port starts it on a "
     "busy port",
     Run_Update},
    {"history", "history [--json] CONFIG",
     "list the update attempts, restores and link tests of a configuration, with checksums and the state of "
     "each snapshot",
     Run_History},
    {"diff", "diff [--json] A B",
     "compare field by field two parameter sets (CONFIG, CONFIG@RECORD, a ParGen.xml) or two image files "
     "(*.bin)",
     Run_Diff},
    {"restore", "restore CONFIG RECORD",
     "make the ParGen.xml of RECORD's snapshot the current one; the replaced files are kept as a new record",
     Run_Restore},
    {"report", "report CONFIG -o FILE.pdf", "write the commissioning report of a configuration as a PDF",
     Run_Report},
    {"linktest",
     "linktest CONFIG --port DEV [--loop-port DEV2 | --listen [--side rtu|ascii]] [--slave N] [--function F] "
     "[--start A] [--count C] [--polls N] [--timeout MS] [--interval MS] [--seconds S] [--json] "
     "[--force-port]",
     "test the line through the converter with the configuration's settings: poll slave N (default 1) with "
     "function F (1-6, 15, 16; default 3) from A (0), C values (10), N times (10; 0 until Ctrl+C); "
     "--loop-port "
     "also answers as the field device on the converter's master side; --listen decodes without sending, "
     "until Ctrl+C or --seconds; exit 0 only when the link passes; the run is kept in the history",
     Run_Linktest},
};

} // namespace

QList<const Cli_Command*> All_Commands() {
    QList<const Cli_Command*> List;
    for (const Cli_Command& Command : Command_Table)
        List.append(&Command);
    return List;
}

const Cli_Command* Find_Command(const QString& Name) {
    for (const Cli_Command* Command : All_Commands()) {
        if (Name == QLatin1String(Command->Name))
            return Command;
    }
    return nullptr;
}

} // namespace vo
