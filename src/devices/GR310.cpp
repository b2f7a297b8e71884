#include "devices/GR310.h"

#include <QAction>
#include <QFrame>

#include <cmath>
#include <string>

#include "devices/Display.h"
#include "devices/ODioda.h"

namespace tarvo {

namespace {

const RegulatorTraits kGR310{5, true, true, "O2", 8};
const RegulatorTraits kGR310S{11, false, true, nullptr, 0};
// "2FO" offers choices up to 2 only: the command is enabled only when the controller itself
// reports 3.
const RegulatorTraits kGR210{6, true, false, "2FO", 3};

// A writable number without limits in its table: anything the four-digit display shows.
constexpr long long kDisplayLo = -999;
constexpr long long kDisplayHi = 9999;


bool IsAnyOf(const ParamDesc& desc, std::initializer_list<const char*> mnemonics)
{
    for (const char* m : mnemonics)
        if (Is(desc, m))
            return true;
    return false;
}

}  // namespace

const std::vector<const char*> TGRRegulator::AlarmLabels = {"d_AL", "LoAL", "HiAL", "__Al"};

TGRRegulator::TGRRegulator(QWidget* owner, uint8_t group, uint8_t unit, const RegulatorTraits& traits)
    : TDeviceType(owner, group, unit, *TypeByIdTip(traits.idTip)), traits_(traits), alarms_(AlarmLabels)
{
    BuildWidgets();
    BuildCommands();
}

TGR310::TGR310(QWidget* owner, uint8_t group, uint8_t unit) : TGRRegulator(owner, group, unit, kGR310) {}

TGR310S::TGR310S(QWidget* owner, uint8_t group, uint8_t unit) : TGRRegulator(owner, group, unit, kGR310S) {}

TGR210::TGR210(QWidget* owner, uint8_t group, uint8_t unit) : TGRRegulator(owner, group, unit, kGR210) {}

void TGRRegulator::BuildWidgets()
{
    Display1 = PlaceDisplay(QPoint(56, 55), "init", "Izmerena vrednost");
    Display2 = PlaceDisplay(QPoint(56, 110), "", "Zadata vrednost");
    const int lefts[] = {86, 118, 150};
    for (size_t i = 0; i < OutputLamps.size(); ++i)
        OutputLamps[i] = PlaceLamp({lefts[i], 98});
    ManualLamp = PlaceLamp({138, 45}, SmallBlueLamp());
    StatusLamp = PlaceLamp({78, 45}, SmallBlueLamp());
}

void TGRRegulator::BuildCommands()
{
    ResetAlarma = AddCommand(QStringLiteral("Reset alarma"), [this] { ResetAlarmaClick(); });
    if (traits_.manualMode) {
        RucniRezim = AddCommand(QStringLiteral("Rucni rezim"), [this] { RucniRezimClick(); });
        RucniRezim->setCheckable(true);
    }
    if (traits_.output2Function) {
        UkljucenIzlaz2 = AddCommand(QStringLiteral("Ukljucen IZLAZ2"), [this] { UkljucenIzlaz2Click(); });
        UkljucenIzlaz2->setCheckable(true);
    }
}

unsigned TGRRegulator::AlarmBits() const
{
    // Digit 2 bits 1, 2 and 4 are the difference, low and high alarm: label bits 0, 1 and 2.
    const unsigned causes = static_cast<unsigned>(Digit(2)) & 0x07;
    if (!traits_.alarmFlagGates)
        return causes;
    if (!Bit(2, 8))
        return 0;
    return causes ? causes : 1u << 3;
}

void TGRRegulator::ShowValues()
{
    if (State != StateOnline)
        return;  // the plate keeps what it last showed
    TDeviceType::ShowValues();
    Display1->SetText(Bit(1, 8) ? "5nbr" : TextOf("PV"));
    Display1->SetHint("Izmerena temperatura");
    ShowOutputLamps({OutputLamps.begin(), OutputLamps.end()}, {4, 2, 1});
    const bool manual = traits_.manualMode && Bit(3, 8);
    if (traits_.manualMode)
        ManualLamp->Switch(manual);
    if (const char* label = alarms_.Next(AlarmBits()))
        Display2->SetText(label);
    else
        ShowLowerDisplay(manual);
}

void TGRRegulator::ShowLowerDisplay(bool manual)
{
    if (manual) {
        Display2->SetText(TextOf("OP"));
        Display2->SetHint("Trenutni nivo izlaza");
    } else {
        Display2->SetText(TextOf("SP"));
        Display2->SetHint("Trenutno zadata temperatura");
    }
}

void TGRRegulator::UpdateMenus()
{
    TDeviceType::UpdateMenus();
    ResetAlarma->setEnabled(Bit(2, 8));
    if (UkljucenIzlaz2) {
        const bool remote = static_cast<int>(std::trunc(ValueOf(traits_.output2Function))) == traits_.output2Remote;
        UkljucenIzlaz2->setEnabled(State == StateOnline && remote);
        UkljucenIzlaz2->setChecked(Bit(1, 2));
    }
    if (RucniRezim) {
        const bool allowed = std::trunc(ValueOf("MA")) != 0;
        RucniRezim->setEnabled(allowed);
        RucniRezim->setChecked(allowed && Bit(3, 8));
    }
}

void TGRRegulator::ResetAlarmaClick() { ClearStatusBits(2, 8); }

void TGRRegulator::RucniRezimClick() { ToggleStatusBit(RucniRezim, 3, 8); }

void TGRRegulator::UkljucenIzlaz2Click() { ToggleStatusBit(UkljucenIzlaz2, 1, 2); }

EditRange TGRRegulator::EditRangeOf(int index) const
{
    EditRange r = TDeviceType::EditRangeOf(index);
    const ParamDesc& desc = GetParamDesc(index);
    const double s = std::pow(10.0, r.decimals);
    const auto counts = [&](const char* mnemonic, double offset) { return EditCounts(s * ValueOf(mnemonic) + offset); };
    const SensorRange* sensor = SensorRow();
    // The sensor limits first; the coupled limits below may replace one end.
    if (IsAnyOf(desc, {"HS", "LS", "l1", "l2", "HA", "LA"})) {
        r.lo = sensor->Min;
        r.hi = sensor->Max;
    }
    if (Is(desc, "BH")) {
        r.lo = counts("BL", 1);  // above "SB low"
    } else if (Is(desc, "BL")) {
        r.hi = counts("BH", -1);  // below "SB high"
    } else if (Is(desc, "HS")) {
        r.lo = counts("LS", 1);  // above the lowest set point
    } else if (Is(desc, "LS")) {
        r.hi = counts("HS", -1);  // below the highest set point
    } else if (Is(desc, "SL")) {
        r.lo = counts("LS", 0);
        r.hi = counts("HS", 0);
    } else if (Is(desc, "dS")) {
        r.lo = kDisplayLo;
        r.hi = kDisplayHi;
    }
    return r;
}

}  // namespace tarvo
