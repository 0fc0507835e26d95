#pragma once

#include "shell/Configurator.h"
#include "shell/Shared_State.h"

#include <QWidget>
#include <memory>

namespace vo_bench {

// What a window start-up makes: the widgets shown with its window (the window included), the
// rest, made hidden, and the window's size.
struct Window_Shape {
    int Shown = 0;
    int Hidden = 0;
    QSize Size;
};

// The configurator started up as main starts it, from the folder of this executable.
class Started_Configurator {
public:
    Started_Configurator();
    QWidget& Window() { return Program->Main_Window(); }
    vo::TFVorlentFirmWare& Main_Window() { return Program->Main_Window(); }

private:
    vo::Shared_State State;
    std::unique_ptr<vo::Configurator> Program;
};

// The floor of a start-up: a bare Qt window of the same size holding plain labels, and a hidden
// one holding the rest, so that it makes and paints as many widgets.
class Bare_Window {
public:
    explicit Bare_Window(const Window_Shape& Shape);
    QWidget& Window() { return Shown; }

private:
    QWidget Shown;
    QWidget Hidden;
};

// What the configurator's start-up makes.
Window_Shape Configurator_Shape();

// Shows Window and returns once it has been painted whole for the first time.
void Show_Until_Painted(QWidget& Window);

// The peak resident memory of this process so far (VmHWM), in KiB; 0 when unknown.
long Peak_Memory_KiB();

// The CPU time this process has spent so far (user and system), in ns: on a machine shared with
// other work it is steadier than the time on the clock.
long long Cpu_Time_Ns();

} // namespace vo_bench
