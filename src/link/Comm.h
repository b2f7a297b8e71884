// The communication thread: takes request frames one at a time from the front of the shared
// request queue, sends each, reads and judges the reply byte by byte, files it in the reply
// map under the request bytes, listens to the line between requests and logs all traffic to
// "serial_log.txt".
#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "link/Bus.h"
#include "link/Port.h"

namespace tarvo {

class Comm {
public:
    // The thread (when started) serves `bus` through `port`, logging to `logPath`
    // (empty: no log).
    Comm(SharedBus& bus, PortSlot& port, std::string logPath = "serial_log.txt");
    ~Comm();
    Comm(const Comm&) = delete;
    Comm& operator=(const Comm&) = delete;

    // Creates the thread running.
    void Start();
    bool Suspended() const;
    void Resume();
    void Terminate();  // sets the terminate flag
    void WaitFor();    // joins the thread

    // One pass of the thread body (tests call it directly, without the thread):
    // suspend-check, then one exchange or one listening pass.
    void RunPass();
    // Opens the log and writes its first line (the thread does this when it starts).
    void OpenLog();
    void CloseLog();

    int LineBusy() const { return lineBusy_; }
    int SilentListens() const { return silentListens_; }

private:
    void ThreadBody();
    void Exchange();
    void Listen();
    void File(const Bytes& request, const Bytes& reply);
    void SuspendSelf();

    SharedBus& bus_;
    PortSlot& port_;
    std::string logPath_;
    FILE* log_ = nullptr;

    int lineBusy_ = 100;
    int silentListens_ = 0;
    Bytes reply_;

    std::thread thread_;
    mutable std::mutex suspendMutex_;
    std::condition_variable resumed_;
    bool suspended_ = false;
    bool terminate_ = false;
};

// Panel bookkeeping: the first device panel starts the process-wide thread, the last one
// stops it (terminate, resume while suspended, wait, free).
void CommAttach();
void CommDetach();
// The running thread, or null.
Comm* TheComm();
// Resumes the thread if it is suspended (each polling pass does this); false if that failed.
bool CommResumeIfSuspended();

}  // namespace tarvo
