#include "devices/FP320.h"

#include <QAction>
#include <QFrame>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "device/Operator.h"
#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

const char* const kDecodeCaption = "PRIKAZ 3201";

// Alarm bits 3 to 5 come from the programmer state; they keep their values while "PR" is unread.
constexpr unsigned kProgramAlarmBits = 0x38;

// The whole part of a stored number. A value beyond the range of int (a reply such as "1e12")
// cannot be shown and fails the tick.
int WholeNumber(const DeviceCore& d, const char* mnemonic)
{
    const double t = std::trunc(static_cast<double>(d.ValueOf(mnemonic)));
    if (!std::isfinite(t) || t < INT_MIN || t > INT_MAX)
        throw std::range_error(std::string("Vrednost \"") + d.TextOf(mnemonic) + "\" parametra " + mnemonic +
                               " se ne moze prikazati");
    return static_cast<int>(t);
}


}  // namespace

ProgramStatus DecodeProgramStatus(const std::string& text)
{
    ProgramStatus s;
    if (text.empty())
        return s;
    if (text.size() < 5)
        throw std::out_of_range("Status programatora \"" + text + "\" nije potpun");
    s.read = true;
    s.segment = text[2] & 0x0F;
    s.program = text[3] & 0x0F;
    s.state = text[4] & 0x0F;
    return s;
}

const std::vector<const char*> TFP320::AlarmLabels = {"d_AL", "LoAL", "HiAL", "HOLd", "Hb  ", "PAU5", "5nb.1", "5nb.2"};

TFP320::TFP320(QWidget* owner, uint8_t group, uint8_t unit)
    : TDeviceType(owner, group, unit, *TypeByIdTip(3)), alarms_(AlarmLabels)
{
    BuildWidgets();
    ResetAlarma = AddCommand(QStringLiteral("Reset alarma"), [this] { ResetAlarmaClick(); });
}

void TFP320::BuildWidgets()
{
    const auto display = [this](int digits, QRect at, const char* text) {
        return PlaceDisplay(at, text, nullptr, new TDisplay(Panel1, true, digits));
    };
    Display1 = display(4, {74, 52, 72, 32}, "init");
    Display2 = display(4, {74, 88, 72, 32}, "");
    Display3 = display(1, {52, 52, 20, 32}, "");

    for (int i = 0; i < 3; ++i)
        OutputLamps[static_cast<size_t>(i)] = PlaceLamp({171, 52 + 13 * i});
    const QPoint profile[] = {{47, 158}, {71, 143}, {108, 135}, {147, 127}, {175, 119}};
    for (size_t i = 0; i < ProfileLamps.size(); ++i)
        ProfileLamps[i] = PlaceLamp(profile[i]);
}

void TFP320::ShowValues()
{
    if (State != StateOnline) {
        Display1->SetText("init");
        return;
    }
    try {
        ShowOnline();
    } catch (const std::exception& e) {
        Op().Message(e.what(), kDecodeCaption, BoxIcon::Error);
    }
}

void TFP320::ShowOnline()
{
    TDeviceType::ShowValues();  // the parameter table, whatever the values hold
    // Everything that can fail is decoded before anything is drawn, so a failed tick leaves
    // the plate and the main window's values as they were.
    const auto running = static_cast<uint8_t>(WholeNumber(*this, "PC"));
    const int process = WholeNumber(*this, "PI");
    const ProgramStatus pr = DecodeProgramStatus(TextOf("PR"));
    if (running != Idle && !pr.read)
        throw std::out_of_range("Status programatora nije procitan");
    const int number = WholeNumber(*this, running != Idle ? "TE" : "PN");

    ProgramRunning = running;
    ProcessNumber = process;
    ShowDisplay1();
    if (const char* label = alarms_.Next(AlarmBits(pr)))
        Display2->SetText(label);
    else if (running != Idle)
        ShowProgram(pr, number);
    else
        ShowIdle(number);
    ShowOutputLamps({OutputLamps.begin(), OutputLamps.end()}, {8, 4, 2});
}

