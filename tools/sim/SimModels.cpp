#include "SimModels.h"

#include <cctype>
#include <cstring>
#include <ctime>
#include <string>

namespace tarvo::sim {

namespace {

// Starting values; a model of "" applies to every type, '#' in a mnemonic matches any digit.
// Values outside a parameter's limits are ignored (the generic rule then picks one inside).
struct DefaultValue {
    const char* model;
    const char* mnemonic;
    double value;
};

const DefaultValue Defaults[] = {
    // KV710 / KV720: a drying or climate chamber.
    {"KV710", "IN", 2}, {"KV710", "3FO", 1}, {"KV710", "3dS", 2.0},
    {"KV720", "2FO", 1}, {"KV720", "2dS", 2.0}, {"KV720", "3FO", 0}, {"KV720", "4FO", 1}, {"KV720", "4dS", 5.0},
    {"", "1SP", 25.0}, {"", "2SP", 55.0}, {"", "1HY", 0.5}, {"", "2HY", 2.0}, {"", "3HY", 1.0},
    {"", "4HY", 2.0}, {"", "HY", 1.0}, {"", "1HS", 80.0}, {"", "1BH", 100.0}, {"", "2BH", 100.0},
    {"KV710", "3ON", 10}, {"KV710", "3OF", 20}, {"KV720", "2ON", 10}, {"KV720", "3OF", 20},
    {"KV720", "4ON", 10}, {"KV720", "4OF", 20},
    // GR220: two ramped loops and a hold timer.
    {"GR220", "1SL", 60.0}, {"GR220", "2SL", 40.0}, {"GR220", "3SP", 5.0}, {"GR220", "3IN", 2},
    {"GR220", "3FO", 1}, {"GR220", "1HS", 200.0}, {"GR220", "2HS", 200.0}, {"GR220", "1TM", 30},
    {"GR220", "1RS", 2.0}, {"GR220", "2RS", 1.0}, {"GR220", "1HB", 5.0}, {"GR220", "2HB", 5.0},
    {"GR220", "1TE", 30},
    // GR310, GR310S, GR210, FP320.
    {"", "SL", 60.0}, {"", "HS", 300.0}, {"", "LS", 0.0}, {"", "BH", 500.0}, {"", "BL", -50.0},
    {"", "MA", 1}, {"GR310", "O2", 1}, {"", "R3", 1}, {"", "TI", 240}, {"", "TD", 60},
    {"", "HC", 10}, {"", "CC", 10}, {"", "TP", 10}, {"", "dS", 2.0}, {"", "CX", 5.0}, {"", "HB", 10.0},
    {"", "LB", 10.0}, {"", "HP", 100}, {"", "Ho", 2}, {"", "Lo", 2}, {"", "do", 0}, {"", "HA", 150},
    {"", "LA", 5}, {"", "Hd", 10}, {"", "Ld", 10}, {"", "Hb", 5.0}, {"", "HL", 5.0}, {"", "HH", 5.0},
    {"", "r1", 2.0}, {"", "l1", 60.0}, {"", "t1", 10}, {"", "r2", 1.0}, {"", "l2", 80.0}, {"", "t2", 10},
    {"", "PN", 1}, {"", "PI", 100}, {"GR310S", "O3", 2}, {"GR310S", "TT", 60}, {"GR310S", "VT", 2},
    {"GR210", "2FO", 2}, {"GR210", "3FO", 3}, {"GR210", "3OC", 1}, {"GR210", "TM", 30},
    {"GR210", "RS", 2.0}, {"GR210", "HB", 5.0}, {"GR210", "2dS", 5.0}, {"GR210", "3dS", 10.0},
    {"FP320", "S2", 1},
    // LX410i: alarm types are "Lecovan", "Nelecovan", "Iskljucen" there.
    {"LX410i", "Ho", 1}, {"LX410i", "Lo", 1}, {"LX410i", "HA", 40}, {"LX410i", "LA", 0}, {"LX410i", "OC", 1},
    // CQ50: eight inputs, four outputs.
    {"CQ50", "IN", 8}, {"CQ50", "ON", 3}, {"CQ50", "PP", 3}, {"CQ50", "#SP", 20.0}, {"CQ50", "#HT", 2},
    {"CQ50", "#HO", 0}, {"CQ50", "#HA", 30.0}, {"CQ50", "#Hh", 0.5}, {"CQ50", "#LT", 2}, {"CQ50", "#LO", 1},
    {"CQ50", "#LA", 5.0}, {"CQ50", "#Lh", 0.5}, {"CQ50", "#DT", 0}, {"CQ50", "#DO", 2}, {"CQ50", "#DH", 5.0},
    {"CQ50", "#DL", 5.0}, {"CQ50", "#Dh", 0.5}, {"CQ50", "#OT", 1}, {"CQ50", "#OD", 5},
    // SVB, SVB16: calibration points.
    {"", "S1", 0}, {"SVB", "S2", 100}, {"SVB16", "S2", 100},
    // RMV_Disp: seconds each page stays on the display.
    {"", "1DI", 3}, {"", "2DI", 2}, {"", "3DI", 3}, {"", "4DI", 2}, {"", "5DI", 3},
    // Shared by many types.
    {"", "VO", 12}, {"", "V0", 12}, {"", "FT", 2}, {"", "SN", 6}, {"", "DP", 1}, {"", "SH", 1},
    {"", "1XP", 5.0}, {"", "2XP", 10.0}, {"", "3XP", 10.0}, {"", "XP", 5.0}, {"", "1IT", 120},
    {"", "2IT", 120}, {"", "3IT", 120}, {"", "1TP", 10}, {"", "2TP", 10}, {"", "3TP", 10},
    {"", "1HP", 100}, {"", "2HP", 100}, {"", "i2", 100.0}, {"", "d2", 100.0}, {"", "1d2", 100.0},
    {"", "2d2", 100.0},
};

bool Matches(const char* pattern, const char* mnemonic)
{
    for (; *pattern && *mnemonic; ++pattern, ++mnemonic) {
        if (*pattern == '#' ? !std::isdigit(static_cast<unsigned char>(*mnemonic)) : *pattern != *mnemonic)
            return false;
    }
    return *pattern == 0 && *mnemonic == 0;
}

}  // namespace

bool PlausibleDefault(const DeviceTypeInfo& type, const char* mnemonic, double& value)
{
    // The type's own entries win over the shared ones.
    for (int pass = 0; pass < 2; ++pass) {
        for (const DefaultValue& d : Defaults) {
            const bool own = std::strcmp(d.model, type.Model) == 0;
            if ((pass == 0 ? own : d.model[0] == 0) && Matches(d.mnemonic, mnemonic)) {
                value = d.value;
                return true;
            }
        }
    }
    return false;
}

ModelSetup MakeModel(const DeviceTypeInfo& type)
{
    const std::string m = type.Model;
    ModelSetup s;
    if (m == "KV710" || m == "KV720") {
        s.behaviour = MakeClimateRegulator(m == "KV720");
    } else if (m == "GR220") {
        s.rule = DecimalsRule::SensorTableFor3;
        s.behaviour = MakeTwinLoopRegulator();
    } else if (m == "GR310" || m == "GR310S" || m == "GR210" || m == "FP320") {
        s.rule = DecimalsRule::SensorTableFor3;
        const RegulatorKind kind = m == "GR310"    ? RegulatorKind::GR310
                                   : m == "GR310S" ? RegulatorKind::GR310S
                                   : m == "GR210"  ? RegulatorKind::GR210
                                                   : RegulatorKind::FP320;
        s.behaviour = MakeProcessRegulator(kind);
    } else if (m == "LX410i") {
        s.behaviour = MakeIndicator(IndicatorKind::LX410i);
    } else if (m == "CQ50") {
        s.rule = DecimalsRule::ParamForNonZero;
        s.decimalsParam = "SH";
        s.behaviour = MakeAlarmScanner();
    } else if (m == "SVB") {
        s.rule = DecimalsRule::ParamForNonZero;
        s.decimalsParam = "DP";
        s.behaviour = MakeChannelScanner(8);
    } else if (m == "SVB16") {
        s.rule = DecimalsRule::ParamForMinus1;
        s.decimalsParam = "DP";
        s.behaviour = MakeChannelScanner(16);
    } else if (m == "RMV_Disp") {
        s.behaviour = MakeClockDisplay();
    } else {
        s.behaviour = MakeIndicator(IndicatorKind::HW600);
    }
    return s;
}

void Ambient::Init(Rng& rng, double low, double high)
{
    base = std::uniform_real_distribution<double>(low, high)(rng);
    value = base;
}

double Ambient::Step(double dt, Rng& rng)
{
    value = LagStep(value, base, dt, 1800.0, 0.4, rng);
    return value;
}

AlarmMode AlarmModeOf(double choice)
{
    switch (static_cast<int>(choice)) {
    case 1:
        return AlarmMode::Latched;
    case 2:
        return AlarmMode::Plain;
    default:
        return AlarmMode::Off;
    }
}

double LocalClockNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return static_cast<double>(t + local.tm_gmtoff);
}

}  // namespace tarvo::sim
