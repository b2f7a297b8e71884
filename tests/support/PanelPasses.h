// Hand-run polling passes and display ticks of panels against the real communication thread,
// each followed by a wait until the thread has filed the answers the panels wait for (at most
// the two seconds the polling timer would give them), with Qt events processed meanwhile.
#pragma once

#include <vector>

namespace tarvo {
class TLumoDevice;
}

namespace tarvo::test {

// Whether the request a panel's next polling pass looks at has its answer in the reply map.
bool FrontAnswered(const TLumoDevice& panel);

void PanelPass(TLumoDevice& panel);
// One pass and tick of every panel first, then one wait for all their answers.
void JointPass(const std::vector<TLumoDevice*>& panels);

}  // namespace tarvo::test
