#include "SimDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "SimModels.h"
#include "link/Codec.h"

namespace tarvo::sim {

namespace {

constexpr unsigned RereadBit = StatusBit(4, 8);
constexpr unsigned KeyLockBit = StatusBit(4, 4);
// Largest value text between STX and ETX, mnemonic included.
constexpr size_t ReplyTextLimit = 12;

double Pow10(int d) { return std::pow(10.0, d); }

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool Printable(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7A; });
}

}  // namespace

bool ParseHexWord(const std::string& text, unsigned& out)
{
    if (text.size() != 5 || text[0] != '>')
        return false;
    unsigned v = 0;
    for (size_t i = 1; i < 5; ++i) {
        const char c = text[i];
        if (!IsHexDigit(c))
            return false;
        const unsigned d = c <= '9' ? static_cast<unsigned>(c - '0')
                                    : static_cast<unsigned>((c | 0x20) - 'a' + 10);
        v = (v << 4) | d;
    }
    out = v;
    return true;
}

std::string HexWord(unsigned value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, ">%04X", value & 0xFFFFu);
    return buf;
}

std::string FormatNumber(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 3);
    const double scale = Pow10(decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0;  // no "-0.0"
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
    return buf;
}

SimDevice::SimDevice(const DeviceTypeInfo& type, int group, int unit, Rng& rng)
    : type_(type), group_(group), unit_(unit), rng_(rng), slots_(static_cast<size_t>(type.ParamCount))
{
    for (int i = type.ParamCount - 1; i >= 0; --i)  // the first of equal names wins, as in the table
        indexOf_[type.Params[i].Mnemonic] = i;
    ModelSetup setup = MakeModel(type);
    decimalsRule_ = setup.rule;
    decimalsParam_ = setup.decimalsParam ? Index(setup.decimalsParam) : -1;
    behaviour_ = std::move(setup.behaviour);
    SetDefaults();
    behaviour_->Init(*this);
    behaviour_->Advance(*this, 0);
}

SimDevice::~SimDevice() = default;

std::string SimDevice::Address() const
{
    return std::string{static_cast<char>('0' + group_), static_cast<char>('0' + unit_)};
}

void SimDevice::SetDefaults()
{
    // Parameters that decide the decimals of others come first.
    std::vector<int> order;
    for (int i = 0; i < type_.ParamCount; ++i)
        order.push_back(i);
    std::stable_partition(order.begin(), order.end(), [this](int i) {
        const std::string m = type_.Params[i].Mnemonic;
        return m == "SN" || i == decimalsParam_;
    });
    for (int i : order) {
        const ParamDesc& d = type_.Params[i];
        Slot& slot = slots_[static_cast<size_t>(i)];
        if (d.ValueKind == KindNumber) {
            double lo = 0, hi = 0;
            Range(i, lo, hi);
            double v = 0;
            if (!PlausibleDefault(type_, d.Mnemonic, v) || v < lo || v > hi)
                v = std::clamp(0.0, lo, hi);
            if (d.HasChoices())
                v = std::ceil(v);
            slot.number = v;
        } else if (d.ValueKind == KindHexWord) {
            slot.text = ">0000";
        }
    }
    const int ii = Index("II");
    if (ii >= 0 && type_.IdentCodes[0])
        slots_[static_cast<size_t>(ii)].text = type_.IdentCodes[0];
    status_ = 0;
}

void SimDevice::AdvanceTo(double now)
{
    const double dt = now - now_;
    if (dt <= 0)
        return;
    // Steps of at most a second keep ramps, segment ends and alarms accurate; very long gaps
    // use at most a thousand steps.
    const int steps = static_cast<int>(std::min(1000.0, std::ceil(dt)));
    const double h = dt / steps;
    for (int k = 0; k < steps; ++k) {
        now_ += h;
        behaviour_->Advance(*this, h);
    }
    now_ = now;
}

int SimDevice::Index(const std::string& mnemonic) const
{
    const auto it = indexOf_.find(mnemonic);
    return it == indexOf_.end() ? -1 : it->second;
}

int SimDevice::MatchPrefix(const std::string& text) const
{
    int best = -1;
    size_t bestLen = 0;
    for (int i = 0; i < type_.ParamCount; ++i) {
        const std::string m = type_.Params[i].Mnemonic;
        if (m.size() > bestLen && text.compare(0, m.size(), m) == 0) {
            best = i;
            bestLen = m.size();
        }
    }
    return best;
}

