// The thirteen controller types as the simulator plays them: which behaviour each type gets,
// how its decimals are resolved, and plausible starting values of its parameters.
#pragma once

#include <memory>

#include "SimDevice.h"

namespace tarvo::sim {

struct ModelSetup {
    DecimalsRule rule = DecimalsRule::Plain;
    const char* decimalsParam = nullptr;  // "SH" or "DP" for the rules that read a parameter
    std::unique_ptr<Behaviour> behaviour;
};

// The behaviour and decimals rule of a type (a generic indicator for an unknown model).
ModelSetup MakeModel(const DeviceTypeInfo& type);

// A plausible starting value of a parameter of this type; false when there is none in the list.
bool PlausibleDefault(const DeviceTypeInfo& type, const char* mnemonic, double& value);

// Behaviour families (SimRegulators.cpp, SimIndicators.cpp).
std::unique_ptr<Behaviour> MakeClimateRegulator(bool fourOutputs);  // KV710, KV720
std::unique_ptr<Behaviour> MakeTwinLoopRegulator();                 // GR220
enum class RegulatorKind { GR310, GR310S, GR210, FP320 };
std::unique_ptr<Behaviour> MakeProcessRegulator(RegulatorKind kind);
enum class IndicatorKind { LX410i, HW600 };
std::unique_ptr<Behaviour> MakeIndicator(IndicatorKind kind);
std::unique_ptr<Behaviour> MakeAlarmScanner();                  // CQ50
std::unique_ptr<Behaviour> MakeChannelScanner(int channels);    // SVB, SVB16
std::unique_ptr<Behaviour> MakeClockDisplay();                  // RMV_Disp

// Slowly wandering room temperature around a base picked at random.
struct Ambient {
    double base = 21.0;
    double value = 21.0;
    void Init(Rng& rng, double low = 19.5, double high = 23.0);
    double Step(double dt, Rng& rng);
};

// Alarm handling of a choice value from the shared alarm-type list ("Iskljucen", "Lecovan",
// "Nelecovan").
AlarmMode AlarmModeOf(double choice);

// Current time of day as seconds since 1970 in local time (for clocks that start at the PC's).
double LocalClockNow();

}  // namespace tarvo::sim
