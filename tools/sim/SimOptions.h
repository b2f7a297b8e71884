// Command line of tarvo-sim.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SimBus.h"

namespace tarvo::sim {

struct DeviceSpec {
    const DeviceTypeInfo* type = nullptr;
    int group = 0;
    int unit = 0;
};

struct SimOptions {
    std::vector<DeviceSpec> devices;
    std::string link;          // symlink to create to the pseudo-terminal ("" none)
    int baud = 9600;           // reply pacing; 0 = none
    uint32_t seed = 1;
    double timeScale = 1.0;    // simulated seconds per wall-clock second
    std::string scenario;      // scenario file ("" none)
    bool commandsOnStdin = false;
    int processNumber = -1;    // first "PI" of the programmers (-1: their default)
    bool trace = false;        // every exchange on standard error
    bool help = false;
    FaultRates faults;
};

// Parses the arguments (without the program name). Throws std::invalid_argument with a message
// for the user.
SimOptions ParseOptions(const std::vector<std::string>& args);

// "FP320@11" → type and address; throws std::invalid_argument.
DeviceSpec ParseDeviceSpec(const std::string& text);

// The --help text.
std::string UsageText();

}  // namespace tarvo::sim