int SimDevice::DecimalsOf(int index) const
{
    int d = type_.Params[index].Decimals;
    switch (decimalsRule_) {
    case DecimalsRule::Plain:
        break;
    case DecimalsRule::SensorTableFor3:
        if (d == 3 && type_.Sensors && type_.SensorCount > 0) {
            const int sn = std::clamp(static_cast<int>(Num("SN")), 0, type_.SensorCount - 1);
            d = type_.Sensors[sn].Decimals;
        }
        break;
    case DecimalsRule::ParamForNonZero:
        if (d != 0 && decimalsParam_ >= 0)
            d = static_cast<int>(NumAt(decimalsParam_));
        break;
    case DecimalsRule::ParamForMinus1:
        if (d == -1 && decimalsParam_ >= 0)
            d = static_cast<int>(NumAt(decimalsParam_));
        break;
    }
    return std::clamp(d, 0, 3);
}

void SimDevice::Range(int index, double& lo, double& hi) const
{
    const ParamDesc& d = type_.Params[index];
    if (d.MinValue == 0 && d.MaxValue == 0) {
        // No limits in the table: anything a four-digit display with its decimals can show.
        lo = -9999;
        hi = 99999;
        return;
    }
    // Some types keep limits in display counts, others in units: a controller takes a value
    // that is inside either reading.
    const double s = Pow10(DecimalsOf(index));
    lo = std::min<double>(d.MinValue, d.MinValue / s);
    hi = std::max<double>(d.MaxValue, d.MaxValue / s);
}

std::string SimDevice::ReadText(int index) const
{
    const ParamDesc& d = type_.Params[index];
    std::string text;
    if (std::string(d.Mnemonic) == "SW")
        text = StatusText();
    else if (d.ValueKind == KindNumber)
        text = FormatNumber(NumAt(index), DecimalsOf(index));
    else
        text = slots_[static_cast<size_t>(index)].text;
    const size_t room = ReplyTextLimit - std::min(ReplyTextLimit, std::string(d.Mnemonic).size());
    if (text.size() > room)
        text.resize(room);
    return text;
}

bool SimDevice::Write(int index, const std::string& value)
{
    if (index < 0 || index >= type_.ParamCount)
        return false;
    const ParamDesc& d = type_.Params[index];
    if (std::string(d.Mnemonic) == "SW")
        return WriteStatus(value);
    const WriteOutcome special = behaviour_->Write(*this, index, value);
    bool accepted = special == WriteOutcome::Accepted;
    if (special == WriteOutcome::Unhandled)
        accepted = d.IsWritable() && d.ValueKind == KindNumber && WriteNumber(index, value);
    if (accepted)
        behaviour_->Advance(*this, 0);  // status bits follow at once
    return accepted;
}

bool SimDevice::WriteNumber(int index, const std::string& value)
{
    const ParamDesc& d = type_.Params[index];
    double v = 0;
    if (!ParseDecimal(value, v) || !std::isfinite(v))
        return false;
    const double eps = 1e-6;
    if (d.HasChoices()) {
        if (v != std::floor(v) || v < d.MinValue - eps || v > d.MaxValue + eps)
            return false;
    } else {
        const double s = Pow10(DecimalsOf(index));
        v = std::round(v * s) / s;  // the controller keeps what its display can show
        double lo = 0, hi = 0;
        Range(index, lo, hi);
        if (v < lo - eps || v > hi + eps)
            return false;
    }
    SetNumAt(index, v);
    behaviour_->Written(*this, index);
    return true;
}

bool SimDevice::WriteStatus(const std::string& value)
{
    unsigned written = 0;
    if (!ParseHexWord(value, written))
        return false;
    const unsigned before = status_;
    const unsigned programMask = KeyLockBit | behaviour_->ProgramBits(*this);
    status_ = (status_ & ~programMask) | (written & programMask);
    if (!(written & RereadBit))
        status_ &= ~RereadBit;  // the re-read request is acknowledged
    behaviour_->StatusWritten(*this, before, written);
    behaviour_->Advance(*this, 0);
    return true;
}

