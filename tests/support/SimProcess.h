// The real tarvo-sim program as a child process: its standard input takes commands, the first
// line of its standard output is the terminal's path, later lines answer the commands.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tarvo::test {

class SimProcess {
public:
    // Starts TARVO_BIN_DIR/tarvo-sim (or `program`) with `args`; its standard error goes to
    // `stderrPath` when one is given (for --trace), else it is inherited.
    explicit SimProcess(std::vector<std::string> args, std::string stderrPath = {},
                        std::string program = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // One line of its standard output (without the line end); "" after `timeoutMs` without one.
    std::string ReadLine(int timeoutMs = 5000);
    bool Send(const std::string& text);
    // Sends one command line (with --stdin) and returns the line that answers it.
    std::string Command(const std::string& line);
    void CloseStdin();
    void Signal(int sig);
    // Exit status once it has ended (-1 when it is still running after 5 s).
    int WaitExit();

    static bool WaitReadable(int fd, int ms);

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
};

}  // namespace tarvo::test
