// Regulator behaviours: KV710/KV720 climate loops, GR220 twin ramped loops with a cycle timer,
// and the single-input process regulators GR310, GR310S, GR210 and the programmer FP320.
#include <algorithm>
#include <cmath>
#include <string>

#include "SimModels.h"
#include "SimProgrammer.h"
#include "link/Codec.h"

namespace tarvo::sim {

namespace {

constexpr double TemperatureTau = 90.0;  // seconds
constexpr double HumidityTau = 60.0;
constexpr double TemperatureNoise = 0.08;
constexpr double HumidityNoise = 0.3;
// Steady-state heating: degrees above ambient per percent of output.
constexpr double DegreesPerPercent = 3.0;

// Error that switches an output on: positive when the output should act.
// function 0 acts below the set point (heating, humidifying), 1 above it (cooling, drying).
double Demand(int function, double sp, double pv) { return function == 0 ? sp - pv : pv - sp; }

// A write that must stay inside limits taken from other parameters (the controller refuses the
// rest); Unhandled lets the generic table limits judge what is inside.
WriteOutcome CoupledLimit(SimDevice& dev, int index, const char* mnemonic, const std::string& value, double lo,
                          double hi)
{
    if (dev.Index(mnemonic) != index)
        return WriteOutcome::Unhandled;
    double v = 0;
    if (!ParseDecimal(value, v))
        return WriteOutcome::Refused;
    return v < lo - 1e-6 || v > hi + 1e-6 ? WriteOutcome::Refused : WriteOutcome::Unhandled;
}

// ---------------------------------------------------------------------------------------------
// KV710 / KV720: temperature loop on 1PV and humidity loop on 2PV.

class ClimateRegulator : public Behaviour {
public:
    explicit ClimateRegulator(bool fourOutputs) : four_(fourOutputs) {}

    void Init(SimDevice& dev) override
    {
        ambient_.Init(dev.Random());
        dev.SetNum("1PV", ambient_.value);
        dev.SetNum("2PV", std::uniform_real_distribution<double>(40, 60)(dev.Random()));
    }

    void Advance(SimDevice& dev, double dt) override
    {
        ambient_.Step(dt, dev.Random());
        const double t = LagStep(dev.Num("1PV"), dev.Num("1SP"), dt, TemperatureTau, TemperatureNoise, dev.Random());
        const double h = LagStep(dev.Num("2PV"), dev.Num("2SP"), dt, HumidityTau, HumidityNoise, dev.Random());
        dev.SetNum("1PV", t);
        dev.SetNum("2PV", std::clamp(h, 0.0, 100.0));
        const bool tOk = !dev.SensorBroken(1);
        const bool hOk = !dev.SensorBroken(2);
        dev.SetStatusBits(StatusBit(3, 8), !tOk);
        dev.SetStatusBits(StatusBit(3, 4), !hOk);

        const double tSp = dev.Num("1SP");
        const double hSp = dev.Num("2SP");
        if (four_) {
            Drive(dev, 0, StatusBit(1, 8), tOk, dev.Num("1FO"), tSp + dev.Num("1dS"), t, dev.Num("1HY"));
            Drive(dev, 1, StatusBit(1, 4), tOk, dev.Num("2FO"), tSp + dev.Num("2dS"), t, dev.Num("2HY"));
            Drive(dev, 2, StatusBit(1, 2), hOk, dev.Num("3FO"), hSp + dev.Num("3dS"), h, dev.Num("3HY"));
            Drive(dev, 3, StatusBit(1, 1), hOk, dev.Num("4FO"), hSp + dev.Num("4dS"), h, dev.Num("4HY"));
            return;
        }
        Drive(dev, 0, StatusBit(1, 8), tOk, dev.Num("1FO"), tSp, t, dev.Num("1HY"));
        Drive(dev, 1, StatusBit(1, 4), hOk, dev.Num("2FO"), hSp, h, dev.Num("2HY"));
        // Output 3 serves the loop chosen by "IN"; with "OFF" the program switches it.
        const int loop = static_cast<int>(dev.Num("IN"));
        if (loop == 0)
            Drive(dev, 2, StatusBit(1, 2), tOk, dev.Num("3FO"), tSp + dev.Num("3dS"), t, dev.Num("3HY"));
        else if (loop == 1)
            Drive(dev, 2, StatusBit(1, 2), hOk, dev.Num("3FO"), hSp + dev.Num("3dS"), h, dev.Num("3HY"));
    }

