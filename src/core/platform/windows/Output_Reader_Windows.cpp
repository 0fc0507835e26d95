#include "Output_Reader_Windows.h"

#include <atomic>
#include <thread>
#include <windows.h>

namespace vo {

namespace {

void Write_Whole(HANDLE Own, const char* Bytes, DWORD Count) {
    DWORD Written = 0;
    while (Own != nullptr && Own != INVALID_HANDLE_VALUE && Count > 0 &&
           WriteFile(Own, Bytes, Count, &Written, nullptr) && Written > 0) {
        Bytes += Written;
        Count -= Written;
    }
}

} // namespace

void Start_Output_Reader(Output_Pipes Pipes, bool Echo, std::shared_ptr<Output_Tail> Tail) {
    // The tail is closed when the second of the two pipes has ended.
    auto Open_Pipes = std::make_shared<std::atomic<int>>(2);
    const auto Read = [Echo, Tail, Open_Pipes](HANDLE Pipe, DWORD Own_Id) {
        char Buffer[4096];
        DWORD Count = 0;
        while (ReadFile(Pipe, Buffer, sizeof Buffer, &Count, nullptr) && Count > 0) {
            Tail->Add(Buffer, Count);
            if (Echo)
                Write_Whole(GetStdHandle(Own_Id), Buffer, Count);
        }
        CloseHandle(Pipe);
        if (--*Open_Pipes == 0)
            Tail->Close();
    };
    std::thread(Read, static_cast<HANDLE>(Pipes.Output_Read), STD_OUTPUT_HANDLE).detach();
    std::thread(Read, static_cast<HANDLE>(Pipes.Error_Read), STD_ERROR_HANDLE).detach();
}

} // namespace vo
