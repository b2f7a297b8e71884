#include "support/SimProcess.h"

#include <QCoreApplication>

#include <mutex>
#include <thread>

#include "device/NDev.h"
#include "link/Bus.h"

namespace tarvo::test {

namespace {

// Whether the answer to the request at the front of the queue the pass works on has arrived.
bool FrontAnswered(const TLumoDevice& d)
{
    const auto& queue = d.PendingWrites.empty() ? d.PendingReads : d.PendingWrites;
    if (queue.empty())
        return true;
    const Bytes request(queue.front().begin(), queue.front().end() - 1);
    std::shared_lock lock(Bus().ReplyLock);
    return Bus().ReplyMap.count(request) > 0;
}

}  // namespace

SimProcess::SimProcess(const QStringList& args)
{
    process_.start(TARVO_BIN_DIR "/tarvo-sim", QStringList(args) << "--stdin");
    if (!process_.waitForStarted(10000))
        return;
    path_ = ReadLine(10000);
}

SimProcess::~SimProcess()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished();
    }
}

std::string SimProcess::ReadLine(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!process_.canReadLine()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || process_.state() != QProcess::Running)
            return {};
        process_.waitForReadyRead(static_cast<int>(left.count()));
    }
    return process_.readLine().trimmed().toStdString();
}

std::string SimProcess::Command(const std::string& line)
{
    process_.write((line + "\n").c_str());
    process_.waitForBytesWritten(5000);
    return ReadLine(10000);
}

std::string SimProcess::Errors() { return process_.readAllStandardError().toStdString(); }

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
