// Parameters of the SVB eight-channel measuring unit in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const SVBGroups[6] = {
    "Identifikacija", "Konfiguracija", "-", "Offset", "-", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t { Identifikacija = 0, Konfiguracija = 1, Offset = 3, Izmerene = 5 };

const char* const ChoicesSN[] = {
    "Termopar tip J", "Termopar tip K", "Termopar tip L", "Termopar tip R", "Termopar tip S",
    "Termopar tip B", "RTD Pt100", "PTC", "Linearni ulaz", nullptr
};
const char* const ChoicesDP[] = {"FFFF.", "FFF.F", "FF.FF", "F.FFF", nullptr};

}  // namespace

const ParamDesc SVBParams[26] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",       nullptr},        // 0
    {1, "SW",  0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",    nullptr},        // 1
    {1, "SI",  0, Izmerene,       Hex,    0,    0, 0, "", "Status ulaza",       nullptr},        // 2
    {1, "SS",  0, Izmerene,       Hex,    0,    0, 0, "", "Dozvola ulaza",      nullptr},        // 3
    {0, "VO",  0, Identifikacija, Num,    0,    0, 0, "", "Verzija softvera",   nullptr},        // 4
    {0, "SN",  1, Konfiguracija,  Num,    8,    0, 0, "", "Tip sonde",          ChoicesSN},      // 5
    {0, "FT",  1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni filter",      FilterChoices},  // 6
    {0, "DP",  1, Konfiguracija,  Num,    3,    0, 0, "", "Definicija prikaza", ChoicesDP},      // 7
    {0, "S1",  1, Konfiguracija,  Num, 9999, -999, 0, "", "S1",                 nullptr},        // 8
    {0, "S2",  1, Konfiguracija,  Num, 9999, -999, 0, "", "S2",                 nullptr},        // 9
    {1, "1PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 10
    {1, "2PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 11
    {1, "3PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 12
    {1, "4PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 13
    {1, "5PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 14
    {1, "6PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 15
    {1, "7PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 16
    {1, "8PV", 0, Izmerene,       Num,    0,    0, 1, "", "Izmerena vrednost",  nullptr},        // 17
    {0, "1OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 18
    {0, "2OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 19
    {0, "3OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 20
    {0, "4OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 21
    {0, "5OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 22
    {0, "6OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 23
    {0, "7OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 24
    {0, "8OF", 1, Offset,         Num, 9999, -999, 1, "", "Offset merenja",     nullptr},        // 25
};

}  // namespace tarvo::tables
