// Small building blocks of the simulated plant: status-word bits, first-order lags with
// noise, on/off outputs with hysteresis and alarm points with latching.
#pragma once

#include <cmath>
#include <random>

namespace tarvo::sim {

using Rng = std::mt19937;

// Mask of bit `bit` (8, 4, 2 or 1) of status digit `digit` (1..4) in a 16-bit status word whose
// digit 1 is the most significant.
constexpr unsigned StatusBit(int digit, int bit) { return static_cast<unsigned>(bit) << (4 * (4 - digit)); }

// Moves `value` toward `target` over `dt` seconds with time constant `tau`, and adds mean-reverting
// noise of standard deviation `sigma` (an Ornstein-Uhlenbeck step, exact for any dt).
double LagStep(double value, double target, double dt, double tau, double sigma, Rng& rng);

// Moves `value` toward `target` at no more than `rate` per second; returns the new value.
double RampToward(double value, double target, double rate, double dt);

// An on/off output with a switching band: comes on when the error (demand) exceeds +band/2,
// goes off when it falls below -band/2.
struct OnOffOutput {
    bool on = false;
    // error > 0 means "more output wanted" (e.g. SP - PV for heating).
    bool Update(double error, double band);
};

// How a controller treats one alarm.
enum class AlarmMode { Off, Latched, Plain };

// One alarm condition with optional latching: a latched alarm stays shown after its cause has
// gone until it is reset.
struct AlarmPoint {
    bool active = false;
    bool latched = false;
    void Update(AlarmMode mode, bool condition);
    bool Shown() const { return active || latched; }
    void Reset() { latched = false; }
};

}  // namespace tarvo::sim
