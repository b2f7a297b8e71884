// End-to-end test pieces: the simulated bus tarvo-sim as a child process that takes scenario
// commands on its standard input, and a driver that runs a panel's polling passes and display
// ticks by hand against the real communication thread.
#pragma once

#include <QProcess>
#include <QStringList>

#include <chrono>
#include <functional>
#include <string>

namespace tarvo {
class TLumoDevice;
}

namespace tarvo::test {

class SimProcess {
public:
    // Starts tarvo-sim with `args` and --stdin, and reads the terminal path it prints.
    explicit SimProcess(const QStringList& args);
    // Closes its standard input (it then stops) and waits for it.
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Started() const { return !path_.empty(); }
    // The path printed on the first line (the --link path when one was given).
    const std::string& Path() const { return path_; }
    // Sends one scenario command; its answer line ("ok", "error: ...", or its output), or ""
    // when none came in time.
    std::string Command(const std::string& line);
    // Standard error so far (usage errors, --trace output).
    std::string Errors();

private:
    std::string ReadLine(int timeoutMs);

    QProcess process_;
    std::string path_;
};

// One polling pass and one display tick of the panel, then a wait until the communication
// thread has filed the answer the panel waits for (at most the two seconds the polling timer
// would give it), with Qt events processed meanwhile.
void PanelPass(TLumoDevice& panel);
// Runs passes until `done` holds after one, or `timeout` has passed; the final value of `done`.
bool RunPassesUntil(TLumoDevice& panel, const std::function<bool()>& done,
                    std::chrono::milliseconds timeout = std::chrono::seconds(15));

}  // namespace tarvo::test
