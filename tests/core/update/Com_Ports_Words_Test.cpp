#include "Qt_Print.h"
#include "lang/String_Table.h"
#include "shell/Shared_State.h"
#include "update/Com_Ports.h"

#include <gtest/gtest.h>

namespace {

using vo::Port_Details;
using vo::Port_Status;
using Kind = Port_Details::Kind;
using State = Port_Status::State;

vo::Shared_State English() {
    vo::Shared_State S;
    vo::Load_Default_Strings(S.Lang_Strings);
    return S;
}

} // namespace

TEST(Com_Port_Words, Details_As_A_Technician_Reads_Them) {
    const vo::Shared_State S = English();
    const std::pair<Port_Details, const char*> Cases[] = {
        {{Kind::Usb, "FTDI", "FT232R USB UART", "A50285BI", "0403", "6001", "/dev/serial/by-id/x"},
         "FTDI FT232R USB UART, serial number A50285BI"},
        {{Kind::Usb, "", "CP2102", "", "10c4", "ea60", ""}, "CP2102"},
        {{Kind::Usb, "", "", "", "2341", "0043", ""}, "USB adapter 2341:0043"},
        {{Kind::Usb, "", "", "7", "", "", ""}, "USB adapter, serial number 7"},
        {{Kind::Built_In}, "built-in serial port"},
        {{}, ""},
    };
    for (const auto& [Details, Words] : Cases) {
        EXPECT_EQ(vo::Port_Details_Words(Details, S), QString::fromUtf8(Words));
        EXPECT_EQ(vo::Port_Details_From_Json(vo::Port_Details_Json(Details)), Details) << Words;
    }
}

TEST(Com_Port_Words, States_Say_Why_A_Port_Cannot_Be_Used) {
    const vo::Shared_State S = English();
    const std::pair<Port_Status, const char*> Cases[] = {
        {{State::Free}, "free"},
        {{State::Busy}, "busy"},
        {{State::Busy, "minicom", 4242, ""}, "busy: held by minicom (process 4242)"},
        {{State::Not_Permitted}, "not permitted"},
        {{State::Not_Permitted, "", 0, "dialout"},
         "not permitted: the user must be in the group \"dialout\" (as root: adduser USERNAME dialout, then "
         "log in "
         "again)"},
        {{State::Gone}, "gone"},
    };
    for (const auto& [Status, Words] : Cases)
        EXPECT_EQ(vo::Port_State_Words(Status, S), QString::fromUtf8(Words));
}
