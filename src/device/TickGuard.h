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
};

}  // namespace tarvo
