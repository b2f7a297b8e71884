// The I/O side of tarvo-sim: a pseudo-terminal whose slave end stands in for the serial port,
// a loop that feeds the PC's bytes to the simulated bus and writes the replies paced at the
// line speed, scenario timing and commands from standard input.
#pragma once

#include <chrono>
#include <string>

#include "Scenario.h"
#include "SimBus.h"
#include "SimOptions.h"

namespace tarvo::sim {

// A pseudo-terminal in raw mode. The slave end stays open here as well, so the PC side can open
// and close it at will without the master seeing hang-ups.
class PtyPort {
public:
    PtyPort();  // throws std::system_error
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

class SimServer {
public:
    SimServer(SimBus& bus, Scenario& scenario, const SimOptions& options, int master);
    // Serves until a stop signal (see RequestStop) or, with commands on stdin, until it closes.
    void Run();
    // Async-signal-safe.
    static void RequestStop();

private:
    using Clock = std::chrono::steady_clock;

    double SimNow() const;
    Clock::time_point WallOf(double simTime) const;
    void ReadLine();
    void ReadCommands();
    void HandleCommand(const std::string& line);
    void Serve(const Exchange& e, Clock::time_point arrived);
    void Send(const Bytes& bytes, Clock::time_point start);
    // Waits until `until`; false, with the bytes in `heard`, when the PC sends something first.
    bool WaitQuiet(Clock::time_point until, Bytes& heard);
    void Trace(const char* what, const Bytes& bytes) const;
    void Print(const std::string& line) const;

    SimBus& bus_;
    Scenario& scenario_;
    const SimOptions& options_;
    int master_;
    Clock::time_point start_;
    Clock::duration charTime_{};
    Clock::time_point lineFree_;
    Bytes foreign_;
    Clock::time_point foreignAt_;
    std::string stdinBuffer_;
    bool stdinOpen_ = true;
};

}  // namespace tarvo::sim
