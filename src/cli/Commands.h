#pragma once

#include "Cli_Context.h"

#include <QCoreApplication>
#include <memory>

namespace vo {

// One entry per command of vo40913-cli.
struct Cli_Command {
    const char* Name;
    const char* Usage;
    const char* Summary;
    int (*Run)(Cli_Context& Context);
};

// All commands, in the order --help lists them.
const Cli_Command* Find_Command(const QString& Name);
QList<const Cli_Command*> All_Commands();

// The application object of a run: the report lays out text, which needs Qt Gui; every other
// command runs on Qt Core alone.
std::unique_ptr<QCoreApplication> Make_Cli_Application(int& argc, char** argv);

} // namespace vo
