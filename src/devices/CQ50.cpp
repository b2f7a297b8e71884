#include "devices/CQ50.h"

#include <QAction>
#include <QFrame>

#include <algorithm>
#include <cmath>
#include <exception>

#include "device/Operator.h"
#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

const char* const kAlarmLabels[] = {"HiAL", "LoAL"};  // alarm bits 1 and 2

// A part of the plate that fails to decode keeps what it showed; the others still update.
template <class Step>
void Skippable(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

// The high and low alarm limits "1HA".."8HA", "1LA".."8LA".
bool IsAlarmLimit(const ParamDesc& desc)
{
    const std::string m = desc.Mnemonic;
    return m.size() == 3 && m[0] >= '1' && m[0] <= '8' && (m.compare(1, 2, "HA") == 0 || m.compare(1, 2, "LA") == 0);
}

}  // namespace

TCQ50::SharedLabels& TCQ50::Labels()
{
    static SharedLabels shared;
    return shared;
}

TCQ50::TCQ50(QWidget* owner, uint8_t group, uint8_t unit)
    : TDeviceType(owner, group, unit, *TypeByIdTip(4))
{
    UpperDisplay = PlaceDisplay(QPoint(56, 55), "init");
    LowerDisplay = PlaceDisplay(QPoint(56, 110), "");
    const int lampLeft[] = {54, 86, 118, 150};
    for (size_t i = 0; i < OutputLamps.size(); ++i)
        OutputLamps[i] = PlaceLamp({lampLeft[i], 98});
    ResetAlarma = AddCommand(QStringLiteral("Reset alarma"), [this] { ResetAlarmaClick(); });
    for (int c = 0; c < Channels; ++c) {
        valueIndex_[static_cast<size_t>(c)] = IndexOf(std::to_string(c + 1) + "PV");
        alarmIndex_[static_cast<size_t>(c)] = IndexOf(std::to_string(c + 1) + "AC");
    }
}

void TCQ50::ShowValues()
{
    if (State != StateOnline) {
        UpperDisplay->SetText("init");
        return;
    }
    try {
        TDeviceType::ShowValues();
        StepChannel();
        Skippable([this] { ShowMeasuredValue(); });
        Skippable([this] { ShowChannelLabel(); });
        Skippable([this] { ShowOutputLamps({OutputLamps.begin(), OutputLamps.end()}, {4, 2, 1, 8}); });
    } catch (const std::exception& e) {
        Op().Message(e.what());
    }
}

int TCQ50::InputsInUse() const
{
    // An unread or impossible count still leaves input 1 on the plate.
    return static_cast<int>(std::clamp(std::trunc(static_cast<double>(ValueOf("IN"))), 1.0, double(Channels)));
}

int TCQ50::AlarmBits(int channel) const
{
    return StatusWord::Digit(ValueTexts[static_cast<size_t>(alarmIndex_[static_cast<size_t>(channel)])], 3);
}

void TCQ50::StepChannel()
{
    if (++periodCounter_ < ValueOf("PP"))
        return;
    periodCounter_ = 0;
    // On to the next input in alarm, or to the next input when none is.
    const int inputs = InputsInUse();
    for (int k = 0; k <= inputs; ++k) {
        channel_ = channel_ + 1 >= inputs ? 0 : channel_ + 1;
        if (AlarmBits(channel_) & 7)
            break;
    }
}

void TCQ50::ShowMeasuredValue()
{
    const int broken = Digit(2) << 4 | Digit(3);  // bit 0 for input 1
    if (broken & (1 << channel_))
        LowerDisplay->SetText("5nbr");
    else
        LowerDisplay->SetText(ValueTexts[static_cast<size_t>(valueIndex_[static_cast<size_t>(channel_)])]);
}

void TCQ50::ShowChannelLabel()
{
    const int alarms = AlarmBits(channel_) & 3;
    SharedLabels& shared = Labels();
    if (alarms && shared.mayShowLabel) {
        shared.mayShowLabel = false;
        do
            shared.index = shared.index == 0 ? 1 : 0;
        while (!(alarms & (1 << shared.index)));
        UpperDisplay->SetText(kAlarmLabels[shared.index]);
        return;
    }
    shared.mayShowLabel = true;
    UpperDisplay->SetText("ch " + std::to_string(channel_ + 1));
}

void TCQ50::UpdateMenus()
{
    TDeviceType::UpdateMenus();
    ResetAlarma->setEnabled(State == StateOnline);
}

void TCQ50::ResetAlarmaClick() { SetStatusBits(4, 2); }

EditRange TCQ50::EditRangeOf(int index) const
{
    EditRange r = TDeviceType::EditRangeOf(index);
    const ParamDesc& desc = GetParamDesc(index);
    // Values with decimals show as many as the display definition "SH" gives.
    r.decimals = desc.Decimals == 0 ? 0
                                    : static_cast<int>(std::clamp(std::trunc(static_cast<double>(ValueOf("SH"))), 0.0, 3.0));
    if (IsAlarmLimit(desc)) {
        const SensorRange* row = SensorRow();
        r.lo = row->Min;
        r.hi = row->Max;
    }
    return r;
}

}  // namespace tarvo
