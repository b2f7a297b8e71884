// Data shared by several controller types: the base panel's three-row table, the choice lists
// several tables point to, and the sensor range tables.
#include "devices/tables/Tables.h"

namespace tarvo {

using tables::Hex;
using tables::Num;

// Group 5 is the base menu's "Izmerene vrednosti i statusi" item.
const ParamDesc BaseParams[3] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II", 0, 0, Hex, 0, 0, 0, "     ", "Tip uredjaja",     nullptr},
    {0, "SW", 0, 5, Hex, 0, 0, 0, "    ",  "Status uredjaja",  nullptr},
    {0, "VO", 0, 0, Num, 0, 0, 0, "VEr ",  "Verzija softvera", nullptr},
};

const char* const FilterChoices[] = {"1", "2", "4", "8", "16", "32", "64", "128", nullptr};
const char* const ColdJunctionChoices[] = {"Intena", "0 C", "25 C", "45 C", "50 C", nullptr};
const char* const SensorChoices[] = {
    "Termopar tip J", "Termopar tip K", "Termopar tip L", "Termopar tip R", "Termopar tip S",
    "Termopar tip B", "RTD Pt100", "Linearni ulaz sa decimalnim prikazom", "Linearni ulaz", nullptr,
};
const char* const LinearInputChoices[] = {"Naponski 0-1V", "Naponski 0-10V", "Strujni 0-20mA", nullptr};
const char* const AlarmTypeChoices[] = {"Iskljucen", "Lecovan", "Nelecovan", nullptr};
const char* const RelayChoices[] = {"Normalno zatvoren", "Normalno otvoren", nullptr};
const char* const ProgramEndChoices[] = {
    "STOP", "Skoci na PROGRAM 1", "Skoci na PROGRAM 2", "Skoci na PROGRAM 3", "Skoci na PROGRAM 4",
    "Skoci na PROGRAM 5", "Skoci na PROGRAM 6", "Skoci na PROGRAM 7", "Skoci na PROGRAM 8", nullptr,
};

// One row per entry of SensorChoices: display counts (decimal point ignored) and decimals shown.
const SensorRange SensorRanges[9] = {
    {1000, -200, 0},  // thermocouple J
    {1200, -200, 0},  // thermocouple K
    {800,  -200, 0},  // thermocouple L
    {1600, 0,    0},  // thermocouple R
    {1600, 0,    0},  // thermocouple S
    {1600, 0,    0},  // thermocouple B
    {5999, -999, 1},  // RTD Pt100
    {9999, -999, 0},  // linear input with decimal display
    {9999, -999, 1},  // linear input
};

// CQ50's own sensor list; its decimals come from "SH", so the column stays 0.
const SensorRange CQ50SensorRanges[9] = {
    {1000, -200, 0},  // thermocouple J
    {1200, -200, 0},  // thermocouple K
    {800,  -200, 0},  // thermocouple L
    {1600, 0,    0},  // thermocouple R
    {1600, 0,    0},  // thermocouple S
    {1600, 0,    0},  // thermocouple B
    {5999, -999, 0},  // RTD Pt100
    {1499, -499, 0},  // PTC
    {9999, -999, 0},  // linear input
};

}  // namespace tarvo