    WriteOutcome Write(SimDevice& dev, int index, const std::string& value) override
    {
        return CoupledLimit(dev, index, "1SP", value, -1e9, dev.Num("1HS"));
    }

    unsigned ProgramBits(const SimDevice& dev) const override
    {
        return !four_ && static_cast<int>(dev.Num("IN")) == 2 ? StatusBit(1, 2) : 0;
    }

    int SensorCount() const override { return 2; }

private:
    void Drive(SimDevice& dev, int n, unsigned bit, bool sensorOk, double function, double sp, double pv, double band)
    {
        const int f = static_cast<int>(function);
        const bool on = sensorOk && f <= 1 && outputs_[static_cast<size_t>(n)].Update(Demand(f, sp, pv), band);
        dev.SetStatusBits(bit, on);
    }

    bool four_;
    Ambient ambient_;
    OnOffOutput outputs_[4];
};

// ---------------------------------------------------------------------------------------------
// GR220: loops 1 and 2 ramp their set points to 1SL/2SL and hold them for 1TM minutes; loop 3
// works on input 1, input 2 or their difference.

class TwinLoopRegulator : public Behaviour {
public:
    void Init(SimDevice& dev) override
    {
        ambient_.Init(dev.Random());
        for (const char* m : {"1PV", "2PV", "1SP", "2SP"})
            dev.SetNum(m, ambient_.value);
        dev.SetNum("1TE", dev.Num("1TM"));
    }

    void Advance(SimDevice& dev, double dt) override
    {
        ambient_.Step(dt, dev.Random());
        const bool reached = Loop(dev, dt, "1SP", "1SL", "1RS", "1HB", "1PV", StatusBit(2, 8), 1);
        Loop(dev, dt, "2SP", "2SL", "2RS", "2HB", "2PV", StatusBit(2, 4), 2);
        const double pv1 = dev.Num("1PV");
        const double pv2 = dev.Num("2PV");
        const bool ok1 = !dev.SensorBroken(1);
        const bool ok2 = !dev.SensorBroken(2);
        dev.SetStatusBits(StatusBit(3, 8), !ok1);
        dev.SetStatusBits(StatusBit(3, 4), !ok2);

        // Cycle timer: counts down once loop 1 has reached its level; at 0 the cycle has ended
        // until the program starts a new one.
        if (reached && !(dev.Status() & StatusBit(3, 1))) {
            const double te = std::max(0.0, dev.Num("1TE") - dt / 60.0);
            dev.SetNum("1TE", te);
            if (te <= 0)
                dev.SetStatusBits(StatusBit(3, 1), true);
        }

        const double band = 1.0;
        Drive(dev, 0, StatusBit(1, 8), ok1, dev.Num("1FO"), Demand(0, dev.Num("1SP"), pv1), band);
        Drive(dev, 1, StatusBit(1, 4), ok2, dev.Num("2FO"), Demand(0, dev.Num("2SP"), pv2), band);
        const double shift = dev.Num("3SP");
        switch (static_cast<int>(dev.Num("3IN"))) {
        case 0:
            Drive(dev, 2, StatusBit(1, 2), ok1, dev.Num("3FO"), dev.Num("1SP") + shift - pv1, band);
            break;
        case 1:
            Drive(dev, 2, StatusBit(1, 2), ok2, dev.Num("3FO"), dev.Num("2SP") + shift - pv2, band);
            break;
        case 2:
            Drive(dev, 2, StatusBit(1, 2), ok1 && ok2, dev.Num("3FO"), shift - (pv1 - pv2), band);
            break;
        default:
            dev.SetStatusBits(StatusBit(1, 2), false);
        }
    }

    WriteOutcome Write(SimDevice& dev, int index, const std::string& value) override
    {
        const WriteOutcome a = CoupledLimit(dev, index, "1SL", value, dev.Num("1LS"), dev.Num("1HS"));
        if (a != WriteOutcome::Unhandled)
            return a;
        return CoupledLimit(dev, index, "2SL", value, dev.Num("2LS"), dev.Num("2HS"));
    }

