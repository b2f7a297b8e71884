// The CQ50 eight-input measuring and alarm unit: the lower read-out shows one input at a time,
// stepping through the inputs in use and jumping to inputs in alarm; the upper read-out names
// the input or blinks its alarm label; four lamps show the alarm outputs.
#pragma once

#include <array>
#include <string>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

class TCQ50 : public TDeviceType {
    Q_OBJECT
public:
    static constexpr int Channels = 8;

    // The alarm label alternation is one for the whole program: every CQ50 panel reads and
    // advances the same flag and label index, so the panels take turns with their labels.
    struct SharedLabels {
        bool mayShowLabel = false;
        int index = 0;  // 0 "HiAL", 1 "LoAL"
    };
    static SharedLabels& Labels();

    TCQ50(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;
    void UpdateMenus() override;

    // "Posebne funkcije" command.
    void ResetAlarmaClick();

    // The input shown (0 for input 1).
    int Channel() const { return channel_; }

    TDisplay* UpperDisplay;
    TDisplay* LowerDisplay;
    std::array<TOutDioda*, 4> OutputLamps{};  // outputs 1 to 4, left to right
    QAction* ResetAlarma;

protected:
    EditRange EditRangeOf(int index) const override;

private:
    void StepChannel();
    void ShowMeasuredValue();
    void ShowChannelLabel();
    // Alarm bits of an input (1 high, 2 low, 4 difference): character 3 of its alarm status
    // text; 0 while that text has not been read.
    int AlarmBits(int channel) const;
    int InputsInUse() const;

    std::array<int, Channels> valueIndex_{};
    std::array<int, Channels> alarmIndex_{};
    int channel_ = 0;
    int periodCounter_ = 0;
};

}  // namespace tarvo