void SimDevice::Force(int index, const std::string& value)
{
    if (index < 0 || index >= type_.ParamCount)
        throw std::invalid_argument("no such parameter");
    const ParamDesc& d = type_.Params[index];
    const std::string mnemonic = d.Mnemonic;
    if (mnemonic == "SW") {
        unsigned w = 0;
        if (!ParseHexWord(value, w))
            throw std::invalid_argument("status word must be '>' and four hex digits");
        status_ = w;
        behaviour_->Advance(*this, 0);
        return;
    }
    if (d.ValueKind == KindNumber) {
        double v = 0;
        if (!ParseDecimal(value, v) || !std::isfinite(v) || std::fabs(v) >= 1e6)
            throw std::invalid_argument("'" + value + "' is not a number for " + mnemonic);
        SetNumAt(index, v);
        behaviour_->Written(*this, index);
        behaviour_->Advance(*this, 0);
        return;
    }
    if (d.ValueKind == KindHexWord) {
        if (value.size() != 5 || value[0] != '>' || !Printable(value))
            throw std::invalid_argument(mnemonic + " takes '>' and four characters");
    } else if (value.size() + mnemonic.size() > ReplyTextLimit || !Printable(value)) {
        throw std::invalid_argument("text for " + mnemonic + " is too long or not printable");
    }
    slots_[static_cast<size_t>(index)].text = value;
    behaviour_->Written(*this, index);
    behaviour_->Advance(*this, 0);
}

double SimDevice::Num(const char* mnemonic) const
{
    const int i = Index(mnemonic);
    return i >= 0 ? NumAt(i) : 0.0;
}

void SimDevice::SetNum(const char* mnemonic, double value)
{
    const int i = Index(mnemonic);
    if (i >= 0)
        SetNumAt(i, value);
}

std::string SimDevice::Text(const char* mnemonic) const
{
    const int i = Index(mnemonic);
    if (i < 0)
        return {};
    if (std::string(mnemonic) == "SW")
        return StatusText();
    return slots_[static_cast<size_t>(i)].text;
}

void SimDevice::SetText(const char* mnemonic, const std::string& text)
{
    const int i = Index(mnemonic);
    if (i >= 0)
        slots_[static_cast<size_t>(i)].text = text;
}

std::string SimDevice::StatusText() const { return HexWord(status_); }

void SimDevice::SetStatusBits(unsigned mask, bool on)
{
    if (on)
        status_ |= mask;
    else
        status_ &= ~mask;
}

void SimDevice::RaiseReread() { status_ |= RereadBit; }

int SimDevice::FrontKeyChange()
{
    if (status_ & KeyLockBit)
        return -1;  // the front keys are locked
    std::vector<int> candidates;
    for (int i = 0; i < type_.ParamCount; ++i) {
        const ParamDesc& d = type_.Params[i];
        if (d.IsWritable() && d.ValueKind == KindNumber && !d.HasChoices() && !d.IsCyclic() &&
            behaviour_->FrontKeyParam(*this, i))
            candidates.push_back(i);
    }
    if (candidates.empty())
        return -1;
    const int i = candidates[std::uniform_int_distribution<size_t>(0, candidates.size() - 1)(rng_)];
    const double s = Pow10(DecimalsOf(i));
    double lo = 0, hi = 0;
    Range(i, lo, hi);
    const int counts = std::uniform_int_distribution<int>(1, 10)(rng_);
    const double step = counts / s;
    double v = NumAt(i) + (std::bernoulli_distribution(0.5)(rng_) ? step : -step);
    if (v > hi || v < lo)
        v = NumAt(i) - (v - NumAt(i));
    SetNumAt(i, std::clamp(v, lo, hi));
    behaviour_->Written(*this, i);
    RaiseReread();
    return i;
}

bool SimDevice::SensorBroken(int input) const
{
    return input >= 1 && input < static_cast<int>(broken_.size()) && broken_[static_cast<size_t>(input)];
}

void SimDevice::SetSensorBroken(int input, bool broken)
{
    if (input >= 1 && input < static_cast<int>(broken_.size()))
        broken_[static_cast<size_t>(input)] = broken;
    behaviour_->Advance(*this, 0);
}

unsigned SimDevice::ForcedAlarms(int input) const
{
    return input >= 1 && input < static_cast<int>(forced_.size()) ? forced_[static_cast<size_t>(input)] : 0;
}

void SimDevice::SetForcedAlarms(int input, unsigned bits)
{
    if (input >= 1 && input < static_cast<int>(forced_.size()))
        forced_[static_cast<size_t>(input)] = bits;
    behaviour_->Advance(*this, 0);
}

}  // namespace tarvo::sim
