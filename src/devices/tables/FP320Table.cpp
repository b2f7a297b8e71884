// Parameters of the FP320 programmer-regulator with two inputs in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const FP320Groups[7] = {
    "Identifikacija", "Konfiguracija", "Linearni ulaz", "Program", "Regulacija", "Alarm",
    "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacija = 0,
    Konfiguracija = 1,
    LinearniUlaz = 2,
    Program = 3,
    Regulacija = 4,
    Alarm = 5,
    Izmerene = 6,
};

const char* const ChoicesS2[] = {"OFF", "ON", nullptr};
const char* const ChoicesLT[] = {"Naponski 0-1V", nullptr};
const char* const ChoicesCA[] = {"Grejanje", "Hladjenje", nullptr};
const char* const ChoicesCT[] = {"PID", "ON/OFF", nullptr};
const char* const ChoicesPF[] = {"Stani", "Restartuj", "Nastavi", nullptr};
const char* const ChoicesPC[] = {"IDLE", "RUN", "HOLD", "HOLD BACK", "PAUZA", nullptr};
const char* const ChoicesO3[] = {"Alarm", "Run/Stop", "RemoteSetPoint", nullptr};

}  // namespace

const ParamDesc FP320Params[50] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",                  nullptr},              // 0
    {1, "SW",  0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",               nullptr},              // 1
    {0, "VO",  0, Identifikacija, Num, 9999,    0, 0, "", "Verzija softvera",              nullptr},              // 2
    {1, "PR",  0, Izmerene,       Hex,    0,    0, 0, "", "Status programatora",           nullptr},              // 3
    {1, "SP",  0, Izmerene,       Num,    0,    0, 3, "", "Trenutno zadata",               nullptr},              // 4
    {1, "PV",  0, Izmerene,       Num,    0,    0, 3, "", "Izmerena vrednost 1",           nullptr},              // 5
    {1, "2PV", 0, Izmerene,       Num, 9999, -999, 3, "", "Izmerena vrednost 2",           nullptr},              // 6
    {0, "CD",  1, Konfiguracija,  Num, 9999, -999, 0, "", "Kod za pristup parametrima",    nullptr},              // 7
    {0, "SN",  1, Konfiguracija,  Num,    8,    0, 0, "", "Tip sonde",                     SensorChoices},        // 8
    {0, "S2",  1, Konfiguracija,  Num,    1,    0, 0, "", "Sonda2",                        ChoicesS2},            // 9
    {0, "CJ",  1, Konfiguracija,  Num,    4,    0, 0, "", "Kompenzacija hladnog spoja",    ColdJunctionChoices},  // 10
    {0, "LT",  1, LinearniUlaz,   Num,    0,    0, 0, "", "Tip linearnog ulaza",           ChoicesLT},            // 11
    {0, "FT",  1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni Filter",                 FilterChoices},        // 12
    {0, "OF",  1, Konfiguracija,  Num, 9999, -999, 2, "", "Ofset 1",                       nullptr},              // 13
    {0, "2OF", 1, Konfiguracija,  Num, 9999, -999, 2, "", "Ofset 2",                       nullptr},              // 14
    {0, "CA",  1, Konfiguracija,  Num,    1,    0, 0, "", "Funkcija",                      ChoicesCA},            // 15
    {0, "CT",  1, Konfiguracija,  Num,    1,    0, 0, "", "Tip Upravljanja",               ChoicesCT},            // 16
    {0, "PF",  1, Konfiguracija,  Num,    2,    0, 0, "", "Po Nestanku Napajanja",         ChoicesPF},            // 17
    {0, "BH",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SB high",                       nullptr},              // 18
    {0, "BL",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SB low",                        nullptr},              // 19
    {0, "i1",  1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz1",              nullptr},              // 20
    {0, "i2",  1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz2",              nullptr},              // 21
    {0, "d1",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz1",            nullptr},              // 22
    {0, "d2",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz2",            nullptr},              // 23
    {1, "PC",  1, Program,        Num,    4,    0, 0, "", "Status programatora",           ChoicesPC},            // 24
    {1, "TE",  1, Program,        Num, 9999,    0, 0, "", "Vreme do kraja segmenta",       nullptr},              // 25
    {1, "PN",  1, Program,        Num,    8,    1, 0, "", "Broj Programa",                 nullptr},              // 26
    {0, "r1",  1, Program,        Num, 9999,    1, 2, "", "Prvi gradijent",                nullptr},              // 27
    {0, "l1",  1, Program,        Num, 9999,    1, 3, "", "Prvi nivo",                     nullptr},              // 28
    {0, "t1",  1, Program,        Num, 9999,    0, 0, "", "Prvo vreme drzanja",            nullptr},              // 29
    {0, "r2",  1, Program,        Num, 9999,    1, 2, "", "Drugi gradijent",               nullptr},              // 30
    {0, "l2",  1, Program,        Num, 9999,    1, 3, "", "Drugi nivo",                    nullptr},              // 31
    {0, "t2",  1, Program,        Num, 9999,    0, 0, "", "Drugo vreme drzanja",           nullptr},              // 32
    {0, "EN",  1, Program,        Num,    8,    0, 0, "", "Kraj programa",                 ProgramEndChoices},    // 33
    {0, "HL",  1, Program,        Num, 9999,    0, 3, "", "Low Hold back",                 nullptr},              // 34
    {0, "HH",  1, Program,        Num, 9999,    0, 3, "", "High Hold Back",                nullptr},              // 35
    {0, "XP",  1, Regulacija,     Num, 9999,    1, 3, "", "Proporcionalni opseg",          nullptr},              // 36
    {0, "TI",  1, Regulacija,     Num, 9999,    0, 0, "", "Integralno vreme",              nullptr},              // 37
    {0, "TD",  1, Regulacija,     Num,  999,    0, 0, "", "Diferencijalno vreme",          nullptr},              // 38
    {0, "TP",  1, Regulacija,     Num,  250,    1, 0, "", "Ciklus izlaza",                 nullptr},              // 39
    {0, "Ho",  1, Alarm,          Num,    2,    0, 0, "", "Tip gornjeg alarma",            AlarmTypeChoices},     // 40
    {0, "Lo",  1, Alarm,          Num,    2,    0, 0, "", "Tip donjeg alarma",             AlarmTypeChoices},     // 41
    {0, "do",  1, Alarm,          Num,    2,    0, 0, "", "Tip diferencijalnog alarma",    AlarmTypeChoices},     // 42
    {0, "HA",  1, Alarm,          Num, 9999, -999, 0, "", "Hi Alarm",                      nullptr},              // 43
    {0, "LA",  1, Alarm,          Num, 9999, -999, 0, "", "Lo Alarm",                      nullptr},              // 44
    {0, "Hd",  1, Alarm,          Num, 9999,    1, 0, "", "Hi delta alarm",                nullptr},              // 45
    {0, "Ld",  1, Alarm,          Num, 9999,    1, 0, "", "Lo delta alarm",                nullptr},              // 46
    {0, "R3",  1, Alarm,          Num,    1,    0, 0, "", "Rele3",                         RelayChoices},         // 47
    {0, "O3",  1, Konfiguracija,  Num,    2,    0, 0, "", "Funkcija izlaza 3",             ChoicesO3},            // 48
    {1, "PI",  0, Izmerene,       Num, 9999,    0, 0, "", "Indentifikacioni broj procesa", nullptr},              // 49
};

}  // namespace tarvo::tables
