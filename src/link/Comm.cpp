#include "link/Comm.h"

#include <climits>
#include <memory>

#include "device/Operator.h"

namespace tarvo {

namespace {

// Characters a data reply may carry between STX and ETX.
constexpr int ReplyTextBudget = 12;
constexpr uint8_t FirstPrintable = 0x20;
constexpr uint8_t LastPrintable = 0x7A;
constexpr size_t ListenBytes = 100;

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

}  // namespace

Comm::Comm(SharedBus& bus, PortSlot& port, std::string logPath)
    : bus_(bus), port_(port), logPath_(std::move(logPath)), clock_(LocalNow)
{
}

Comm::~Comm()
{
    if (thread_.joinable()) {
        Terminate();
        WaitFor();
    }
    CloseLog();
}

void Comm::Start() { thread_ = std::thread([this] { ThreadBody(); }); }

bool Comm::Suspended() const
{
    std::lock_guard lock(stateMutex_);
    return suspended_;
}

void Comm::Resume()
{
    std::lock_guard lock(stateMutex_);
    suspended_ = false;
    wake_.notify_all();
}

void Comm::Terminate()
{
    std::lock_guard lock(stateMutex_);
    terminate_ = true;
    wake_.notify_all();
}

void Comm::WaitFor()
{
    if (thread_.joinable())
        thread_.join();
}

bool Comm::TerminateRequested() const
{
    std::lock_guard lock(stateMutex_);
    return terminate_;
}

void Comm::SuspendSelf()
{
    // The terminate test and the suspension are one step under the lock, and Terminate wakes
    // the thread, so a stop that comes in between cannot leave it asleep for good.
    std::unique_lock lock(stateMutex_);
    if (terminate_)
        return;
    suspended_ = true;
    wake_.wait(lock, [this] { return !suspended_ || terminate_; });
    suspended_ = false;
}

void Comm::ThreadBody()
{
    OpenLog();
    while (!TerminateRequested()) {
        if (!RunPass())
            SuspendSelf();
    }
    CloseLog();
}

bool Comm::RunPass()
{
    const bool queueEmpty = bus_.QueueEmpty();
    if (!port_.Installed())
        return false;
    ++passes_;
    try {
        if (!queueEmpty && lineBusy_ == 0)
            Exchange();
        else
            Listen();
    } catch (...) {
        Op().Message("THREAD", "ERROR", BoxIcon::Error);
    }
    return true;
}

void Comm::Exchange()
{
    Bytes request;
    if (!bus_.PopFront(request))
        return;
    port_.Purge(true, true);
    port_.Purge(false, true);
    if (!port_.Write(request.data(), request.size())) {
        ++failedSends_;
        bus_.File(request, Bytes{LinkTimeout});
        return;
    }
    LogStamp();
    for (uint8_t b : request)
        LogByte(b);
    LogText(" > ");

    const uint8_t status = ReadReply();
    if (status != LinkOk)
        reply_.assign(1, status);
    bus_.File(request, reply_);
    LogFlush();
    // Whatever is left of a malformed reply is drained (and logged) at once.
    if (status == LinkFormat)
        Listen();
}

bool Comm::ReadByte(uint8_t& b) { return port_.Read(&b, 1) == 1; }

uint8_t Comm::ReadReply()
{
    reply_.clear();
    uint8_t b = 0;
    if (!ReadByte(b))
        return LinkTimeout;
    // Only the first byte loses its top bit.
    b &= 0x7F;
    LogByte(b);
    switch (b) {
    case STX:
        return ReadDataReply();
    case EOT:
    case ACK:
    case NAK:
        reply_.push_back(b);
        return LinkOk;
    default:
        return LinkProtocol;
    }
}

uint8_t Comm::ReadDataReply()
{
    reply_.push_back(STX);
    uint8_t check = 0;
    int budget = ReplyTextBudget;
    uint8_t b = 0;
    for (;;) {
        if (!ReadByte(b))
            return LinkTimeout;
        if (b == ETX) {
            LogByte(b);
            check ^= b;
            reply_.push_back(b);
            if (!ReadByte(b))
                return LinkTimeout;
            LogByte(b, '\r');
            check ^= b;
            if (check != 0)
                return LinkChecksum;
            reply_.push_back(b);
            return LinkOk;
        }
        LogByte(b);
        if (b < FirstPrintable || b > LastPrintable || budget == 0)
            return LinkFormat;
        check ^= b;
        reply_.push_back(b);
        --budget;
    }
}

void Comm::Listen()
{
    lineBusy_ = 0;
    port_.Purge(false, true);
    uint8_t heard[ListenBytes];
    const size_t n = port_.Read(heard, ListenBytes);
    lineBusy_ = static_cast<int>(n);
    if (n > 0) {
        LogStamp();
        for (size_t i = 0; i < n; ++i)
            LogByte(heard[i]);
        LogText("\r");
        LogFlush();
        silentListens_ = 0;
    } else {
        if (silentListens_ < INT_MAX)
            ++silentListens_;
        if (silentListens_ == 4 || silentListens_ == 5)
            lineBusy_ = 1;
    }
}

void Comm::OpenLog()
{
    CloseLog();
    if (logPath_.empty())
        return;
    log_ = std::fopen(logPath_.c_str(), "w+");
    if (!log_)
        return;
    const std::tm t = clock_();
    std::fprintf(log_, "LogFile > %d-%.2d-%.2d:", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    LogFlush();
}

void Comm::CloseLog()
{
    if (log_)
        std::fclose(log_);
    log_ = nullptr;
}

void Comm::LogStamp()
{
    if (!log_)
        return;
    const std::tm t = clock_();
    std::fprintf(log_, "\r%.2d:%.2d:%.2d > ", t.tm_hour, t.tm_min, t.tm_sec);
}

void Comm::LogByte(uint8_t b, char after)
{
    if (log_)
        std::fprintf(log_, "%02X%c", b, after);
}

void Comm::LogText(const char* text)
{
    if (log_)
        std::fputs(text, log_);
}

// Each line is flushed as it ends, so the log can be followed while the program runs and
// nothing is lost if the program dies.
void Comm::LogFlush()
{
    if (log_)
        std::fflush(log_);
}

namespace {

std::mutex attachMutex;
int attachedPanels = 0;
std::unique_ptr<Comm> theComm;

}  // namespace

void CommAttach()
{
    std::lock_guard lock(attachMutex);
    if (attachedPanels++ == 0) {
        theComm = std::make_unique<Comm>(Bus(), PortHandle());
        theComm->Start();
    }
}

void CommDetach()
{
    std::lock_guard lock(attachMutex);
    if (attachedPanels == 0 || --attachedPanels > 0)
        return;
    theComm->Terminate();
    while (theComm->Suspended())
        theComm->Resume();
    theComm->WaitFor();
    theComm.reset();
}

Comm* TheComm() { return theComm.get(); }

bool CommResumeIfSuspended()
{
    Comm* comm = TheComm();
    if (!comm)
        return false;
    if (comm->Suspended())
        comm->Resume();
    return true;
}

}  // namespace tarvo
