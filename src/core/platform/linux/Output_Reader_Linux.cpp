#include "Output_Reader_Linux.h"

#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace vo {

namespace {

void Write_Whole(int Fd, const char* Bytes, std::size_t Count) {
    while (Count > 0) {
        const ssize_t Written = write(Fd, Bytes, Count);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            return;
        Bytes += Written;
        Count -= static_cast<std::size_t>(Written);
    }
}

void Read_To_End(Output_Pipes Pipes, bool Echo, const std::shared_ptr<Output_Tail>& Tail) {
    pollfd Ends[2] = {{Pipes.Output_Read, POLLIN, 0}, {Pipes.Error_Read, POLLIN, 0}};
    const int Own[2] = {1, 2};
    char Buffer[4096];
    while (Ends[0].fd >= 0 || Ends[1].fd >= 0) {
        if (poll(Ends, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int I = 0; I < 2; ++I) {
            if (Ends[I].fd < 0 || Ends[I].revents == 0)
                continue;
            const ssize_t Count = read(Ends[I].fd, Buffer, sizeof Buffer);
            if (Count < 0 && errno == EINTR)
                continue;
            if (Count <= 0) {
                close(Ends[I].fd);
                Ends[I].fd = -1;
                continue;
            }
            Tail->Add(Buffer, static_cast<std::size_t>(Count));
            if (Echo)
                Write_Whole(Own[I], Buffer, static_cast<std::size_t>(Count));
        }
    }
    for (const pollfd& End : Ends)
        if (End.fd >= 0)
            close(End.fd);
    Tail->Close();
}

} // namespace

void Start_Output_Reader(Output_Pipes Pipes, bool Echo, std::shared_ptr<Output_Tail> Tail) {
    std::thread([Pipes, Echo, Tail = std::move(Tail)] { Read_To_End(Pipes, Echo, Tail); }).detach();
}

} // namespace vo
