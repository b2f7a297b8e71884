// The HW600 temperature and humidity indicator: one display window with the temperature in
// four digits and the relative humidity in three. It has no commands of its own.
#pragma once

#include "devices/DeviceType.h"

class QFrame;

namespace tarvo {

class TDisplay;

class THW600 : public TDeviceType {
    Q_OBJECT
public:
    THW600(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;

    QFrame* Prozor;  // the dark window behind both displays
    TDisplay* Display1;
    TDisplay* Display2;
};

}  // namespace tarvo
