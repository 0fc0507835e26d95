#include "Report_Application.h"

#include <QGuiApplication>

namespace vo {

std::unique_ptr<QCoreApplication> Make_Report_Application(int& argc, char** argv) {
    // The report needs fonts, not a display: a machine without one must still print it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace vo
