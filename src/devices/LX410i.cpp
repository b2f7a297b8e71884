#include "devices/LX410i.h"

#include <QAction>
#include <QFrame>

#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

// Status digit 2.
constexpr int kSensorBreak = 8;
constexpr int kHighAlarm = 2;
constexpr int kLowAlarm = 1;

}  // namespace

TLX410i::TLX410i(QWidget* owner, uint8_t group, uint8_t unit)
    : TDeviceType(owner, group, unit, *TypeByIdTip(0))
{
    Display1 = PlaceDisplay(QRect(68, 21, 130, 41), "ini");
    RelayLamp = PlaceLamp({158, 70}, SmallBlueLamp());
    ResetAlarma = AddCommand(QStringLiteral("Reset alarma"), [this] { ResetAlarmaClick(); });
    ResetAlarma->setEnabled(false);  // until a tick finds an alarm
}

void TLX410i::ShowValues()
{
    if (State != StateOnline)
        return;
    TDeviceType::ShowValues();
    const int alarms = Digit(2);
    ResetAlarma->setEnabled((alarms & (kHighAlarm | kLowAlarm)) != 0);
    Display1->SetText(DisplayText(alarms));
    RelayLamp->Switch(Bit(1, 8));
}

std::string TLX410i::DisplayText(int alarms)
{
    // A broken sensor shows steadily; an alarm label takes turns with the value, the high
    // alarm before the low one.
    if (alarms & kSensorBreak)
        return "5nbr";
    if (mayShowLabel_ && (alarms & (kHighAlarm | kLowAlarm))) {
        mayShowLabel_ = false;
        return alarms & kHighAlarm ? "HiAL" : "LoAL";
    }
    mayShowLabel_ = true;
    return TextOf("PV");
}

void TLX410i::ResetAlarmaClick() { SetStatusBits(4, 2); }

}  // namespace tarvo
