// Parameters of the GR210 regulator in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const GR210Groups[6] = {
    "Identifikacija", "Konfiguracija", "Linearni ulaz", "Regulacija", "Alarm",
    "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacija = 0,
    Konfiguracija = 1,
    LinearniUlaz = 2,
    Regulacija = 3,
    Alarm = 4,
    Izmerene = 5,
};

const char* const ChoicesSS[] = {"Local set point", "Remote set point", nullptr};
const char* const Choices1FO[] = {"Grejanje", "Hladjenje", nullptr};
const char* const Choices1CT[] = {"Proporcionalna", "On.Off", nullptr};
const char* const Choices2FO[] = {"Grejanje", "Hladjenje", "Off", nullptr};
const char* const Choices3FO[] = {"Grejanje", "Hladjenje", "Off", "Alarm", nullptr};

}  // namespace

const ParamDesc GR210Params[46] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",               nullptr},              // 0
    {1, "SW",  0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",            nullptr},              // 1
    {0, "VO",  0, Identifikacija, Num, 9999,    0, 0, "", "Verzija softvera",           nullptr},              // 2
    {1, "SP",  0, Izmerene,       Num,    0,    0, 3, "", "Trenutno zadata",            nullptr},              // 3
    {1, "PV",  0, Izmerene,       Num,    0,    0, 3, "", "Izmerena vrednost",          nullptr},              // 4
    {1, "TE",  0, Izmerene,       Num,  100,    0, 0, "", "Vreme do kraja ciklusa",     nullptr},              // 5
    {0, "CD",  1, Konfiguracija,  Num, 9999, -999, 0, "", "Kod za pristup parametrima", nullptr},              // 6
    {0, "SN",  1, Konfiguracija,  Num,    8,    0, 0, "", "Tip sonde",                  SensorChoices},        // 7
    {0, "CJ",  1, Konfiguracija,  Num,    4,    0, 0, "", "Kompenzacija hladnog spoja", ColdJunctionChoices},  // 8
    {0, "LT",  1, LinearniUlaz,   Num,    2,    0, 0, "", "Tip linearnog ulaza",        LinearInputChoices},   // 9
    {0, "i1",  1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz 1",          nullptr},              // 10
    {0, "i2",  1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz 2",          nullptr},              // 11
    {0, "d1",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz 1",        nullptr},              // 12
    {0, "d2",  1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz 2",        nullptr},              // 13
    {0, "FT",  1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni filter",              FilterChoices},        // 14
    {0, "OF",  1, Konfiguracija,  Num, 9999, -999, 2, "", "Ofset",                      nullptr},              // 15
    {0, "SS",  1, Konfiguracija,  Num,    1,    0, 0, "", "Izbor zadate vrednosti",     ChoicesSS},            // 16
    {0, "1FO", 1, Konfiguracija,  Num,    1,    0, 0, "", "Funkcija izlaza 1",          Choices1FO},           // 17
    {0, "1CT", 1, Konfiguracija,  Num,    1,    0, 0, "", "Tip regulacije izlaz 1",     Choices1CT},           // 18
    {0, "2FO", 1, Konfiguracija,  Num,    2,    0, 0, "", "Funkcija izlaza 2",          Choices2FO},           // 19
    {0, "2CT", 1, Konfiguracija,  Num,    1,    0, 0, "", "Tip regulacije izlaz 2",     Choices1CT},           // 20
    {0, "3FO", 1, Konfiguracija,  Num,    3,    0, 0, "", "Funkcija treceg izlaza",     Choices3FO},           // 21
    {0, "3OC", 1, Konfiguracija,  Num,    1,    0, 0, "", "Tip izlaza 3",               RelayChoices},         // 22
    {0, "HS",  1, Konfiguracija,  Num, 9999, -999, 3, "", "Maksimalna zadata",          nullptr},              // 23
    {0, "LS",  1, Konfiguracija,  Num, 9999, -999, 3, "", "Minimalna zadata",           nullptr},              // 24
    {0, "SL",  1, Regulacija,     Num,    0,    0, 3, "", "Zadata vrednost",            nullptr},              // 25
    {0, "TM",  1, Regulacija,     Num, 9999,    0, 0, "", "Vreme ciklusa",              nullptr},              // 26
    {0, "RS",  1, Regulacija,     Num, 9999,    0, 2, "", "Gradijent promnene zadate",  nullptr},              // 27
    {0, "HB",  1, Regulacija,     Num, 9999,    0, 3, "", "Hold back",                  nullptr},              // 28
    {0, "1XP", 1, Regulacija,     Num, 9999,    1, 3, "", "Proporcionalni opseg 1",     nullptr},              // 29
    {0, "1IT", 1, Regulacija,     Num, 9999,    0, 0, "", "Integralno vreme 1",         nullptr},              // 30
    {0, "1TP", 1, Regulacija,     Num,  250,    1, 0, "", "Ciklus izlaza1",             nullptr},              // 31
    {0, "1HP", 1, Regulacija,     Num,  100,    1, 0, "", "Max. nivo izlaza1",          nullptr},              // 32
    {0, "2dS", 1, Regulacija,     Num, 1000, -999, 3, "", "Pomeraj zadate za izlaz 2",  nullptr},              // 33
    {0, "2XP", 1, Regulacija,     Num, 9999,    1, 3, "", "Proporcionalni opseg 2",     nullptr},              // 34
    {0, "2TP", 1, Regulacija,     Num,  250,    1, 0, "", "Ciklus izlaza 2",            nullptr},              // 35
    {0, "2HP", 1, Regulacija,     Num,  100,    1, 0, "", "Max. nivo izlaza 2",         nullptr},              // 36
    {0, "3dS", 1, Regulacija,     Num, 1000, -999, 3, "", "Pomeraj zadate za izlaz 3",  nullptr},              // 37
    {0, "3HY", 1, Regulacija,     Num, 9999,    1, 3, "", "Histerezis 3",               nullptr},              // 38
    {0, "Ho",  1, Alarm,          Num,    2,    0, 0, "", "Tip gornjeg alarma",         AlarmTypeChoices},     // 39
    {0, "Lo",  1, Alarm,          Num,    2,    0, 0, "", "Tip donjeg alarma",          AlarmTypeChoices},     // 40
    {0, "do",  1, Alarm,          Num,    2,    0, 0, "", "Tip diferencijalnog alarma", AlarmTypeChoices},     // 41
    {0, "HA",  1, Alarm,          Num, 9999, -999, 0, "", "Hi Alarm",                   nullptr},              // 42
    {0, "LA",  1, Alarm,          Num, 9999, -999, 0, "", "Lo Alarm",                   nullptr},              // 43
    {0, "Hd",  1, Alarm,          Num, 9999,    1, 0, "", "Hi delta alarm",             nullptr},              // 44
    {0, "Ld",  1, Alarm,          Num, 9999,    1, 0, "", "Lo delta alarm",             nullptr},              // 45
};

}  // namespace tarvo::tables
