#include "Link_Test_Window.h"

#include "TFLinkTest.h"

namespace vo {

bool Link_Test_Available() {
    return true;
}

QDialog* Make_Link_Test_Window(Shared_State& State, const Services& Svc, QWidget* Parent) {
    return new TFLinkTest(State, Svc, Parent);
}

} // namespace vo
