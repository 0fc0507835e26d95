#include "Painted_Windows.h"

#include "shell/Startup.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <sys/resource.h>

namespace vo_bench {

namespace {

// Notes the first paint event of the watched window.
class Paint_Watch final : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint)
            Painted = true;
        return QObject::eventFilter(Watched, Event);
    }
};

} // namespace

Started_Configurator::Started_Configurator() {
    vo::Start_Up(State, QCoreApplication::applicationDirPath());
    Program = std::make_unique<vo::Configurator>(State);
}

Bare_Window::Bare_Window(const Window_Shape& Shape) {
    Shown.setFixedSize(Shape.Size);
    constexpr int Columns = 8;
    for (int Index = 1; Index < Shape.Shown; ++Index) {
        auto* Label = new QLabel(QStringLiteral("Label %1").arg(Index), &Shown);
        Label->setGeometry((Index % Columns) * 80, (Index / Columns) * 20, 76, 18);
    }
    for (int Index = 1; Index < Shape.Hidden; ++Index)
        new QLabel(QStringLiteral("Label %1").arg(Index), &Hidden);
}

Window_Shape Configurator_Shape() {
    const qsizetype Before = QApplication::allWidgets().size();
    Started_Configurator Started;
    QWidget& Window = Started.Window();
    Window_Shape Shape{1, 0, Window.size()};
    for (const QWidget* Child : Window.findChildren<QWidget*>())
        Shape.Shown += Child->isVisibleTo(&Window) ? 1 : 0;
    Shape.Hidden = static_cast<int>(QApplication::allWidgets().size() - Before) - Shape.Shown;
    return Shape;
}

void Show_Until_Painted(QWidget& Window) {
    Paint_Watch Watch;
    Window.installEventFilter(&Watch);
    Window.show();
    // The paint event comes first in the pass that paints every child and flushes the window;
    // that pass has ended when the call that delivered it returns.
    while (!Watch.Painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Window.removeEventFilter(&Watch);
}

long Peak_Memory_KiB() {
    QFile Status(QStringLiteral("/proc/self/status"));
    if (!Status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray Line = Status.readLine(); !Line.isEmpty(); Line = Status.readLine()) {
        if (Line.startsWith("VmHWM:"))
            return Line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

long long Cpu_Time_Ns() {
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    const auto Ns = [](const timeval& Time) {
        return Time.tv_sec * 1000000000LL + Time.tv_usec * 1000LL;
    };
    return Ns(Usage.ru_utime) + Ns(Usage.ru_stime);
}

} // namespace vo_bench
