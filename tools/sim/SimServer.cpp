#include "SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace tarvo::sim {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

// How long the loop sleeps at most when nothing happens (it never spins).
constexpr auto IdleWake = std::chrono::milliseconds(250);
// Pause after a failed read of the master (nobody on the slave end).
constexpr auto NoPeerPause = std::chrono::milliseconds(50);

}  // namespace

PtyPort::PtyPort()
{
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::system_error(errno, std::generic_category(), "openpty");
    slavePath_ = name;
    termios t{};
    if (tcgetattr(slave_, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PtyPort::~PtyPort()
{
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

SimServer::SimServer(SimBus& bus, Scenario& scenario, const SimOptions& options, int master)
    : bus_(bus), scenario_(scenario), options_(options), master_(master), start_(Clock::now())
{
    if (options.baud > 0)
        charTime_ = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / options.baud));
    lineFree_ = start_;
    // Characters go out on time: the kernel's default 50 us of timer slack is a third of a
    // character at 57600 baud.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void SimServer::RequestStop() { stopRequested = 1; }

double SimServer::SimNow() const
{
    return std::chrono::duration<double>(Clock::now() - start_).count() * options_.timeScale;
}

SimServer::Clock::time_point SimServer::WallOf(double simTime) const
{
    return start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(simTime / options_.timeScale));
}

void SimServer::Run()
{
    // Stop signals are delivered only while waiting in ppoll, so every exchange completes.
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGHUP);

    while (!stopRequested && (stdinOpen_ || !options_.commandsOnStdin)) {
        for (const std::string& out : scenario_.RunDue(bus_, SimNow()))
            Print(out);

        auto wake = Clock::now() + IdleWake;
        if (!scenario_.Empty())
            wake = std::min(wake, WallOf(scenario_.NextTime()));
        if (!foreign_.empty())
            wake = std::min(wake, foreignAt_);
        const auto wait = std::max(Clock::duration::zero(), wake - Clock::now());
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
        timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};

        pollfd fds[2] = {{master_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const nfds_t count = options_.commandsOnStdin && stdinOpen_ ? 2 : 1;
        const int ready = ppoll(fds, count, &timeout, &waitMask);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "ppoll");
        }
        if (fds[0].revents & POLLIN)
            ReadLine();
        else if (fds[0].revents & (POLLHUP | POLLERR))
            std::this_thread::sleep_for(NoPeerPause);
        if (count > 1 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            ReadCommands();
        if (!foreign_.empty() && Clock::now() >= foreignAt_) {
            Trace("foreign", foreign_);
            Send(foreign_, std::max(Clock::now(), lineFree_));
            foreign_.clear();
        }
    }
    sigprocmask(SIG_SETMASK, &blocked, nullptr);
}

void SimServer::ReadLine()
{
    uint8_t buf[512];
    const ssize_t n = read(master_, buf, sizeof buf);
    // The time the request came in: the controller computes its answer while the request is
    // still on the wire, so the simulation's own work must not delay the reply.
    const auto arrived = Clock::now();
    if (n < 0) {
        if (errno != EAGAIN && errno != EINTR)  // EIO: no process has the slave end open
            std::this_thread::sleep_for(NoPeerPause);
        return;
    }
    if (n == 0) {
        std::this_thread::sleep_for(NoPeerPause);
        return;
    }
    for (const Exchange& e : bus_.Receive(buf, static_cast<size_t>(n), SimNow()))
        Serve(e, arrived);
}

void SimServer::Serve(const Exchange& e, Clock::time_point arrived)
{
    foreign_.clear();  // the other station does not talk over a new request
    Trace("request", e.request);
    if (e.reply.empty()) {
        Trace("no answer", {});
    } else {
        Trace("reply", e.reply);
        // The request itself takes its wire time to arrive, then the controller answers.
        const auto start = std::max(arrived, lineFree_) + charTime_ * static_cast<long>(e.request.size());
        Send(e.reply, start);
    }
    if (!e.foreign.empty()) {
        foreign_ = e.foreign;
        const auto gap = std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 60)(bus_.Random()));
        foreignAt_ = std::max(Clock::now(), lineFree_) + gap;
    }
}

// The line is taken at `start`; each character is written when it has fully arrived, one
// character time after the previous one. A request the PC sends meanwhile collides with the
// transmission: the request is garbled (nobody answers it), and so are the characters that go
// out while it is on the wire; the rest still goes out.
void SimServer::Send(const Bytes& bytes, Clock::time_point start)
{
    if (charTime_ == Clock::duration::zero()) {
        ssize_t ignored = write(master_, bytes.data(), bytes.size());
        (void)ignored;  // a full buffer means nobody reads the line; the bytes are lost as on a wire
        lineFree_ = Clock::now();
        return;
    }
    Clock::time_point garbledUntil{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto begins = start + charTime_ * static_cast<long>(i);
        Bytes heard;
        while (!WaitQuiet(begins + charTime_, heard)) {
            Trace("collision", heard);
            garbledUntil = std::max(garbledUntil, Clock::now() + charTime_ * static_cast<long>(heard.size()));
        }
        if (begins < garbledUntil)
            continue;
        if (write(master_, &bytes[i], 1) != 1 && errno == EAGAIN)
            break;
    }
    lineFree_ = std::max(start + charTime_ * static_cast<long>(bytes.size()), garbledUntil);
}

bool SimServer::WaitQuiet(Clock::time_point until, Bytes& heard)
{
    for (;;) {
        const auto left = until - Clock::now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        pollfd p{master_, POLLIN, 0};
        const int ready = ppoll(&p, 1, &timeout, nullptr);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0 && (p.revents & POLLIN)) {
            uint8_t buf[512];
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n > 0) {
                heard.assign(buf, buf + n);
                return false;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
        }
        // Nobody on the other end (or nothing heard): the character time passes all the same.
        std::this_thread::sleep_until(until);
        return true;
    }
}

void SimServer::ReadCommands()
{
    char buf[1024];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        stdinOpen_ = false;
        if (!stdinBuffer_.empty())
            HandleCommand(stdinBuffer_);
        return;
    }
    stdinBuffer_.append(buf, static_cast<size_t>(n));
    size_t eol;
    while ((eol = stdinBuffer_.find('\n')) != std::string::npos) {
        const std::string line = stdinBuffer_.substr(0, eol);
        stdinBuffer_.erase(0, eol + 1);
        HandleCommand(line);
    }
}

void SimServer::HandleCommand(const std::string& line)
{
    try {
        Command c = ParseCommand(line);
        if (c.words.empty())
            return;
        if (c.at >= 0) {
            CheckCommand(bus_, c);
            scenario_.Add(c);
            Print("ok");
            return;
        }
        bus_.Advance(SimNow());
        const std::string out = RunCommand(bus_, c);
        Print(out.empty() ? "ok" : out);
    } catch (const ScenarioError& e) {
        Print(std::string("error: ") + e.what());
        std::fprintf(stderr, "tarvo-sim: %s\n", e.what());
    }
}

void SimServer::Trace(const char* what, const Bytes& bytes) const
{
    if (!options_.trace)
        return;
    std::fprintf(stderr, "%10.3f %-9s %s\n", SimNow(), what, HexDump(bytes).c_str());
}

void SimServer::Print(const std::string& line) const
{
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace tarvo::sim
