// The KV710 and KV720 temperature and humidity regulators: one loop on the temperature
// ("1PV"), one on the relative humidity ("2PV"). Their panels show both values and the output
// lamps, and outside Online the panel's communication state on the two displays.
#pragma once

#include <vector>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;
class TOutDioda;

// What the two models share: the plate, the display rules and the editing ranges.
class TKVRegulator : public TDeviceType {
    Q_OBJECT
public:
    void ShowValues() override;

    TDisplay* Display1;
    TDisplay* Display2;
    std::vector<TOutDioda*> OutputLamps;

protected:
    // idTip: the model's type number; lampLefts: left edges of the output lamps, in order.
    TKVRegulator(QWidget* owner, uint8_t group, uint8_t unit, int idTip, const std::vector<int>& lampLefts);

    // Limits are whole engineering units, scaled to counts by the decimals; some are taken
    // from other parameters.
    EditRange EditRangeOf(int index) const override;

private:
    void ShowOnline();
    void ShowState(const char* upper, const char* lower);
};

class TKV710 : public TKVRegulator {
    Q_OBJECT
public:
    TKV710(QWidget* owner, uint8_t group, uint8_t unit);

    void UpdateMenus() override;
    // "Posebne funkcije": switches output 3 by hand while it serves no loop.
    void UkljucenIzlaz3Click();

    QAction* UkljucenIzlaz3;
};

class TKV720 : public TKVRegulator {
    Q_OBJECT
public:
    TKV720(QWidget* owner, uint8_t group, uint8_t unit);
};

}  // namespace tarvo
