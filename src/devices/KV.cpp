#include "devices/KV.h"

#include <QAction>

#include <cmath>
#include <cstring>

#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

// Output lamps follow status digit 1 from its highest bit down.
const int kLampBits[] = {8, 4, 2, 1};

// Limits that follow another parameter's current value: the set point stays under the maximum
// set point, each sensor's upper break above its lower break.
struct CoupledLimit {
    const char* param;
    const char* source;
    bool upper;  // the source gives the upper limit (else the lower)
};
const CoupledLimit kCoupled[] = {
    {"1SP", "1HS", true}, {"1BH", "1BL", false}, {"1BL", "1BH", true},
    {"2BH", "2BL", false}, {"2BL", "2BH", true},
};

// Whole units of a value as a limit, rounded inward so that the limit is never crossed
// (an upper limit of 80.5 allows 80, a lower limit of 5.5 requires 6). Representation error
// of single precision does not count as a fraction.
long long WholeUnits(double value, bool upper)
{
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) < 1e-4)
        return static_cast<long long>(nearest);
    return static_cast<long long>(upper ? std::floor(value) : std::ceil(value));
}

}  // namespace

TKVRegulator::TKVRegulator(QWidget* owner, uint8_t group, uint8_t unit, int idTip, const std::vector<int>& lampLefts)
    : TDeviceType(owner, group, unit, *TypeByIdTip(idTip))
{
    Display1 = PlaceDisplay(QPoint(56, 55), "5CAn");
    Display2 = PlaceDisplay(QPoint(56, 110), "");
    for (int left : lampLefts)
        OutputLamps.push_back(PlaceLamp({left, 98}));
    // The parameter table opens from the popup while Online; the display tick leaves it alone.
    ParamMenuByPopupOnly();
}

void TKVRegulator::ShowValues()
{
    switch (State) {
    case StateOnline:
        ShowOnline();
        break;
    case StateOffline:
        ShowState("OFF ", "linE");
        break;
    case StateInit:
        ShowState("init", "    ");
        break;
    default:
        ShowState("5CAn", "    ");
        break;
    }
}

void TKVRegulator::ShowOnline()
{
    Display1->SetText(Bit(3, 8) ? "5nbr" : TextOf("1PV"));  // temperature sensor break
    Display2->SetText(Bit(3, 4) ? "5nbr" : TextOf("2PV"));  // humidity sensor break
    ShowOutputLamps(OutputLamps, {std::begin(kLampBits), std::end(kLampBits)});
}

void TKVRegulator::ShowState(const char* upper, const char* lower)
{
    // The lamps keep what they showed last.
    Display1->SetText(upper);
    Display2->SetText(lower);
}

EditRange TKVRegulator::EditRangeOf(int index) const
{
    const ParamDesc& desc = GetParamDesc(index);
    long long lo = static_cast<long long>(std::trunc(desc.MinValue));
    long long hi = static_cast<long long>(std::trunc(desc.MaxValue));
    for (const CoupledLimit& c : kCoupled) {
        if (std::strcmp(desc.Mnemonic, c.param) != 0)
            continue;
        const double source = ValueOf(c.source);
        if (!std::isfinite(source) || std::fabs(source) > 1e6)
            break;  // no usable limit: the table's own
        const long long limit = WholeUnits(source, c.upper);
        // A coupled limit beyond the other one leaves just the coupled limit itself.
        if (c.upper) {
            hi = limit;
            lo = std::min(lo, hi);
        } else {
            lo = limit;
            hi = std::max(lo, hi);
        }
    }
    const int s = desc.Decimals != 0 ? 10 : 1;
    return {desc.Decimals, s * lo, s * hi};
}

TKV710::TKV710(QWidget* owner, uint8_t group, uint8_t unit) : TKVRegulator(owner, group, unit, 1, {86, 118, 150})
{
    UkljucenIzlaz3 = AddCommand(QStringLiteral("Ukljucen IZLAZ3"), [this] { UkljucenIzlaz3Click(); });
    UkljucenIzlaz3->setCheckable(true);
}

void TKV710::UpdateMenus()
{
    TKVRegulator::UpdateMenus();
    // Output 3 can be switched by hand only while it belongs to no loop ("IN" is "OFF").
    UkljucenIzlaz3->setEnabled(State == StateOnline && std::trunc(ValueOf("IN")) == 2);
    UkljucenIzlaz3->setChecked(Bit(1, 2));
}

void TKV710::UkljucenIzlaz3Click() { ToggleStatusBit(UkljucenIzlaz3, 1, 2); }

TKV720::TKV720(QWidget* owner, uint8_t group, uint8_t unit) : TKVRegulator(owner, group, unit, 12, {56, 87, 118, 149}) {}

}  // namespace tarvo
