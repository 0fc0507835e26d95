#pragma once

class QDialog;
class QWidget;

namespace vo {

struct Shared_State;
struct Services;

// Whether this build has the link test: it drives serial ports with Qt SerialPort, which a build
// may lack.
bool Link_Test_Available();

// The link test window, or null in a build without it.
QDialog* Make_Link_Test_Window(Shared_State& State, const Services& Svc, QWidget* Parent);

} // namespace vo