    void StatusWritten(SimDevice& dev, unsigned before, unsigned written) override
    {
        // Clearing the end-of-cycle flag starts a new cycle from where the loops stand.
        if ((before & StatusBit(3, 1)) && !(written & StatusBit(3, 1))) {
            dev.SetStatusBits(StatusBit(3, 1), false);
            dev.SetNum("1TE", dev.Num("1TM"));
            dev.SetNum("1SP", dev.Num("1PV"));
            dev.SetNum("2SP", dev.Num("2PV"));
        }
    }

    int SensorCount() const override { return 2; }

private:
    // Ramps one loop; returns true when its set point stands at its level.
    bool Loop(SimDevice& dev, double dt, const char* sp, const char* level, const char* rate, const char* holdBack,
              const char* pvName, unsigned holdBit, int input)
    {
        double s = dev.Num(sp);
        const double target = dev.Num(level);
        double pv = dev.Num(pvName);
        const double hb = dev.Num(holdBack);
        const bool lagging = s != target && hb > 0 && std::fabs(pv - s) > hb;
        dev.SetStatusBits(holdBit, lagging);
        if (!lagging)
            s = RampToward(s, target, dev.Num(rate) / 60.0, dt);
        dev.SetNum(sp, s);
        const double plantTarget = dev.SensorBroken(input) ? ambient_.value : s;
        pv = LagStep(pv, plantTarget, dt, TemperatureTau, TemperatureNoise, dev.Random());
        dev.SetNum(pvName, pv);
        return s == target;
    }

    void Drive(SimDevice& dev, int n, unsigned bit, bool ok, double function, double heatingError, double band)
    {
        const double demand = static_cast<int>(function) == 0 ? heatingError : -heatingError;
        dev.SetStatusBits(bit, ok && outputs_[static_cast<size_t>(n)].Update(demand, band));
    }

    Ambient ambient_;
    OnOffOutput outputs_[3];
};

// ---------------------------------------------------------------------------------------------
// GR310, GR310S, GR210, FP320: one loop on "PV" with "SP" from "SL", a ramp or a program.

struct RegulatorLayout {
    bool programmer;     // PC/PN/TE and the stored programs
    bool processStatus;  // PR and PI (FP320)
    bool secondInput;    // 2PV (FP320)
    bool manual;         // manual mode in digit 3 bit 8 (GR310, GR310S)
    bool rampedSetPoint; // SP ramps to SL at RS, TE counts the cycle (GR210)
    bool latchedBit8;    // digit 2 bit 8 means "alarm latched" (FP320), else "alarm present"
    unsigned break1;
    unsigned break2;
    unsigned controlBit;
};

RegulatorLayout LayoutOf(RegulatorKind kind)
{
    switch (kind) {
    case RegulatorKind::FP320:
        return {true, true, true, false, false, true, StatusBit(3, 8), StatusBit(3, 4), StatusBit(1, 8)};
    case RegulatorKind::GR310:
    case RegulatorKind::GR310S:
        return {true, false, false, true, false, false, StatusBit(1, 8), 0, StatusBit(1, 4)};
    case RegulatorKind::GR210:
        break;
    }
    return {false, false, false, false, true, false, StatusBit(1, 8), 0, StatusBit(1, 4)};
}

constexpr unsigned AlarmHighBit = StatusBit(2, 4);
constexpr unsigned AlarmLowBit = StatusBit(2, 2);
constexpr unsigned AlarmDevBit = StatusBit(2, 1);
constexpr unsigned AlarmFlagBit = StatusBit(2, 8);
constexpr unsigned ManualBit = StatusBit(3, 8);

class ProcessRegulator : public Behaviour {
public:
    explicit ProcessRegulator(RegulatorKind kind) : kind_(kind), layout_(LayoutOf(kind)) {}

