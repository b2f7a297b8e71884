// tarvo-sim: a simulated controller bus on a pseudo-terminal (see --help and README.md).
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Scenario.h"
#include "SimBus.h"
#include "SimOptions.h"
#include "SimServer.h"

using namespace tarvo::sim;

namespace {

void OnStopSignal(int) { SimServer::RequestStop(); }

// Points `link` at `target`, replacing an old symbolic link but never a real file.
bool MakeLink(const std::string& link, const std::string& target)
{
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "tarvo-sim: %s exists and is not a symbolic link\n", link.c_str());
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        std::perror(("tarvo-sim: " + link).c_str());
        return false;
    }
    return true;
}

void RemoveLink(const std::string& link, const std::string& target)
{
    char buf[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
    if (n > 0 && std::string(buf, static_cast<size_t>(n)) == target)
        unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvo-sim: %s\nTry tarvo-sim --help.\n", e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }

    SimBus bus(options.seed);
    bus.Faults() = options.faults;
    Scenario scenario;
    try {
        for (const DeviceSpec& d : options.devices) {
            SimDevice& dev = bus.Add(*d.type, d.group, d.unit);
            if (options.processNumber >= 0 && dev.Has("PI"))
                dev.Force(dev.Index("PI"), std::to_string(options.processNumber));
        }
        if (!options.scenario.empty())
            scenario.LoadFile(options.scenario, bus);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvo-sim: %s\n", e.what());
        return 2;
    }

    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);

    try {
        PtyPort pty;
        if (!options.link.empty() && !MakeLink(options.link, pty.SlavePath()))
            return 1;
        std::printf("%s\n", options.link.empty() ? pty.SlavePath().c_str() : options.link.c_str());
        std::fflush(stdout);
        SimServer server(bus, scenario, options, pty.Master());
        server.Run();
        if (!options.link.empty())
            RemoveLink(options.link, pty.SlavePath());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvo-sim: %s\n", e.what());
        if (!options.link.empty())
            unlink(options.link.c_str());
        return 1;
    }
    return 0;
}
