// Parameters of the SVB16 sixteen-channel measuring unit in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const SVB16Groups[6] = {
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

const ParamDesc SVB16Params[42] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0,    0, 0,  "", "Tip uredjaja",       nullptr},        // 0
    {1, "SW",  0, Izmerene,       Hex,    0,    0, 0,  "", "Status uredjaja",    nullptr},        // 1
    {1, "SI",  0, Izmerene,       Hex,    0,    0, 0,  "", "Status ulaza",       nullptr},        // 2
    {1, "SS",  0, Izmerene,       Hex,    0,    0, 0,  "", "Dozvola ulaza",      nullptr},        // 3
    {0, "VO",  0, Identifikacija, Num,    0,    0, 0,  "", "Verzija softvera",   nullptr},        // 4
    {0, "SN",  0, Konfiguracija,  Num,    8,    0, 0,  "", "Tip sonde",          ChoicesSN},      // 5
    {0, "DP",  1, Konfiguracija,  Num,    3,    0, 0,  "", "Definicija prikaza", ChoicesDP},      // 6
    {0, "FT",  1, Konfiguracija,  Num,    7,    0, 0,  "", "Ulazni filter",      FilterChoices},  // 7
    {0, "S1",  1, Konfiguracija,  Num, 9999, -999, 0,  "", "S1",                 nullptr},        // 8
    {0, "S2",  1, Konfiguracija,  Num, 9999, -999, 0,  "", "S2",                 nullptr},        // 9
    {1, "1P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 10
    {1, "2P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 11
    {1, "3P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 12
    {1, "4P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 13
    {1, "5P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 14
    {1, "6P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 15
    {1, "7P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 16
    {1, "8P1", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 17
    {1, "1P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 18
    {1, "2P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 19
    {1, "3P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 20
    {1, "4P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 21
    {1, "5P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 22
    {1, "6P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 23
    {1, "7P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 24
    {1, "8P2", 0, Izmerene,       Num,    0,    0, 1,  "", "Izmerena vrednost",  nullptr},        // 25
    {0, "1O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 26
    {0, "2O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 27
    {0, "3O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 28
    {0, "4O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 29
    {0, "5O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 30
    {0, "6O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 31
    {0, "7O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 32
    {0, "8O1", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 33
    {0, "1O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 34
    {0, "2O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 35
    {0, "3O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 36
    {0, "4O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 37
    {0, "5O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 38
    {0, "6O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 39
    {0, "7O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 40
    {0, "8O2", 1, Offset,         Num, 9999, -999, -1, "", "Offset merenja",     nullptr},        // 41
};

}  // namespace tarvo::tables
