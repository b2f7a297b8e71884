// The LX410i single-input indicator: one read-out on a half-height plate that blinks its high
// or low alarm label with the measured value, and the alarm relay lamp.
#pragma once

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

class TLX410i : public TDeviceType {
    Q_OBJECT
public:
    TLX410i(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;

    // "Posebne funkcije" command.
    void ResetAlarmaClick();

    TDisplay* Display1;
    TOutDioda* RelayLamp;
    QAction* ResetAlarma;

private:
    // The label (or the value) the read-out shows for status digit 2.
    std::string DisplayText(int alarms);

    bool mayShowLabel_ = false;
};

}  // namespace tarvo
