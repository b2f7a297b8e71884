#include "device/TickGuard.h"

#include <vector>

namespace tarvo {

namespace {
bool running = false;
std::vector<std::function<void()>> waiting;  // to run when the running tick has finished

void RunWaiting()
{
    while (!running && !waiting.empty()) {
        const std::function<void()> fn = std::move(waiting.front());
        waiting.erase(waiting.begin());
        fn();
    }
}
}  // namespace

bool TickGuard::RunTick(const std::function<void()>& fn)
{
    if (running)
        return false;
    {
        running = true;
        struct Reset {
            ~Reset() { running = false; }
        } reset;
        fn();
    }
    RunWaiting();
    return true;
}

bool TickGuard::Busy() { return running; }

void TickGuard::AfterTick(std::function<void()> fn)
{
    waiting.push_back(std::move(fn));
    RunWaiting();
}

}  // namespace tarvo