    void Init(SimDevice& dev) override
    {
        ambient_.Init(dev.Random());
        dev.SetNum("PV", ambient_.value);
        dev.SetNum("2PV", ambient_.value);
        // A regulator starts at its set point; the programmer idles with its outputs off.
        dev.SetNum("SP", kind_ == RegulatorKind::FP320 ? std::round(ambient_.value) : dev.Num("SL"));
        if (kind_ == RegulatorKind::GR210)
            dev.SetNum("TE", std::min(100.0, dev.Num("TM")));
        if (layout_.programmer)
            programmer_.Init(dev);
        if (layout_.processStatus)
            programmer_.SetProcessNumber(static_cast<int>(dev.Num("PI")));
        Publish(dev);
    }

    void Advance(SimDevice& dev, double dt) override
    {
        ambient_.Step(dt, dev.Random());
        double pv = dev.Num("PV");
        const bool ok1 = !dev.SensorBroken(1);
        if (layout_.programmer && programmer_.Running()) {
            const double low = Num(dev, "HL", "Hb");
            const double high = Num(dev, "HH", "Hb");
            programmer_.Advance(dt, pv, low, high);
            if (programmer_.Running())
                dev.SetNum("SP", programmer_.SetPoint());
        } else if (layout_.rampedSetPoint) {
            AdvanceRamp(dev, dt, pv);
        } else if (kind_ != RegulatorKind::FP320) {
            dev.SetNum("SP", dev.Num("SL"));
        }
        const double sp = dev.Num("SP");
        if (layout_.manual && dev.Num("MA") == 0)
            dev.SetStatusBits(ManualBit, false);  // manual mode no longer allowed
        const bool manual = Manual(dev);
        const bool regulating = ok1 && !manual && (kind_ != RegulatorKind::FP320 || programmer_.Running());

        // Plant: the loop holds PV at SP; in manual mode the output level sets where it settles;
        // without regulation it cools to the room.
        double target = ambient_.value;
        if (manual)
            target = ambient_.value + DegreesPerPercent * dev.Num("OP");
        else if (regulating)
            target = sp;
        pv = LagStep(pv, target, dt, TemperatureTau, TemperatureNoise, dev.Random());
        dev.SetNum("PV", pv);
        if (layout_.secondInput)  // a load probe that lags behind the first input
            dev.SetNum("2PV", LagStep(dev.Num("2PV"), pv, dt, 3 * TemperatureTau, TemperatureNoise, dev.Random()));
        if (!manual) {
            const double hold = (sp - ambient_.value) / DegreesPerPercent;
            const double op = regulating ? hold + (sp - pv) / std::max(0.1, dev.Num("XP")) * 100.0 : 0.0;
            dev.SetNum("OP", std::round(std::clamp(op, 0.0, dev.Has("HP") ? dev.Num("HP") : 100.0)));
        }

        dev.SetStatusBits(layout_.break1, !ok1);
        if (layout_.break2)
            dev.SetStatusBits(layout_.break2, dev.SensorBroken(2) && dev.Num("S2") != 0);
        UpdateAlarms(dev, pv, sp, regulating);
        UpdateOutputs(dev, pv, sp, regulating, manual, ok1);
        Publish(dev);
    }

    WriteOutcome Write(SimDevice& dev, int index, const std::string& value) override
    {
        const std::string m = dev.Type().Params[index].Mnemonic;
        if (m == "PC" && layout_.programmer) {
            double v = 0;
            const ParamDesc& d = dev.Type().Params[index];
            if (!ParseDecimal(value, v) || v != std::floor(v) || v < d.MinValue || v > d.MaxValue)
                return WriteOutcome::Refused;
            if (!programmer_.Command(dev, static_cast<int>(v), dev.Num("PV")))
                return WriteOutcome::Refused;
            Publish(dev);
            return WriteOutcome::Accepted;
        }
        if (m == "OP" && !Manual(dev))
            return WriteOutcome::Refused;  // the loop sets the output level itself
        return CoupledLimit(dev, index, "SL", value, dev.Num("LS"), dev.Num("HS"));
    }

