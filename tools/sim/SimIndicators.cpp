// Indicator behaviours: LX410i and HW600, the alarm scanner CQ50, the channel scanners SVB and
// SVB16 and the clock and message display RMV_Disp. Their values wander around plausible room
// readings; a scenario can push them anywhere.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "SimModels.h"
#include "link/Codec.h"

namespace tarvo::sim {

namespace {

constexpr double DriftTau = 600.0;  // seconds
constexpr double TemperatureSpread = 0.6;
constexpr double HumiditySpread = 3.0;
constexpr unsigned ResetAlarmsBit = StatusBit(4, 2);

// A reading that wanders around `base`.
struct Drift {
    double base = 0;
    double value = 0;
    double spread = 0;
    void Init(Rng& rng, double low, double high, double spreadOf)
    {
        base = std::uniform_real_distribution<double>(low, high)(rng);
        value = base;
        spread = spreadOf;
    }
    double Step(double dt, Rng& rng)
    {
        value = LagStep(value, base, dt, DriftTau, spread, rng);
        return value;
    }
};

std::string Fit(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

// ---------------------------------------------------------------------------------------------
// LX410i (temperature with high and low alarm and a relay) and HW600 (temperature and humidity).

class Indicator : public Behaviour {
public:
    explicit Indicator(IndicatorKind kind) : kind_(kind) {}

    void Init(SimDevice& dev) override
    {
        temperature_.Init(dev.Random(), 21.0, 24.0, TemperatureSpread);
        humidity_.Init(dev.Random(), 45.0, 55.0, HumiditySpread);
        Advance(dev, 0);
    }

    void Advance(SimDevice& dev, double dt) override
    {
        const double t = temperature_.Step(dt, dev.Random());
        if (kind_ == IndicatorKind::HW600) {
            dev.SetNum("1PV", t);
            dev.SetNum("2PV", std::clamp(humidity_.Step(dt, dev.Random()), 0.0, 100.0));
            dev.SetStatusBits(StatusBit(2, 1), dev.SensorBroken(1) || dev.SensorBroken(2));
            return;
        }
        const double pv = t + dev.Num("OF");
        dev.SetNum("PV", pv);
        const bool ok = !dev.SensorBroken(1);
        const unsigned forced = dev.ForcedAlarms(1);
        high_.Update(ModeOf(dev.Num("Ho")), (ok && pv > dev.Num("HA")) || (forced & ForceHigh));
        low_.Update(ModeOf(dev.Num("Lo")), (ok && pv < dev.Num("LA")) || (forced & ForceLow));
        dev.SetStatusBits(StatusBit(2, 8), !ok);
        dev.SetStatusBits(StatusBit(2, 2), high_.Shown());
        dev.SetStatusBits(StatusBit(2, 1), low_.Shown());
        dev.SetStatusBits(StatusBit(1, 8), high_.Shown() || low_.Shown());
    }

    void Written(SimDevice& dev, int index) override
    {
        // A value set by a scenario moves the sensor; the offset stays on top of it.
        const std::string m = dev.Type().Params[index].Mnemonic;
        if (m == "PV")
            temperature_.value = dev.Num("PV") - dev.Num("OF");
        else if (m == "1PV")
            temperature_.value = dev.Num("1PV");
        else if (m == "2PV")
            humidity_.value = dev.Num("2PV");
    }

    void StatusWritten(SimDevice&, unsigned, unsigned written) override
    {
        if (written & ResetAlarmsBit) {
            high_.Reset();
            low_.Reset();
        }
    }

    int SensorCount() const override { return kind_ == IndicatorKind::HW600 ? 2 : 1; }
    int AlarmInputs() const override { return kind_ == IndicatorKind::LX410i ? 1 : 0; }

private:
    // LX410i lists its alarm types as "Lecovan", "Nelecovan", "Iskljucen".
    static AlarmMode ModeOf(double choice)
    {
        switch (static_cast<int>(choice)) {
        case 0:
            return AlarmMode::Latched;
        case 1:
            return AlarmMode::Plain;
        default:
            return AlarmMode::Off;
        }
    }

    IndicatorKind kind_;
    Drift temperature_, humidity_;
    AlarmPoint high_, low_;
};

// ---------------------------------------------------------------------------------------------
// Channel scanners: SVB (8 channels "1PV".."8PV") and SVB16 (16 channels "1P1".."8P2"), with a
// sensor-break word "SI" and a channel-disable word "SS".

std::string ChannelName(int channels, int c, char kind)
{
    if (channels <= 8)
        return std::to_string(c + 1) + (kind == 'P' ? "PV" : "OF");
    return std::to_string(c % 8 + 1) + kind + std::to_string(c / 8 + 1);
}

class ChannelScanner : public Behaviour {
public:
    explicit ChannelScanner(int channels) : channels_(channels), drifts_(static_cast<size_t>(channels)) {}

    void Init(SimDevice& dev) override
    {
        for (int c = 0; c < channels_; ++c) {
            const double base = 20.0 + 1.5 * c;
            drifts_[static_cast<size_t>(c)].Init(dev.Random(), base, base + 1.0, TemperatureSpread);
            value_.push_back(dev.Index(ChannelName(channels_, c, 'P')));
            offset_.push_back(dev.Index(ChannelName(channels_, c, 'O')));
        }
        Advance(dev, 0);
    }

    void Advance(SimDevice& dev, double dt) override
    {
        unsigned broken = 0;
        for (int c = 0; c < channels_; ++c) {
            const size_t i = static_cast<size_t>(c);
            const double v = drifts_[i].Step(dt, dev.Random()) + Offset(dev, c);
            if (value_[i] >= 0)
                dev.SetNumAt(value_[i], v);
            if (dev.SensorBroken(c + 1))
                broken |= 1u << c;
        }
        dev.SetText("SI", HexWord(broken));
    }

    WriteOutcome Write(SimDevice& dev, int index, const std::string& value) override
    {
        if (std::string(dev.Type().Params[index].Mnemonic) != "SS")
            return WriteOutcome::Unhandled;
        unsigned word = 0;
        if (!ParseHexWord(value, word))
            return WriteOutcome::Refused;
        dev.SetText("SS", HexWord(word & Mask()));
        return WriteOutcome::Accepted;
    }

    void Written(SimDevice& dev, int index) override
    {
        for (int c = 0; c < channels_; ++c)
            if (value_[static_cast<size_t>(c)] == index)
                drifts_[static_cast<size_t>(c)].value = dev.NumAt(index) - Offset(dev, c);
    }

    int SensorCount() const override { return channels_; }

private:
    unsigned Mask() const { return channels_ >= 16 ? 0xFFFFu : (1u << channels_) - 1; }
    double Offset(const SimDevice& dev, int c) const
    {
        const int i = offset_[static_cast<size_t>(c)];
        return i >= 0 ? dev.NumAt(i) : 0.0;
    }

    int channels_;
    std::vector<Drift> drifts_;
    std::vector<int> value_, offset_;
};

// ---------------------------------------------------------------------------------------------
// CQ50: eight inputs, each with high, low and difference alarms routed to four delayed outputs.

class AlarmScanner : public Behaviour {
public:
    void Init(SimDevice& dev) override
    {
        for (int n = 0; n < Inputs; ++n) {
            const double base = 18.0 + 1.2 * n;
            drifts_[static_cast<size_t>(n)].Init(dev.Random(), base, base + 1.0, TemperatureSpread);
        }
        Advance(dev, 0);
    }

    void Advance(SimDevice& dev, double dt) override
    {
        const int used = std::clamp(static_cast<int>(dev.Num("IN")), 1, Inputs);
        std::array<double, Inputs> pv{};
        unsigned broken = 0;
        for (int n = 0; n < Inputs; ++n) {
            pv[static_cast<size_t>(n)] = drifts_[static_cast<size_t>(n)].Step(dt, dev.Random()) + Param(dev, n, "OF");
            dev.SetNum(Name(n, "PV").c_str(), pv[static_cast<size_t>(n)]);
            if (dev.SensorBroken(n + 1))
                broken |= 1u << n;
        }
        double average = 0;
        for (int n = 0; n < used; ++n)
            average += pv[static_cast<size_t>(n)] / used;

        std::array<bool, Outputs> wanted{};
        for (int n = 0; n < Inputs; ++n) {
            const size_t i = static_cast<size_t>(n);
            const bool live = n < used && !(broken & (1u << n));
            const int source = static_cast<int>(Param(dev, n, "SS"));
            const double ref = source == 0 ? Param(dev, n, "SP") : source == 9 ? average : pv[static_cast<size_t>(std::clamp(source, 1, 8) - 1)];
            const double v = pv[i];
            const unsigned forced = dev.ForcedAlarms(n + 1);
            AlarmPoint& hi = high_[i];
            AlarmPoint& lo = low_[i];
            AlarmPoint& df = diff_[i];
            hi.Update(AlarmModeOf(Param(dev, n, "HT")),
                      (live && v > Param(dev, n, "HA") - (hi.active ? Param(dev, n, "Hh") : 0)) || (forced & ForceHigh));
            lo.Update(AlarmModeOf(Param(dev, n, "LT")),
                      (live && v < Param(dev, n, "LA") + (lo.active ? Param(dev, n, "Lh") : 0)) || (forced & ForceLow));
            const double band = df.active ? Param(dev, n, "Dh") : 0;
            df.Update(AlarmModeOf(Param(dev, n, "DT")),
                      (live && (v > ref + Param(dev, n, "DH") - band || v < ref - Param(dev, n, "DL") + band)) ||
                          (forced & ForceDeviation));
            const int bits = (hi.Shown() ? 1 : 0) | (lo.Shown() ? 2 : 0) | (df.Shown() ? 4 : 0);
            dev.SetText(Name(n, "AC").c_str(), std::string(">00") + "0123456789ABCDEF"[bits] + "0");
            Route(wanted, hi.Shown(), Param(dev, n, "HO"));
            Route(wanted, lo.Shown(), Param(dev, n, "LO"));
            Route(wanted, df.Shown(), Param(dev, n, "DO"));
        }

        // Outputs switch on after their delay unless blocked; digit 1 shows them as
        // output 1 bit 4, output 2 bit 2, output 3 bit 1, output 4 bit 8.
        static const unsigned Bits[Outputs] = {StatusBit(1, 4), StatusBit(1, 2), StatusBit(1, 1), StatusBit(1, 8)};
        const int present = std::clamp(static_cast<int>(dev.Num("ON")) + 1, 1, Outputs);
        for (int k = 0; k < Outputs; ++k) {
            const size_t i = static_cast<size_t>(k);
            const std::string n = std::to_string(k + 1);
            const bool want = wanted[i] && k < present && dev.Num((n + "OB").c_str()) == 0;
            if (!want) {
                delay_[i] = -1;
                active_[i] = false;
            } else if (!active_[i]) {
                if (delay_[i] < 0)
                    delay_[i] = dev.Num((n + "OD").c_str());
                delay_[i] -= dt;
                active_[i] = delay_[i] <= 0;
            }
            dev.SetNum((n + "DC").c_str(), want && !active_[i] ? std::ceil(std::max(0.0, delay_[i])) : 0.0);
            dev.SetText((n + "OS").c_str(), active_[i] ? ">0001" : ">0000");
            dev.SetStatusBits(Bits[i], active_[i]);
        }
        // Sensor breaks: inputs 5-8 in digit 2, inputs 1-4 in digit 3.
        dev.SetStatusBits(0x0FF0u, false);
        dev.SetStatusBits(broken << 4, true);
    }

    void Written(SimDevice& dev, int index) override
    {
        const std::string m = dev.Type().Params[index].Mnemonic;
        if (m.size() == 3 && m.compare(1, 2, "PV") == 0) {
            const int n = m[0] - '1';
            if (n >= 0 && n < Inputs)
                drifts_[static_cast<size_t>(n)].value = dev.NumAt(index) - Param(dev, n, "OF");
        }
    }

    void StatusWritten(SimDevice&, unsigned, unsigned written) override
    {
        if (written & ResetAlarmsBit)
            for (int n = 0; n < Inputs; ++n) {
                high_[static_cast<size_t>(n)].Reset();
                low_[static_cast<size_t>(n)].Reset();
                diff_[static_cast<size_t>(n)].Reset();
            }
    }

    int SensorCount() const override { return Inputs; }
    int AlarmInputs() const override { return Inputs; }

private:
    static constexpr int Inputs = 8;
    static constexpr int Outputs = 4;

    static std::string Name(int n, const char* suffix) { return std::to_string(n + 1) + suffix; }
    static double Param(const SimDevice& dev, int n, const char* suffix) { return dev.Num(Name(n, suffix).c_str()); }
    static void Route(std::array<bool, Outputs>& wanted, bool shown, double output)
    {
        if (shown)
            wanted[static_cast<size_t>(std::clamp(static_cast<int>(output), 0, Outputs - 1))] = true;
    }

    std::array<Drift, Inputs> drifts_{};
    std::array<AlarmPoint, Inputs> high_{}, low_{}, diff_{};
    std::array<double, Outputs> delay_{-1, -1, -1, -1};
    std::array<bool, Outputs> active_{};
};

// ---------------------------------------------------------------------------------------------
// RMV_Disp: a clock ("1RT".."8RT"), eight alarm times, a free text and the page it shows ("DX").

// Equilibrium moisture content of wood (percent) at a temperature (C) and relative humidity.
double EquilibriumMoisture(double celsius, double rh)
{
    const double t = celsius * 9.0 / 5.0 + 32.0;
    const double h = std::clamp(rh, 0.0, 99.0) / 100.0;
    const double w = 330 + 0.452 * t + 0.00415 * t * t;
    const double k = 0.791 + 4.63e-4 * t - 8.44e-7 * t * t;
    const double k1 = 6.34 + 7.75e-4 * t - 9.35e-5 * t * t;
    const double k2 = 1.09 + 2.84e-2 * t - 9.04e-5 * t * t;
    const double kh = k * h;
    return 1800.0 / w * (kh / (1 - kh) + (k1 * kh + 2 * k1 * k2 * kh * kh) / (1 + k1 * kh + k1 * k2 * kh * kh));
}

bool DecimalDigits(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class ClockDisplay : public Behaviour {
public:
    void Init(SimDevice& dev) override
    {
        temperature_.Init(dev.Random(), 20.0, 24.0, TemperatureSpread);
        humidity_.Init(dev.Random(), 45.0, 60.0, HumiditySpread);
        const std::time_t t = static_cast<std::time_t>(LocalClockNow());
        gmtime_r(&t, &clock_);
        dev.SetText("8RT", ">0080");
        for (int k = 1; k <= 8; ++k)
            dev.SetText((std::to_string(k) + "AL").c_str(), ">FFFF");
        dev.SetText("TX", "TARVO   ");
        Advance(dev, 0);
    }

    void Advance(SimDevice& dev, double dt) override
    {
        dev.SetNum("1PV", temperature_.Step(dt, dev.Random()));
        dev.SetNum("2PV", std::clamp(humidity_.Step(dt, dev.Random()), 0.0, 100.0));
        fraction_ += dt;
        const double whole = std::floor(fraction_);
        if (whole >= 1) {
            fraction_ -= whole;
            const std::time_t t = timegm(&clock_) + static_cast<std::time_t>(whole);
            gmtime_r(&t, &clock_);
        }
        const int fields[7] = {clock_.tm_sec, clock_.tm_min,  clock_.tm_hour,      clock_.tm_wday + 1,
                               clock_.tm_mday, clock_.tm_mon + 1, clock_.tm_year - 100};
        for (int k = 0; k < 7; ++k)
            dev.SetText((std::to_string(k + 1) + "RT").c_str(), Decimal4(fields[k]));
        dev.SetText("DX", Page(dev));
    }

    WriteOutcome Write(SimDevice& dev, int index, const std::string& value) override
    {
        const ParamDesc& d = dev.Type().Params[index];
        const std::string m = d.Mnemonic;
        if (m == "TX") {
            if (value.size() + m.size() > 12 ||
                !std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c <= 0x7A; }))
                return WriteOutcome::Refused;
            dev.SetText("TX", value);
            return WriteOutcome::Accepted;
        }
        if (m.size() == 3 && m.compare(1, 2, "AL") == 0)
            return WriteAlarm(dev, m, value);
        if (m.size() == 3 && m.compare(1, 2, "RT") == 0)
            return WriteClock(dev, d, value);
        return WriteOutcome::Unhandled;
    }

private:
    static std::string Decimal4(int v)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, ">%04d", std::clamp(v, 0, 9999));
        return buf;
    }

