// One simulated controller: its whole parameter store, its status word and, through its type's
// behaviour, its plant. Answers reads and judges writes exactly as the controller would; knows
// nothing about frames or ports.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "SimPlant.h"
#include "devices/TypeTable.h"

namespace tarvo::sim {

class SimDevice;

enum class WriteOutcome { Unhandled, Accepted, Refused };

// Where a parameter's decimals come from when its Decimals field has a special meaning.
enum class DecimalsRule {
    Plain,            // Decimals as given
    SensorTableFor3,  // 3: the sensor range table row of "SN"
    ParamForNonZero,  // not 0: the value of the display-definition parameter
    ParamForMinus1,   // -1: the value of the display-definition parameter
};

// Alarm kinds a scenario can force (bits of ForcedAlarms).
enum ForcedAlarm : unsigned { ForceHigh = 1, ForceLow = 2, ForceDeviation = 4 };

// The type-specific part of a simulated controller: plant, status bits, reactions to writes.
class Behaviour {
public:
    virtual ~Behaviour() = default;
    // Sets plausible starting values after the generic defaults.
    virtual void Init(SimDevice&) {}
    // Advances the plant by dt simulated seconds and recomputes the status bits it owns
    // (dt 0 only recomputes).
    virtual void Advance(SimDevice&, double dt) = 0;
    // A write the type judges itself (special commands, coupled limits); Unhandled leaves it to
    // the generic rule.
    virtual WriteOutcome Write(SimDevice&, int /*index*/, const std::string& /*value*/)
    {
        return WriteOutcome::Unhandled;
    }
    // Called after the generic rule stored a write.
    virtual void Written(SimDevice&, int /*index*/) {}
    // Status bits that an "SW" write sets and clears as written (besides the keyboard lock).
    virtual unsigned ProgramBits(const SimDevice&) const { return 0; }
    // Reacts to an "SW" write: alarm reset, new cycle, calibration.
    virtual void StatusWritten(SimDevice&, unsigned /*before*/, unsigned /*written*/) {}
    // Sensor inputs that a scenario can break (1..n).
    virtual int SensorCount() const { return 0; }
    // Inputs on which a scenario can force alarms (0: the type has no alarms).
    virtual int AlarmInputs() const { return 0; }
    // Whether parameter i may be changed at the front keys (to simulate an operator there).
    virtual bool FrontKeyParam(const SimDevice&, int /*index*/) const { return true; }
};

class SimDevice {
public:
    SimDevice(const DeviceTypeInfo& type, int group, int unit, Rng& rng);
    ~SimDevice();
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    const DeviceTypeInfo& Type() const { return type_; }
    int Group() const { return group_; }
    int Unit() const { return unit_; }
    // "11" style address text.
    std::string Address() const;

    // Taken off the bus: answers nothing and ignores group and network writes.
    bool OnBus() const { return onBus_; }
    void SetOnBus(bool on) { onBus_ = on; }

    // Brings the plant to simulated time `now` (seconds); earlier times are ignored.
    void AdvanceTo(double now);

    // Parameter index of an exact mnemonic, or -1.
    int Index(const std::string& mnemonic) const;
    // Index of the longest mnemonic that `text` starts with, or -1.
    int MatchPrefix(const std::string& text) const;

    // The value text a read of parameter i returns.
    std::string ReadText(int index) const;
    // A write of `value` to parameter i as it arrives on the bus: true = accepted.
    bool Write(int index, const std::string& value);
    // Sets a value from a scenario, without the limits of the bus (still checked for form).
    // Throws std::invalid_argument with a reason when the text does not fit the parameter.
    void Force(int index, const std::string& value);

    // Generic store access for behaviours, by mnemonic; absent mnemonics read as 0 / "" and
    // writes to them are ignored.
    bool Has(const char* mnemonic) const { return Index(mnemonic) >= 0; }
    double Num(const char* mnemonic) const;
    void SetNum(const char* mnemonic, double value);
    double NumAt(int index) const { return slots_[static_cast<size_t>(index)].number; }
    void SetNumAt(int index, double value) { slots_[static_cast<size_t>(index)].number = value; }
    std::string Text(const char* mnemonic) const;
    void SetText(const char* mnemonic, const std::string& text);
    // The parameter's decimals with this type's special meanings resolved.
    int DecimalsOf(int index) const;

    // Status word as a 16-bit number (digit 1 most significant) and as its text ">hhhh".
    unsigned Status() const { return status_; }
    std::string StatusText() const;
    void SetStatusBits(unsigned mask, bool on);
    // Raises digit 4 bit 8: the controller asks to be read again completely.
    void RaiseReread();
    // Changes one operator parameter a little, as someone at the front keys would, and raises
    // the re-read request. Returns the parameter's index, or -1 when there is none to change.
    int FrontKeyChange();

    // Sensor break of input n (1..SensorCount()).
    bool SensorBroken(int input) const;
    void SetSensorBroken(int input, bool broken);
    int SensorCount() const { return behaviour_->SensorCount(); }
    // Alarms forced by a scenario on input n (ForcedAlarm bits).
    unsigned ForcedAlarms(int input) const;
    void SetForcedAlarms(int input, unsigned bits);
    int AlarmInputs() const { return behaviour_->AlarmInputs(); }

    Rng& Random() { return rng_; }
    double Now() const { return now_; }

private:
    struct Slot {
        double number = 0;
        std::string text;
    };

    void SetDefaults();
    bool WriteNumber(int index, const std::string& value);
    bool WriteStatus(const std::string& value);
    // Numeric range accepted for parameter i (both ends inclusive).
    void Range(int index, double& lo, double& hi) const;

    const DeviceTypeInfo& type_;
    int group_;
    int unit_;
    Rng& rng_;
    bool onBus_ = true;
    double now_ = 0;
    bool started_ = false;
    unsigned status_ = 0;
    std::vector<Slot> slots_;
    std::unordered_map<std::string, int> indexOf_;  // behaviours look parameters up by name often
    std::array<bool, 17> broken_{};
    std::array<unsigned, 17> forced_{};
    DecimalsRule decimalsRule_ = DecimalsRule::Plain;
    int decimalsParam_ = -1;
    std::unique_ptr<Behaviour> behaviour_;
};

// Parses a hex word ">hhhh" (either case) into its 16-bit value.
bool ParseHexWord(const std::string& text, unsigned& out);
// ">hhhh" in upper case.
std::string HexWord(unsigned value);
// A number with d decimals as a controller sends it ("23.4", "-5", never "-0.0").
std::string FormatNumber(double value, int decimals);

}  // namespace tarvo::sim
