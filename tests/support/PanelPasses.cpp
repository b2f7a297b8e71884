#include "support/PanelPasses.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <thread>

#include "device/NDev.h"
#include "link/Bus.h"

namespace tarvo::test {

bool FrontAnswered(const TLumoDevice& d)
{
    const auto& queue = d.PendingWrites.empty() ? d.PendingReads : d.PendingWrites;
    if (queue.empty())
        return true;
    const Bytes request(queue.front().begin(), queue.front().end() - 1);
    std::shared_lock lock(Bus().ReplyLock);
    return Bus().ReplyMap.count(request) > 0;
}

void PanelPass(TLumoDevice& panel)
{
    JointPass({&panel});
}

void JointPass(const std::vector<TLumoDevice*>& panels)
{
    for (TLumoDevice* panel : panels) {
        panel->PollDevice();
        panel->ShowValues();
    }
    const auto answered = [&] {
        return std::all_of(panels.begin(), panels.end(), [](const TLumoDevice* p) { return FrontAnswered(*p); });
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!answered() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    QCoreApplication::processEvents();
}

}  // namespace tarvo::test
