// Parameters of the RMV_Disp clock and message display in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const RMV_DispGroups[7] = {
    "Identifikacija", "-", "Vreme", "Alarmi", "Prikaz", "-", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t { Identifikacija = 0, Vreme = 2, Alarmi = 3, Prikaz = 4, Izmerene = 6 };

}  // namespace

const ParamDesc RMV_DispParams[28] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0, 0, 0, "", "Tip uredjaja",             nullptr},  // 0
    {1, "SW",  0, Izmerene,       Hex,    0, 0, 0, "", "Status uredjaja",          nullptr},  // 1
    {0, "VO",  0, Identifikacija, Num,    0, 0, 0, "", "Verzija softvera",         nullptr},  // 2
    {0, "1RT", 0, Vreme,          Hex,   59, 0, 0, "", "Sekunde",                  nullptr},  // 3
    {0, "2RT", 0, Vreme,          Hex,   59, 0, 0, "", "Minute",                   nullptr},  // 4
    {0, "3RT", 0, Vreme,          Hex,   23, 0, 0, "", "Sati",                     nullptr},  // 5
    {0, "4RT", 0, Vreme,          Hex,    7, 1, 0, "", "Dan",                      nullptr},  // 6
    {0, "5RT", 0, Vreme,          Hex,   31, 1, 0, "", "Datum",                    nullptr},  // 7
    {0, "6RT", 0, Vreme,          Hex,   12, 1, 0, "", "Mesec",                    nullptr},  // 8
    {0, "7RT", 0, Vreme,          Hex,   99, 0, 0, "", "Godina",                   nullptr},  // 9
    {0, "8RT", 0, Vreme,          Hex,    0, 0, 0, "", "Config",                   nullptr},  // 10
    {1, "1PV", 0, Izmerene,       Num,    0, 0, 1, "", "Temperatura",              nullptr},  // 11
    {1, "2PV", 0, Izmerene,       Num,    0, 0, 1, "", "Relativna vlaznost",       nullptr},  // 12
    {0, "1AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "1.Vreme alarma",           nullptr},  // 13
    {0, "2AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "2.Vreme alarma",           nullptr},  // 14
    {0, "3AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "3.Vreme alarma",           nullptr},  // 15
    {0, "4AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "4.Vreme alarma",           nullptr},  // 16
    {0, "5AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "5.Vreme alarma",           nullptr},  // 17
    {0, "6AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "6.Vreme alarma",           nullptr},  // 18
    {0, "7AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "7.Vreme alarma",           nullptr},  // 19
    {0, "8AL", 0, Alarmi,         Hex, 2359, 0, 0, "", "8.Vreme alarma",           nullptr},  // 20
    {0, "TX",  0, Izmerene,       Txt,    0, 0, 0, "", "Proizvoljan tekst",        nullptr},  // 21
    {1, "DX",  0, Izmerene,       Txt,    0, 0, 0, "", "Prikazani tekst",          nullptr},  // 22
    {0, "1DI", 1, Prikaz,         Num,   20, 0, 0, "", "Interval prikaza T i rH",  nullptr},  // 23
    {0, "2DI", 1, Prikaz,         Num,   20, 0, 0, "", "Interval prikaza Emc",     nullptr},  // 24
    {0, "3DI", 1, Prikaz,         Num,   20, 0, 0, "", "Interval prikaza vremena", nullptr},  // 25
    {0, "4DI", 1, Prikaz,         Num,   20, 0, 0, "", "Interval prikaza datuma",  nullptr},  // 26
    {0, "5DI", 1, Prikaz,         Num,   20, 0, 0, "", "Interval prikaza teksta",  nullptr},  // 27
};

}  // namespace tarvo::tables
