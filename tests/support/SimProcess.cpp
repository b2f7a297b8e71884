#include "support/SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tarvo::test {

SimProcess::SimProcess(std::vector<std::string> args, std::string stderrPath, std::string program)
{
    // Everything the child needs is prepared before fork: only async-signal-safe calls may
    // follow it in a process with threads.
    if (program.empty())
        program = TARVO_BIN_DIR "/tarvo-sim";
    std::vector<char*> argv{program.data()};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int err = -1;
    if (!stderrPath.empty()) {
        err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (err < 0)
            return;
    }
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        if (err >= 0)
            dup2(err, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (err >= 0)
        close(err);
    stdin_ = in[1];
    stdout_ = out[0];
}

SimProcess::~SimProcess()
{
    CloseStdin();
    if (stdout_ >= 0)
        close(stdout_);
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool SimProcess::WaitReadable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, ms) == 1;
}

std::string SimProcess::ReadLine(int timeoutMs)
{
    std::string line;
    char c;
    while (stdout_ >= 0 && WaitReadable(stdout_, timeoutMs) && read(stdout_, &c, 1) == 1) {
        if (c == '\n')
            return line;
        line.push_back(c);
    }
    return line;
}

bool SimProcess::Send(const std::string& text)
{
    return stdin_ >= 0 && write(stdin_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::string SimProcess::Command(const std::string& line)
{
    return Send(line + "\n") ? ReadLine() : std::string();
}

void SimProcess::CloseStdin()
{
    if (stdin_ >= 0)
        close(stdin_);
    stdin_ = -1;
}

void SimProcess::Signal(int sig)
{
    if (pid_ > 0 && !exited_)
        kill(pid_, sig);
}

int SimProcess::WaitExit()
{
    for (int i = 0; i < 500 && pid_ > 0; ++i) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

}  // namespace tarvo::test