    void Written(SimDevice& dev, int index) override
    {
        const std::string m = dev.Type().Params[index].Mnemonic;
        if (!layout_.programmer)
            return;
        if (m == "PC")  // started or stopped at the front keys (a scenario's "set")
            programmer_.Command(dev, static_cast<int>(dev.Num("PC")), dev.Num("PV"));
        else if (m == "PN")
            programmer_.Select(dev);
        else if (m == "TE")
            programmer_.SetRemainingMinutes(dev.Num("TE"));
        else if (m == "PI")
            programmer_.SetProcessNumber(static_cast<int>(dev.Num("PI")));
        else if (m == "SP" && programmer_.Running())
            programmer_.SetSetPoint(dev.Num("SP"));
        else
            programmer_.StoreEdited(dev);
        Publish(dev);
    }

    unsigned ProgramBits(const SimDevice& dev) const override
    {
        unsigned bits = 0;
        if (layout_.manual && dev.Num("MA") != 0)
            bits |= ManualBit;
        if ((kind_ == RegulatorKind::GR310 && static_cast<int>(dev.Num("O2")) == 8) ||
            (kind_ == RegulatorKind::GR210 && static_cast<int>(dev.Num("2FO")) == 3))
            bits |= StatusBit(1, 2);  // second output switched from the program
        return bits;
    }

    void StatusWritten(SimDevice&, unsigned before, unsigned written) override
    {
        // "Reset alarma" clears digit 2 bit 8: latched alarms whose cause has gone clear.
        if ((before & AlarmFlagBit) && !(written & AlarmFlagBit)) {
            high_.Reset();
            low_.Reset();
            deviation_.Reset();
        }
    }

    int SensorCount() const override { return layout_.secondInput ? 2 : 1; }
    int AlarmInputs() const override { return 1; }

    bool FrontKeyParam(const SimDevice& dev, int index) const override
    {
        const std::string m = dev.Type().Params[index].Mnemonic;
        return m != "PI" && m != "HS" && m != "LS" && m != "BH" && m != "BL";
    }

private:
    static double Num(const SimDevice& dev, const char* a, const char* b) { return dev.Has(a) ? dev.Num(a) : dev.Num(b); }

    bool Manual(const SimDevice& dev) const
    {
        return layout_.manual && dev.Num("MA") != 0 && (dev.Status() & ManualBit);
    }

    // GR210: the set point ramps to SL at RS per minute; TE counts the cycle time after that.
    void AdvanceRamp(SimDevice& dev, double dt, double pv)
    {
        const double target = dev.Num("SL");
        double sp = dev.Num("SP");
        const double hb = dev.Num("HB");
        if (!(sp != target && hb > 0 && std::fabs(pv - sp) > hb))
            sp = RampToward(sp, target, dev.Num("RS") / 60.0, dt);
        dev.SetNum("SP", sp);
        if (sp == target)
            dev.SetNum("TE", std::max(0.0, dev.Num("TE") - dt / 60.0));
        else
            dev.SetNum("TE", std::min(100.0, dev.Num("TM")));
    }

    void UpdateAlarms(SimDevice& dev, double pv, double sp, bool regulating)
    {
        const unsigned forced = dev.ForcedAlarms(1);
        high_.Update(AlarmModeOf(dev.Num("Ho")), pv > dev.Num("HA") || (forced & ForceHigh));
        low_.Update(AlarmModeOf(dev.Num("Lo")), pv < dev.Num("LA") || (forced & ForceLow));
        const bool off = regulating && (pv > sp + dev.Num("Hd") || pv < sp - dev.Num("Ld"));
        deviation_.Update(AlarmModeOf(dev.Num("do")), off || (forced & ForceDeviation));
        if (forced & ForceHigh)
            high_.active = true;
        if (forced & ForceLow)
            low_.active = true;
        if (forced & ForceDeviation)
            deviation_.active = true;
        dev.SetStatusBits(AlarmHighBit, high_.Shown());
        dev.SetStatusBits(AlarmLowBit, low_.Shown());
        dev.SetStatusBits(AlarmDevBit, deviation_.Shown());
        const bool flag = layout_.latchedBit8 ? (high_.latched || low_.latched || deviation_.latched)
                                              : (high_.Shown() || low_.Shown() || deviation_.Shown());
        dev.SetStatusBits(AlarmFlagBit, flag);
    }

    bool AnyAlarm() const { return high_.Shown() || low_.Shown() || deviation_.Shown(); }

