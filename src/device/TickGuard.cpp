#include "device/TickGuard.h"

namespace tarvo {

namespace {
bool running = false;
}

bool TickGuard::RunTick(const std::function<void()>& fn)
{
    if (running)
        return false;
    running = true;
    struct Reset {
        ~Reset() { running = false; }
    } reset;
    fn();
    return true;
}

bool TickGuard::Busy() { return running; }

}  // namespace tarvo
