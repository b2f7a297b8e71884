// The single-input regulators GR310, GR310S and GR210. They share one front plate: the measured
// value above, the set point (or, in manual mode, the output level) below, three output lamps,
// a manual-mode lamp and a status lamp; alarms take turns with the lower display's content.
// The three differ only in the traits below, so one class does the work and each model is a
// constructor that names its traits.
#pragma once

#include <array>
#include <vector>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

// What sets one model of the family apart.
struct RegulatorTraits {
    int idTip;
    // Digit 2 bit 8 means "an alarm is present" and gates the alarm bits; without a specific
    // cause it stands for an alarm of its own ("__Al"). GR310S takes the cause bits as they are.
    bool alarmFlagGates;
    // Manual mode (digit 3 bit 8) with its lamp, the output level on display 2 and the
    // "Rucni rezim" command, allowed by "MA".
    bool manualMode;
    // The parameter that chooses the second output's function, and the value under which the
    // program switches that output ("Ukljucen IZLAZ2"); null when the model has no such command.
    const char* output2Function;
    int output2Remote;
};

class TGRRegulator : public TDeviceType {
    Q_OBJECT
public:
    void ShowValues() override;
    void UpdateMenus() override;

    // "Posebne funkcije" commands (status-word changes written by the next polling pass).
    void ResetAlarmaClick();
    void RucniRezimClick();
    void UkljucenIzlaz2Click();

    const RegulatorTraits& Traits() const { return traits_; }

    TDisplay* Display1;
    TDisplay* Display2;
    std::array<TOutDioda*, 3> OutputLamps{};
    TOutDioda* ManualLamp;
    TOutDioda* StatusLamp;  // on the plate; no state of these controllers lights it
    QAction* ResetAlarma;
    QAction* RucniRezim = nullptr;      // GR310, GR310S
    QAction* UkljucenIzlaz2 = nullptr;  // GR310, GR210

    // Labels of the alarm bits, bit 0 first.
    static const std::vector<const char*> AlarmLabels;

protected:
    TGRRegulator(QWidget* owner, uint8_t group, uint8_t unit, const RegulatorTraits& traits);

    EditRange EditRangeOf(int index) const override;

private:
    void BuildWidgets();
    void BuildCommands();
    unsigned AlarmBits() const;
    void ShowLowerDisplay(bool manual);

    const RegulatorTraits& traits_;
    AlarmAlternation alarms_;
};

// GR310: PID regulator with a two-segment programmer, manual mode and a second output that
// the program can switch.
class TGR310 : public TGRRegulator {
    Q_OBJECT
public:
    TGR310(QWidget* owner, uint8_t group, uint8_t unit);
};

// GR310S: GR310 with a servo (valve positioner) output instead of the switchable second output.
class TGR310S : public TGRRegulator {
    Q_OBJECT
public:
    TGR310S(QWidget* owner, uint8_t group, uint8_t unit);
};

// GR210: regulator with a cycle timer; no programmer and no manual mode.
class TGR210 : public TGRRegulator {
    Q_OBJECT
public:
    TGR210(QWidget* owner, uint8_t group, uint8_t unit);
};

}  // namespace tarvo
