#include "SimProgrammer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "SimDevice.h"

namespace tarvo::sim {

namespace {

// The program parameters in the store and their profile fields.
struct Field {
    const char* mnemonic;
    double ProgramProfile::*value;
};
const Field Fields[] = {{"r1", &ProgramProfile::r1}, {"l1", &ProgramProfile::l1}, {"t1", &ProgramProfile::t1},
                        {"r2", &ProgramProfile::r2}, {"l2", &ProgramProfile::l2}, {"t2", &ProgramProfile::t2}};

int ProgramNumber(const SimDevice& dev) { return std::clamp(static_cast<int>(dev.Num("PN")), 1, 8); }

void Load(SimDevice& dev, const ProgramProfile& p)
{
    for (const Field& f : Fields)
        dev.SetNum(f.mnemonic, p.*f.value);
    dev.SetNum("EN", p.end);
}

void Save(const SimDevice& dev, ProgramProfile& p)
{
    for (const Field& f : Fields)
        p.*f.value = dev.Num(f.mnemonic);
    p.end = static_cast<int>(dev.Num("EN"));
}

char Hex(int v) { return "0123456789ABCDEF"[v & 0xF]; }

}  // namespace

void Programmer::Init(SimDevice& dev)
{
    // Program 1 comes from the store's starting values; the others climb higher and hold longer.
    Save(dev, programs_[0]);
    for (size_t n = 1; n < programs_.size(); ++n) {
        ProgramProfile& p = programs_[n];
        p = programs_[0];
        p.l1 = programs_[0].l1 + 10.0 * static_cast<double>(n);
        p.l2 = p.l1 + 20.0;
        p.t1 = programs_[0].t1 + 5.0 * static_cast<double>(n);
    }
    program_ = shown_ = ProgramNumber(dev);
    Load(dev, programs_[static_cast<size_t>(shown_ - 1)]);
    sp_ = dev.Num("SP");
}

void Programmer::StoreEdited(SimDevice& dev) { Save(dev, programs_[static_cast<size_t>(shown_ - 1)]); }

void Programmer::Select(SimDevice& dev)
{
    Save(dev, programs_[static_cast<size_t>(shown_ - 1)]);
    shown_ = ProgramNumber(dev);
    Load(dev, programs_[static_cast<size_t>(shown_ - 1)]);
}

bool Programmer::Command(SimDevice& dev, int pc, double pv)
{
    switch (pc) {
    case Idle:
        state_ = Idle;
        return true;
    case Run:
        if (state_ == Idle) {
            StoreEdited(dev);
            program_ = ProgramNumber(dev);
            processNumber_ = processNumber_ >= 9999 ? 1 : processNumber_ + 1;
            sp_ = pv;  // the profile starts from the measured value
            StartSegment(0);
        }
        state_ = Run;
        autoHoldBack_ = false;
        return true;
    case Hold:
    case HoldBack:
    case Pause:
        if (state_ == Idle)
            return false;  // nothing runs that could be held
        state_ = static_cast<State>(pc);
        autoHoldBack_ = false;
        return true;
    default:
        return false;
    }
}

void Programmer::SetRemainingMinutes(double minutes)
{
    if (state_ != Idle && (segment_ == 1 || segment_ == 3))
        remaining_ = std::max(0.0, minutes) * 60.0;
}

void Programmer::StartSegment(int segment)
{
    segment_ = segment;
    const ProgramProfile& p = Running_();
    if (segment == 1)
        remaining_ = p.t1 * 60.0;
    else if (segment == 3)
        remaining_ = p.t2 * 60.0;
    else
        remaining_ = 0;
}

void Programmer::Advance(double dt, double pv, double holdLow, double holdHigh)
{
    if (state_ == Idle || state_ == Hold || state_ == Pause || (state_ == HoldBack && !autoHoldBack_))
        return;
    // Hold-back: the profile waits while the measured value lags too far behind it.
    const bool lagging = (holdLow > 0 && pv < sp_ - holdLow) || (holdHigh > 0 && pv > sp_ + holdHigh);
    if (lagging) {
        state_ = HoldBack;
        autoHoldBack_ = true;
        return;
    }
    if (state_ == HoldBack) {
        state_ = Run;
        autoHoldBack_ = false;
    }
    while (dt > 0 && state_ == Run) {
        const ProgramProfile& p = Running_();
        if (segment_ == 0 || segment_ == 2) {
            const double level = segment_ == 0 ? p.l1 : p.l2;
            const double rate = (segment_ == 0 ? p.r1 : p.r2) / 60.0;
            const double need = rate > 0 ? std::fabs(level - sp_) / rate : 0.0;
            if (need > dt) {
                sp_ += (level > sp_ ? 1 : -1) * rate * dt;
                return;
            }
            sp_ = level;
            dt -= need;
            StartSegment(segment_ + 1);
        } else {
            if (remaining_ > dt) {
                remaining_ -= dt;
                return;
            }
            dt -= remaining_;
            remaining_ = 0;
            if (segment_ == 1) {
                StartSegment(2);
            } else if (p.end >= 1 && p.end <= 8) {
                program_ = p.end;  // chained: the same process goes on with another program
                StartSegment(0);
            } else {
                state_ = Idle;
            }
        }
    }
}

int Programmer::RemainingMinutes() const
{
    if (state_ == Idle)
        return 0;
    double seconds = remaining_;
    if (segment_ == 0 || segment_ == 2) {
        const ProgramProfile& p = Running_();
        const double level = segment_ == 0 ? p.l1 : p.l2;
        const double rate = (segment_ == 0 ? p.r1 : p.r2) / 60.0;
        seconds = rate > 0 ? std::fabs(level - sp_) / rate : 0.0;
    }
    return std::min(9999, static_cast<int>(std::ceil(seconds / 60.0 - 1e-6)));
}

std::string Programmer::StatusText(int selectedProgram) const
{
    std::string s = ">0";
    if (state_ == Idle) {
        s += '0';
        s += Hex(selectedProgram);
        s += '0';
    } else {
        s += Hex(segment_);
        s += Hex(program_);
        s += Hex(state_);
    }
    return s;
}

}  // namespace tarvo::sim