void TFP320::ShowDisplay1()
{
    const int shown = DisplayMode;
    switch (shown) {
    case ModeInput1:
        Display1->SetText(Bit(3, 8) ? "5nbr" : TextOf("PV"));
        Display1->SetHint("Izmerena temperatura - ulaz1");
        break;
    case ModeInput2:
        Display1->SetText(Bit(3, 4) ? "5nbr" : TextOf("2PV"));
        Display1->SetHint("Izmerena temperatura - ulaz2");
        break;
    default:
        Display1->SetText(TextOf("SP"));
        Display1->SetHint("Trenutno zadata temperatura");
        break;
    }
    // A click advances from the mode shown, whatever clicks came since this tick.
    Display1->SetOnMouseUp([this, shown] { DisplayMode = NextDisplayMode(shown); });
}

int TFP320::NextDisplayMode(int shown) const
{
    if (shown == ModeSetPoint)
        return ModeInput1;
    if (shown == ModeInput1 && ValueOf("S2") != 0)
        return ModeInput2;
    return ModeSetPoint;
}

unsigned TFP320::AlarmBits(const ProgramStatus& pr) const
{
    unsigned bits = static_cast<unsigned>(Digit(2)) & 0x07;  // deviation, low, high alarm
    if (!pr.read)
        bits |= alarms_.Bits() & kProgramAlarmBits;
    else if (pr.state == Hold)
        bits |= 1u << 3;
    else if (pr.state == HoldBack)
        bits |= 1u << 4;
    else if (pr.state == Pause)
        bits |= 1u << 5;
    if (Bit(3, 8))
        bits |= 1u << 6;  // sensor 1 break
    if (Bit(3, 4))
        bits |= 1u << 7;  // sensor 2 break
    return bits;
}

void TFP320::ShowProgram(const ProgramStatus& pr, int remaining)
{
    ActiveProgram = pr.program;
    Display3->SetText(std::to_string(ActiveProgram));
    // Lamp 1 marks a pause and stays lit until the programmer is idle; lamps 2 to 5 show the
    // segments up to the current one.
    const bool paused = pr.state == Pause;
    if (paused)
        ProfileLamps[0]->SwitchOn();
    for (int i = 1; i < 5; ++i)
        ProfileLamps[static_cast<size_t>(i)]->Switch(!paused && pr.segment <= 3 && i - 1 <= pr.segment);
    Display2->SetText(std::to_string(remaining));
    Display2->SetHint("Vreme do kraja segmenta");
}

void TFP320::ShowIdle(int selected)
{
    Display3->SetText(std::to_string(selected));
    for (TOutDioda* lamp : ProfileLamps)
        lamp->SwitchOff();
    Display2->SetText("idLE");
    Display2->SetHint("Status programa");
}

void TFP320::UpdateMenus()
{
    TDeviceType::UpdateMenus();
    ResetAlarma->setEnabled(Bit(2, 8));  // alarm latched
}

void TFP320::ResetAlarmaClick() { ClearStatusBits(2, 8); }

void TFP320::WriteByMnemonic(const char* mnemonic, const std::string& value)
{
    WriteParam(IndexOf(mnemonic), value, AddressOwn);
}

void TFP320::StartProgram() { WriteByMnemonic("PC", "1"); }

void TFP320::StopProgram() { WriteByMnemonic("PC", "0"); }

void TFP320::SelectProgram(int n) { WriteByMnemonic("PN", std::to_string(n)); }

EditRange TFP320::EditRangeOf(int index) const
{
    EditRange r = TDeviceType::EditRangeOf(index);
    const ParamDesc& desc = GetParamDesc(index);
    const double s = std::pow(10.0, r.decimals);
    if (Is(desc, "BH")) {
        r.lo = EditCounts(s * ValueOf("BL"));
    } else if (Is(desc, "BL")) {
        r.hi = EditCounts(s * ValueOf("BH"));
    } else if (Is(desc, "l1") || Is(desc, "l2") || Is(desc, "HA") || Is(desc, "LA")) {
        const SensorRange* row = SensorRow();
        r.lo = row->Min;
        r.hi = row->Max;
    }
    return r;
}

}  // namespace tarvo
