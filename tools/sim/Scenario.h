// Scripted events for the simulated bus: one command per line, either at once or "at" a
// simulated time. Used for scenario files and for commands on standard input.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvo::sim {

class SimBus;

struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Command {
    double at = -1;                  // simulated seconds since start; < 0: at once
    std::vector<std::string> words;  // command name and arguments; empty for a blank line
    int line = 0;                    // line number in its file (0: not from a file)
};

// Parses one line; blank lines and lines starting with '#' give a command without words.
// Throws ScenarioError naming what is wrong.
Command ParseCommand(const std::string& text, int line = 0);

// Checks a command against the bus (addresses, mnemonics, inputs) without running it.
void CheckCommand(SimBus& bus, const Command& command);

// Runs a command now; returns what it prints ("" for most commands). Throws ScenarioError.
std::string RunCommand(SimBus& bus, const Command& command);

// Timed commands in time order.
class Scenario {
public:
    // Reads a scenario file; every line is parsed and checked against the bus before any runs.
    void LoadFile(const std::string& path, SimBus& bus);
    // Parses and checks several lines (as LoadFile does with a file's content).
    void LoadText(const std::string& text, SimBus& bus, const std::string& origin = "scenario");
    void Add(const Command& command);

    // Runs every command due at or before `now`, advancing the bus to each command's own time
    // first. Returns their printed outputs, in order.
    std::vector<std::string> RunDue(SimBus& bus, double now);
    // Time of the next pending command (infinity when none).
    double NextTime() const;
    bool Empty() const { return pending_.empty(); }

private:
    std::vector<Command> pending_;  // sorted by time, stable
};

// The grammar, for --help and errors.
extern const char* const ScenarioGrammar;

}  // namespace tarvo::sim
