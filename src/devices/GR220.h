// The GR220 regulator: two measuring inputs, three loops and a cycle timer. Loops 1 and 2 ramp
// their set points and hold them for the cycle time; when it has run out the controller raises
// an end-of-cycle flag and waits for the operator to start the next cycle.
#pragma once

#include <array>
#include <vector>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

class TGR220 : public TDeviceType {
    Q_OBJECT
public:
    // Alarm bits of the lower display, as labels take turns with input 2.
    enum : unsigned { HoldBack1 = 1u << 0, HoldBack2 = 1u << 1, CycleEnded = 1u << 2 };

    TGR220(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;
    void UpdateMenus() override;
    // "Posebne funkcije": clears the end-of-cycle flag, which starts a new cycle.
    void StartNovogCiklusaClick();

    TDisplay* Display1;
    TDisplay* Display2;
    std::array<TOutDioda*, 3> OutputLamps{};
    TOutDioda* StatusLampA;
    TOutDioda* StatusLampB;
    QAction* StartNovogCiklusa;

    // Labels of the alarm bits, bit 0 first.
    static const std::vector<const char*> AlarmLabels;

protected:
    EditRange EditRangeOf(int index) const override;

private:
    void BuildWidgets();
    void ShowOnline();
    unsigned AlarmBits() const;

    AlarmAlternation alarms_;
};

}  // namespace tarvo
