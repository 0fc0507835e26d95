#include "shell/Configurator.h"
#include "shell/Shared_State.h"
#include "shell/Startup.h"

#include <QApplication>
#include <cstdio>

namespace {

// Qt aborts with a terse line when no display can be reached; say how to get one instead.
bool Display_Reachable() {
    const QByteArray Platform = qgetenv("QT_QPA_PLATFORM");
    if (!Platform.isEmpty() && Platform != "xcb" && Platform != "wayland")
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    if (!Display_Reachable()) {
        std::fputs("vo40913-configurator: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "Start it inside a desktop session, or on a machine without a screen through a virtual\n"
                   "display:  xvfb-run -a build/bin/vo40913-configurator   (Debian package xvfb)\n",
                   stderr);
        return 1;
    }
    QApplication App(argc, argv);
    vo::Shared_State State;
    vo::Start_Up(State, QCoreApplication::applicationDirPath());
    vo::Configurator Program(State);
    Program.Main_Window().show();
    return QApplication::exec();
}
