#include "devices/GR220.h"

#include <QAction>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

// Editor counts of a parameter's value at scale s (plus an offset in counts), kept far inside the range of long long
// (the editor cuts them to sixteen bits anyway).
long long Counts(double s, double value, double offset = 0)
{
    return static_cast<long long>(std::clamp(TruncCounts(s * value + offset), -1e9, 1e9));
}

}  // namespace

const std::vector<const char*> TGR220::AlarmLabels = {"Hb1 ", "Hb2 ", "t.OFF"};

TGR220::TGR220(QWidget* owner, uint8_t group, uint8_t unit)
    : TDeviceType(owner, group, unit, *TypeByIdTip(2)), alarms_(AlarmLabels)
{
    BuildWidgets();
    StartNovogCiklusa = AddCommand(QStringLiteral("Start novog ciklusa"), [this] { StartNovogCiklusaClick(); });
}

void TGR220::BuildWidgets()
{
    Display1 = PlaceDisplay(QPoint(56, 55), "init", "Izmerena vrednost na ulazu 1");
    Display2 = PlaceDisplay(QPoint(56, 110), "", "Izmerena vrednost na ulazu 2");
    const int lefts[] = {86, 118, 150};
    for (size_t i = 0; i < OutputLamps.size(); ++i)
        OutputLamps[i] = PlaceLamp({lefts[i], 98});
    StatusLampA = PlaceLamp({140, 47}, SmallBlueLamp());
    StatusLampB = PlaceLamp({76, 47}, SmallBlueLamp());
}

void TGR220::ShowValues()
{
    if (State != StateOnline) {
        Display1->SetText("init");
        return;
    }
    ShowOnline();
}

void TGR220::ShowOnline()
{
    TDeviceType::ShowValues();  // the parameter table
    Display1->SetText(Bit(3, 8) ? "5nbr" : TextOf("1PV"));  // input 1 sensor break
    StatusLampA->Switch(Bit(2, 2) || Bit(1, 1));
    StatusLampB->Switch(Bit(2, 1));
    if (const char* label = alarms_.Next(AlarmBits()))
        Display2->SetText(label);
    else
        Display2->SetText(Bit(3, 4) ? "5nbr" : TextOf("2PV"));  // input 2 sensor break
    ShowOutputLamps({OutputLamps.begin(), OutputLamps.end()}, {8, 4, 2});
}

unsigned TGR220::AlarmBits() const
{
    unsigned bits = 0;
    if (Bit(2, 8))
        bits |= HoldBack1;
    if (Bit(2, 4))
        bits |= HoldBack2;
    if (Bit(3, 1))
        bits |= CycleEnded;
    return bits;
}

void TGR220::UpdateMenus()
{
    TDeviceType::UpdateMenus();
    StartNovogCiklusa->setEnabled(State == StateOnline && (alarms_.Bits() & CycleEnded) != 0);
}

void TGR220::StartNovogCiklusaClick() { ClearStatusBits(3, 1); }

EditRange TGR220::EditRangeOf(int index) const
{
    EditRange r = TDeviceType::EditRangeOf(index);
    const ParamDesc& desc = GetParamDesc(index);
    const double s = std::pow(10.0, r.decimals);
    const SensorRange* row = SensorRow();
    // The set point stays between the loop's minimum and maximum set point, and the maximum at
    // least one count above the minimum. Where the values contradict each other, the limit
    // taken from the other parameter wins, so the editor never leaves an empty range.
    for (const char loop : {'1', '2'}) {
        const std::string n(1, loop);
        const double low = ValueOf(n + "LS");
        const double high = ValueOf(n + "HS");
        if (Is(desc, (n + "SL").c_str())) {
            r.hi = Counts(s, high);
            r.lo = std::min(Counts(s, low), r.hi);
        } else if (Is(desc, (n + "HS").c_str())) {
            r.lo = Counts(s, low, 1);  // the count is added before truncating
            r.hi = std::max(static_cast<long long>(row->Max), r.lo);
        } else if (Is(desc, (n + "LS").c_str())) {
            r.hi = Counts(s, high, -1);
            r.lo = std::min(static_cast<long long>(row->Min), r.hi);
        }
    }
    return r;
}

}  // namespace tarvo
