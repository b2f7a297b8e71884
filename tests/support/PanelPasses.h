// Hand-run polling passes and display ticks of a panel against the real communication thread,
// each followed by a wait until the thread has filed the answer the panel waits for (at most
// the two seconds the polling timer would give it), with Qt events processed meanwhile.
#pragma once

#include <chrono>
#include <functional>

namespace tarvo {
class TLumoDevice;
}

namespace tarvo::test {

// Whether the request a panel's next polling pass looks at has its answer in the reply map.
bool FrontAnswered(const TLumoDevice& panel);

void PanelPass(TLumoDevice& panel);
// Runs passes until `done` holds after one, or `timeout` has passed; the final value of `done`.
bool RunPassesUntil(TLumoDevice& panel, const std::function<bool()>& done,
                    std::chrono::milliseconds timeout = std::chrono::seconds(15));

}  // namespace tarvo::test