    WriteOutcome WriteAlarm(SimDevice& dev, const std::string& m, const std::string& value)
    {
        if (value.size() != 5 || value[0] != '>')
            return WriteOutcome::Refused;
        const std::string t = value.substr(1);
        if (t == "FFFF" || t == "ffff") {
            dev.SetText(m.c_str(), ">FFFF");
            return WriteOutcome::Accepted;
        }
        if (!DecimalDigits(t) || std::stoi(t.substr(0, 2)) > 23 || std::stoi(t.substr(2)) > 59)
            return WriteOutcome::Refused;
        dev.SetText(m.c_str(), value);
        return WriteOutcome::Accepted;
    }

    WriteOutcome WriteClock(SimDevice& dev, const ParamDesc& d, const std::string& value)
    {
        const int field = d.Mnemonic[0] - '1';
        unsigned word = 0;
        if (field == 7) {  // configuration word
            if (!ParseHexWord(value, word))
                return WriteOutcome::Refused;
            dev.SetText("8RT", HexWord(word));
            return WriteOutcome::Accepted;
        }
        if (value.size() != 5 || value[0] != '>' || !DecimalDigits(value.substr(1)))
            return WriteOutcome::Refused;
        const int v = std::stoi(value.substr(1));
        if (v < d.MinValue || v > d.MaxValue)
            return WriteOutcome::Refused;
        int* const targets[7] = {&clock_.tm_sec,  &clock_.tm_min, &clock_.tm_hour, &clock_.tm_wday,
                                 &clock_.tm_mday, &clock_.tm_mon, &clock_.tm_year};
        const int adjust[7] = {0, 0, 0, -1, 0, -1, 100};
        *targets[field] = v + adjust[field];
        fraction_ = 0;
        Advance(dev, 0);
        return WriteOutcome::Accepted;
    }

