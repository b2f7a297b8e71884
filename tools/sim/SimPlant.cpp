#include "SimPlant.h"

#include <algorithm>

namespace tarvo::sim {

double LagStep(double value, double target, double dt, double tau, double sigma, Rng& rng)
{
    if (dt <= 0)
        return value;
    const double a = std::exp(-dt / tau);
    double next = target + (value - target) * a;
    if (sigma > 0) {
        std::normal_distribution<double> n(0.0, 1.0);
        next += sigma * std::sqrt(1.0 - a * a) * n(rng);
    }
    return next;
}

double RampToward(double value, double target, double rate, double dt)
{
    if (rate <= 0)
        return target;
    const double step = rate * dt;
    if (std::fabs(target - value) <= step)
        return target;
    return value + (target > value ? step : -step);
}

bool OnOffOutput::Update(double error, double band)
{
    const double half = std::max(band, 0.0) / 2.0;
    if (error > half)
        on = true;
    else if (error < -half)
        on = false;
    return on;
}

void AlarmPoint::Update(AlarmMode mode, bool condition)
{
    if (mode == AlarmMode::Off) {
        active = false;
        latched = false;
        return;
    }
    active = condition;
    if (mode == AlarmMode::Latched && condition)
        latched = true;
    if (mode == AlarmMode::Plain)
        latched = false;
}

}  // namespace tarvo::sim
