#pragma once

#include <QCoreApplication>
#include <memory>

namespace vo {

// The application object of a program that lays out text without showing a window: a
// QGuiApplication on the offscreen platform unless another was asked for.
std::unique_ptr<QCoreApplication> Make_Report_Application(int& argc, char** argv);

} // namespace vo