    void UpdateOutputs(SimDevice& dev, double pv, double sp, bool regulating, bool manual, bool ok)
    {
        const double band = 1.0;
        const int action = static_cast<int>(dev.Num(kind_ == RegulatorKind::GR210 ? "1FO" : "CA"));
        bool control = false;
        if (manual)
            control = dev.Num("OP") > 0;
        else if (regulating)
            control = outputs_[0].Update(Demand(action, sp, pv), band);
        dev.SetStatusBits(layout_.controlBit, ok && control);

        switch (kind_) {
        case RegulatorKind::GR310: {
            const int f = static_cast<int>(dev.Num("O2"));
            bool on = false;
            if (f == 1)
                on = regulating && outputs_[1].Update(Demand(1, sp + dev.Num("dS"), pv), band);
            else if (f >= 2 && f <= 7)
                on = (f <= 3 ? high_ : f <= 5 ? low_ : deviation_).Shown();
            if (f != 8)
                dev.SetStatusBits(StatusBit(1, 2), on);
            dev.SetStatusBits(StatusBit(1, 1), AnyAlarm());  // relay 3 is the alarm relay
            break;
        }
        case RegulatorKind::GR310S: {
            // Servo: output 1 opens the valve, output 2 closes it, output 3 per "O3".
            dev.SetStatusBits(StatusBit(1, 4), ok && regulating && sp - pv > band);
            dev.SetStatusBits(StatusBit(1, 2), ok && regulating && pv - sp > band);
            const int f = static_cast<int>(dev.Num("O3"));
            const bool on = f == 2 ? AnyAlarm()
                                   : regulating && outputs_[2].Update(Demand(f, sp + dev.Num("dS"), pv), dev.Num("HY"));
            dev.SetStatusBits(StatusBit(1, 1), on);
            break;
        }
        case RegulatorKind::GR210: {
            const int f2 = static_cast<int>(dev.Num("2FO"));
            if (f2 != 3)
                dev.SetStatusBits(StatusBit(1, 2),
                                  regulating && f2 <= 1 && outputs_[1].Update(Demand(f2, sp + dev.Num("2dS"), pv), band));
            const int f3 = static_cast<int>(dev.Num("3FO"));
            const bool on3 = f3 == 3 ? AnyAlarm()
                                     : regulating && f3 <= 1 &&
                                           outputs_[2].Update(Demand(f3, sp + dev.Num("3dS"), pv), dev.Num("3HY"));
            dev.SetStatusBits(StatusBit(1, 1), on3);
            break;
        }
        case RegulatorKind::FP320: {
            // Output 2 marks a running program; output 3 per "O3": alarm, run/stop, remote set point.
            const bool running = programmer_.Running();
            dev.SetStatusBits(StatusBit(1, 4), running);
            const int f = static_cast<int>(dev.Num("O3"));
            dev.SetStatusBits(StatusBit(1, 2), f == 0 ? AnyAlarm() : f == 1 && running);
            break;
        }
        }
    }

    // Mirrors the programmer into PC, TE, PR and PI.
    void Publish(SimDevice& dev)
    {
        if (!layout_.programmer)
            return;
        dev.SetNum("PC", programmer_.state());
        if (programmer_.Running())
            dev.SetNum("TE", programmer_.RemainingMinutes());
        else
            dev.SetNum("TE", 0);
        if (layout_.processStatus) {
            dev.SetText("PR", programmer_.StatusText(static_cast<int>(dev.Num("PN"))));
            dev.SetNum("PI", programmer_.ProcessNumber());
        }
    }

    RegulatorKind kind_;
    RegulatorLayout layout_;
    Ambient ambient_;
    Programmer programmer_;
    OnOffOutput outputs_[3];
    AlarmPoint high_, low_, deviation_;
};

}  // namespace

std::unique_ptr<Behaviour> MakeClimateRegulator(bool fourOutputs)
{
    return std::make_unique<ClimateRegulator>(fourOutputs);
}

std::unique_ptr<Behaviour> MakeTwinLoopRegulator() { return std::make_unique<TwinLoopRegulator>(); }

std::unique_ptr<Behaviour> MakeProcessRegulator(RegulatorKind kind) { return std::make_unique<ProcessRegulator>(kind); }

}  // namespace tarvo::sim
