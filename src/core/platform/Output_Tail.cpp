#include "Output_Tail.h"

namespace vo {

void Output_Tail::Add(const char* Bytes, std::size_t Count) {
    const std::lock_guard Lock(Guard);
    Kept.append(Bytes, Count);
    if (Kept.size() > Output_Tail_Limit)
        Kept.erase(0, Kept.size() - Output_Tail_Limit);
}

void Output_Tail::Close() {
    {
        const std::lock_guard Lock(Guard);
        Closed = true;
    }
    Closed_Signal.notify_all();
}

std::string Output_Tail::Text(std::chrono::milliseconds Wait) const {
    std::unique_lock Lock(Guard);
    Closed_Signal.wait_for(Lock, Wait, [this] { return Closed; });
    return Kept;
}

} // namespace vo
