// The set-point programmer of FP320, GR310 and GR310S: eight stored two-ramp, two-hold programs,
// run, hold, hold-back and pause, program chaining and the process counter.
#pragma once

#include <array>
#include <string>

namespace tarvo::sim {

class SimDevice;

// One stored program: ramp to l1 at r1 per minute, hold t1 minutes, ramp to l2 at r2, hold t2,
// then stop or go on with program `end` (1..8).
struct ProgramProfile {
    double r1 = 2.0, l1 = 60.0, t1 = 10;
    double r2 = 1.0, l2 = 80.0, t2 = 10;
    int end = 0;
};

class Programmer {
public:
    // Programmer state as "PC" reports it.
    enum State { Idle = 0, Run = 1, Hold = 2, HoldBack = 3, Pause = 4 };

    // Fills the eight programs with distinct plausible profiles and shows the selected one.
    void Init(SimDevice& dev);
    // Mirrors the store's program parameters into the program they belong to (after a write).
    void StoreEdited(SimDevice& dev);
    // "PN" changed: keep the parameters of the program shown so far, show the new one's.
    void Select(SimDevice& dev);

    // A write of "PC": false when the controller refuses it.
    bool Command(SimDevice& dev, int pc, double pv);
    // A write of "TE" while running: the rest of the current segment in minutes.
    void SetRemainingMinutes(double minutes);

    // Runs the profile for dt seconds; holdLow/holdHigh are the hold-back bands (0: none).
    void Advance(double dt, double pv, double holdLow, double holdHigh);

    State state() const { return state_; }
    bool Running() const { return state_ != Idle; }
    int Program() const { return program_; }
    int Segment() const { return segment_; }
    double SetPoint() const { return sp_; }
    void SetSetPoint(double sp) { sp_ = sp; }
    // Minutes to the end of the segment, rounded up (0 when idle).
    int RemainingMinutes() const;
    // Runs started so far, as the process number; the next start takes the next one.
    int ProcessNumber() const { return processNumber_; }
    void SetProcessNumber(int n) { processNumber_ = n; }
    // Programmer status word: segment, program and state in characters 2, 3 and 4.
    std::string StatusText(int selectedProgram) const;

private:
    void StartSegment(int segment);
    const ProgramProfile& Running_() const { return programs_[static_cast<size_t>(program_ - 1)]; }

    std::array<ProgramProfile, 8> programs_{};
    State state_ = Idle;
    bool autoHoldBack_ = false;
    int program_ = 1;  // the program running (or last run)
    int shown_ = 1;    // the program whose parameters the store holds
    int segment_ = 0;
    double sp_ = 0;
    double remaining_ = 0;  // seconds of the current hold segment
    int processNumber_ = 100;
};

}  // namespace tarvo::sim
