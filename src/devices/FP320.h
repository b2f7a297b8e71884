// The FP320 programmer-regulator: two inputs and eight stored set-point programs. Besides its
// front plate it reports to the main window whether a program runs and under which process
// number, and lets the main window start, stop and select programs.
#pragma once

#include <array>
#include <vector>
#include <string>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

// The programmer status text "PR": segment, program and state in characters 2, 3 and 4 (each
// the low four bits of the character). An empty text has not been read yet.
struct ProgramStatus {
    bool read = false;
    int segment = 0;
    int program = 0;
    int state = 0;
};
// Decodes "PR"; a text that is neither empty nor long enough throws std::out_of_range.
ProgramStatus DecodeProgramStatus(const std::string& text);

class TFP320 : public TDeviceType {
    Q_OBJECT
public:
    // Programmer states as "PC" reports them.
    enum : int { Idle = 0, Run = 1, Hold = 2, HoldBack = 3, Pause = 4 };
    // What display 1 shows: the set point, input 1 or input 2.
    enum : int { ModeSetPoint = 0, ModeInput1 = 1, ModeInput2 = 2 };

    TFP320(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;
    void UpdateMenus() override;

    // The main window's program controls: ordinary writes to this controller.
    void StartProgram();
    void StopProgram();
    void SelectProgram(int n);

    // "Posebne funkcije" command.
    void ResetAlarmaClick();

    // Read by the main window (work orders): "PC" and "PI" of the last decoded tick, and the
    // number of the program that ran last.
    uint8_t ProgramRunning = 0;
    int ProcessNumber = 0;
    int ActiveProgram = 0;
    int DisplayMode = ModeSetPoint;

    TDisplay* Display1;
    TDisplay* Display2;
    TDisplay* Display3;
    std::array<TOutDioda*, 3> OutputLamps{};
    std::array<TOutDioda*, 5> ProfileLamps{};
    QAction* ResetAlarma;

    // Labels of the alarm bits, bit 0 first.
    static const std::vector<const char*> AlarmLabels;

protected:
    EditRange EditRangeOf(int index) const override;

private:
    void BuildWidgets();
    void ShowOnline();
    void ShowDisplay1();
    // The mode that follows `shown` on a click on display 1.
    int NextDisplayMode(int shown) const;
    unsigned AlarmBits(const ProgramStatus& pr) const;
    void ShowProgram(const ProgramStatus& pr, int shownNumber);
    void ShowIdle(int selected);
    void WriteByMnemonic(const char* mnemonic, const std::string& value);

    AlarmAlternation alarms_;
};

}  // namespace tarvo
