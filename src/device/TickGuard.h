// Timer ticks must never re-enter themselves or each other. A modal box opened inside a tick
// runs a nested event loop in which further timer events fire; every tick handler runs through
// RunTick, which skips the tick when another one is still running.
#pragma once

#include <functional>

namespace tarvo {

class TickGuard {
public:
    // Runs fn unless a tick is already running; returns whether it ran.
    static bool RunTick(const std::function<void()>& fn);
    static bool Busy();
    // Runs fn as soon as the running tick has finished (at once when none is running): for
    // work that must not happen under a tick, such as destroying what the tick is using.
    static void AfterTick(std::function<void()> fn);
};

}  // namespace tarvo
