// Parameters of the LX410i single-input indicator with alarms in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const LX410iGroups[6] = {
    "Identifikacija", "-", "Konfiguracija", "Alarm", "-", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t { Identifikacija = 0, Konfiguracija = 2, Alarm = 3, Izmerene = 5 };

const char* const ChoicesSN[] = {
    "Termopar tip J", "Termopar tip K", "Termopar tip L", "Termopar tip R", "Termopar tip S",
    "Termopar tip B", "RTD Pt100", "PTC KTY10", "Linearni ulaz sa decimalnim prikazom",
    "Linearni ulaz", nullptr
};
const char* const ChoicesHo[] = {"Lecovan", "Nelecovan", "Iskljucen", nullptr};

}  // namespace

const ParamDesc LX410iParams[19] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II", 0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",               nullptr},              // 0
    {1, "SW", 0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",            nullptr},              // 1
    {0, "VO", 0, Identifikacija, Num, 9999,    0, 0, "", "Verzija softvera",           nullptr},              // 2
    {1, "PV", 0, Izmerene,       Num,    0,    0, 1, "", "Temperatura",                nullptr},              // 3
    {0, "CD", 1, Konfiguracija,  Num, 9999, -999, 0, "", "Kod za pristup parametrima", nullptr},              // 4
    {0, "SN", 1, Konfiguracija,  Num,    9,    0, 0, "", "Tip sonde",                  ChoicesSN},            // 5
    {0, "JC", 1, Konfiguracija,  Num,    4,    0, 0, "", "Kompenzacija hladnog spoja", ColdJunctionChoices},  // 6
    {0, "LT", 1, Konfiguracija,  Num,    2,    0, 0, "", "Tip linearnog ulaza",        LinearInputChoices},   // 7
    {0, "FT", 1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni filter",              FilterChoices},        // 8
    {0, "OF", 1, Konfiguracija,  Num, 9999, -999, 2, "", "Ofset",                      nullptr},              // 9
    {0, "OC", 1, Konfiguracija,  Num,    1,    0, 0, "", "Tip izlaza",                 RelayChoices},         // 10
    {0, "Ho", 1, Alarm,          Num,    2,    0, 0, "", "Tip gornjeg alarma",         ChoicesHo},            // 11
    {0, "Lo", 1, Alarm,          Num,    2,    0, 0, "", "Tip donjeg alarma",          ChoicesHo},            // 12
    {0, "HA", 1, Alarm,          Num, 9999, -999, 0, "", "Hi Alarm",                   nullptr},              // 13
    {0, "LA", 1, Alarm,          Num, 9999, -999, 0, "", "Lo Alarm",                   nullptr},              // 14
    {0, "i1", 1, Konfiguracija,  Num, 9999,    0, 3, "", "SKALIRANJE ulaz1",           nullptr},              // 15
    {0, "i2", 1, Konfiguracija,  Num, 9999,    0, 3, "", "SKALIRANJE ulaz2",           nullptr},              // 16
    {0, "d1", 1, Konfiguracija,  Num, 9999, -999, 3, "", "SKALIRANJE prikaz1",         nullptr},              // 17
    {0, "d2", 1, Konfiguracija,  Num, 9999, -999, 3, "", "SKALIRANJE prikaz2",         nullptr},              // 18
};

}  // namespace tarvo::tables
