// The communication thread: takes request frames one at a time from the front of the shared
// request queue, sends each, reads and judges the reply byte by byte, files it in the reply
// map under the request bytes, listens to the line between requests and logs all traffic to
// "serial_log.txt".
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "link/Bus.h"
#include "link/Port.h"

namespace tarvo {

class Comm {
public:
    // Local time for the log's stamps.
    using LocalClock = std::function<std::tm()>;

    // The thread (when started) serves `bus` through `port`, logging to `logPath`
    // (empty: no log).
    Comm(SharedBus& bus, PortSlot& port, std::string logPath = "serial_log.txt");
    // Stops the thread if it still runs.
    ~Comm();
    Comm(const Comm&) = delete;
    Comm& operator=(const Comm&) = delete;

    void SetClock(LocalClock clock) { clock_ = std::move(clock); }

    // Creates the thread running.
    void Start();
    bool Suspended() const;
    void Resume();
    void Terminate();  // sets the terminate flag (and wakes a suspended thread)
    void WaitFor();    // joins the thread

    // One pass of the thread body: one exchange or one listening pass. False, doing nothing,
    // when no line is installed (the thread then suspends itself). Tests call it directly.
    bool RunPass();
    // Opens the log and writes its first line (the thread does this when it starts).
    void OpenLog();
    void CloseLog();

    int LineBusy() const { return lineBusy_; }
    int SilentListens() const { return silentListens_; }
    // Diagnostics: passes run, and requests that could not be sent (answered 131).
    unsigned long Passes() const { return passes_; }
    unsigned long FailedSends() const { return failedSends_; }

private:
    void ThreadBody();
    void Exchange();
    uint8_t ReadReply();
    uint8_t ReadDataReply();
    bool ReadByte(uint8_t& b);
    void Listen();
    void SuspendSelf();
    bool TerminateRequested() const;

    void LogStamp();
    void LogByte(uint8_t b, char after = ' ');
    void LogText(const char* text);
    void LogFlush();

    SharedBus& bus_;
    PortSlot& port_;
    std::string logPath_;
    FILE* log_ = nullptr;
    LocalClock clock_;

    // Private to the thread (atomic only so that diagnostics may read them while it runs).
    std::atomic<int> lineBusy_{100};
    std::atomic<int> silentListens_{0};
    Bytes reply_;

    std::atomic<unsigned long> passes_{0};
    std::atomic<unsigned long> failedSends_{0};

    std::thread thread_;
    mutable std::mutex stateMutex_;
    std::condition_variable wake_;
    bool suspended_ = false;
    bool terminate_ = false;
};

// Panel bookkeeping: the first device panel starts the process-wide thread on Bus() and
// PortHandle(), the last one stops it (terminate, resume while suspended, wait, free).
void CommAttach();
void CommDetach();
// The running thread, or null.
Comm* TheComm();
// Resumes the thread if it is suspended (each polling pass does this); false when there is no
// thread.
bool CommResumeIfSuspended();

}  // namespace tarvo
