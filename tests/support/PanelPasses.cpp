#include "support/PanelPasses.h"

#include <QCoreApplication>

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
    panel.PollDevice();
    panel.ShowValues();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!FrontAnswered(panel) && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    QCoreApplication::processEvents();
}

bool RunPassesUntil(TLumoDevice& panel, const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        PanelPass(panel);
        if (done())
            return true;
    }
    return done();
}

}  // namespace tarvo::test
