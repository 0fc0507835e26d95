#include "Link_Test_Window.h"

namespace vo {

// This build was made with a Qt without its SerialPort module.
bool Link_Test_Available() {
    return false;
}

QDialog* Make_Link_Test_Window(Shared_State&, const Services&, QWidget*) {
    return nullptr;
}

} // namespace vo