    // The page on the display now: temperature and humidity, moisture, time, date, text, each
    // for its interval "1DI".."5DI" in seconds.
    std::string Page(const SimDevice& dev) const
    {
        double intervals[5];
        double total = 0;
        for (int k = 0; k < 5; ++k) {
            intervals[k] = std::max(0.0, dev.Num((std::to_string(k + 1) + "DI").c_str()));
            total += intervals[k];
        }
        int page = 0;
        if (total > 0) {
            double pos = std::fmod(dev.Now(), total);
            while (page < 4 && pos >= intervals[page]) {
                pos -= intervals[page];
                ++page;
            }
        }
        char buf[32];
        const double t = dev.Num("1PV");
        const double h = dev.Num("2PV");
        switch (page) {
        case 0:
            std::snprintf(buf, sizeof buf, "%4.1f%3.0f%%", t, h);
            break;
        case 1:
            std::snprintf(buf, sizeof buf, "EMC%5.1f", EquilibriumMoisture(t, h));
            break;
        case 2:
            std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", clock_.tm_hour, clock_.tm_min, clock_.tm_sec);
            break;
        case 3:
            std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", clock_.tm_mday, clock_.tm_mon + 1, clock_.tm_year % 100);
            break;
        default:
            return Fit(dev.Text("TX"), 8);
        }
        return Fit(buf, 8);
    }

    Drift temperature_, humidity_;
    std::tm clock_{};
    double fraction_ = 0;
};

}  // namespace

std::unique_ptr<Behaviour> MakeIndicator(IndicatorKind kind) { return std::make_unique<Indicator>(kind); }
std::unique_ptr<Behaviour> MakeAlarmScanner() { return std::make_unique<AlarmScanner>(); }
std::unique_ptr<Behaviour> MakeChannelScanner(int channels) { return std::make_unique<ChannelScanner>(channels); }
std::unique_ptr<Behaviour> MakeClockDisplay() { return std::make_unique<ClockDisplay>(); }

}  // namespace tarvo::sim
