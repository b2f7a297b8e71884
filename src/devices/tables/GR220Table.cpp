// Parameters of the GR220 two-input, three-loop regulator with cycle timer in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const GR220Groups[7] = {
    "Identifikacija", "Konfiguracija", "Linearni ulaz", "Regulacioni krug 1", "Regulacioni krug 2",
    "Regulacioni krug 3", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacija = 0,
    Konfiguracija = 1,
    LinearniUlaz = 2,
    RegulacioniKrug1 = 3,
    RegulacioniKrug2 = 4,
    RegulacioniKrug3 = 5,
    Izmerene = 6,
};

const char* const ChoicesLT[] = {"Naponski 0-1V", nullptr};
const char* const Choices3IN[] = {"ULAZ1", "ULAZ2", "RAZLIKA ULAZA", "ISKLUCEN", nullptr};
const char* const Choices1FO[] = {"Grejanje", "Hladjenje", nullptr};
const char* const Choices1CT[] = {"PI regulacja", "ON/OFF regulacija", nullptr};

}  // namespace

const ParamDesc GR220Params[50] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija,   Hex,    0,    0, 0, "", "Tip uredjaja",                      nullptr},              // 0
    {1, "SW",  0, Izmerene,         Hex,    0,    0, 0, "", "Status uredjaja",                   nullptr},              // 1
    {0, "VO",  0, Identifikacija,   Num,    0,    0, 0, "", "Verzija softvera",                  nullptr},              // 2
    {0, "CD",  1, Konfiguracija,    Num, 9999, -999, 0, "", "Kod za pristup parametrima",        nullptr},              // 3
    {1, "1SP", 0, Izmerene,         Num,    0,    0, 3, "", "Trenutno zadata temperatura 1",     nullptr},              // 4
    {1, "2SP", 0, Izmerene,         Num,    0,    0, 3, "", "Trenutno zadata temperatura 2",     nullptr},              // 5
    {1, "1PV", 0, Izmerene,         Num,    0,    0, 3, "", "Izmerena vrednost temperatura 1",   nullptr},              // 6
    {1, "2PV", 0, Izmerene,         Num,    0,    0, 3, "", "Izmerena vrednost temperatura 2",   nullptr},              // 7
    {1, "1TE", 1, Konfiguracija,    Num, 9999,    0, 3, "", "Vreme do kraja ciklusa",            nullptr},              // 8
    {0, "SN",  1, Konfiguracija,    Num,    8,    0, 0, "", "Tip sonde",                         SensorChoices},        // 9
    {0, "CJ",  1, Konfiguracija,    Num,    4,    0, 0, "", "Kompenzacija hladnog spoja",        ColdJunctionChoices},  // 10
    {0, "LT",  1, LinearniUlaz,     Num,    0,    0, 0, "", "Tip linearnog ulaza",               ChoicesLT},            // 11
    {0, "FT",  1, Konfiguracija,    Num,    7,    0, 0, "", "Ulazni Filter",                     FilterChoices},        // 12
    {0, "1OF", 1, Konfiguracija,    Num, 9999, -999, 2, "", "Ofset 1",                           nullptr},              // 13
    {0, "2OF", 1, Konfiguracija,    Num, 9999, -999, 2, "", "Ofset 2",                           nullptr},              // 14
    {0, "3IN", 1, Konfiguracija,    Num,    3,    0, 0, "", "Izbor ulaza za regulacioni krug 3", Choices3IN},           // 15
    {0, "1SL", 1, RegulacioniKrug1, Num, 9999, -999, 3, "", "Zadata temperatura",                nullptr},              // 16
    {0, "2SL", 1, RegulacioniKrug2, Num, 9999, -999, 3, "", "Zadata temperatura",                nullptr},              // 17
    {0, "3SP", 1, RegulacioniKrug3, Num, 9999, -999, 3, "", "Pomeraj zadate temperature",        nullptr},              // 18
    {0, "1TM", 1, Konfiguracija,    Num, 9999,    0, 0, "", "Vreme odrzavanja temperature",      nullptr},              // 19
    {0, "1RS", 1, RegulacioniKrug1, Num, 9999,    0, 2, "", "Gradijent",                         nullptr},              // 20
    {0, "2RS", 1, RegulacioniKrug2, Num, 9999,    0, 2, "", "Gradijent",                         nullptr},              // 21
    {0, "1HB", 1, RegulacioniKrug1, Num, 9999,    0, 3, "", "Hold back",                         nullptr},              // 22
    {0, "2HB", 1, RegulacioniKrug2, Num, 9999,    0, 3, "", "Hold back",                         nullptr},              // 23
    {0, "1FO", 1, RegulacioniKrug1, Num,    1,    0, 0, "", "Funkcija izlaza",                   Choices1FO},           // 24
    {0, "2FO", 1, RegulacioniKrug2, Num,    1,    0, 0, "", "Funkcija izlaza",                   Choices1FO},           // 25
    {0, "3FO", 1, RegulacioniKrug3, Num,    1,    0, 0, "", "Funkcija izlaza",                   Choices1FO},           // 26
    {0, "1CT", 1, RegulacioniKrug1, Num,    1,    0, 0, "", "Tip upravljanja",                   Choices1CT},           // 27
    {0, "2CT", 1, RegulacioniKrug2, Num,    1,    0, 0, "", "Tip upravljanja",                   Choices1CT},           // 28
    {0, "3CT", 1, RegulacioniKrug3, Num,    1,    0, 0, "", "Tip upravljanja",                   Choices1CT},           // 29
    {0, "1XP", 1, RegulacioniKrug1, Num, 9999,    1, 3, "", "Proporcionalni opseg",              nullptr},              // 30
    {0, "2XP", 1, RegulacioniKrug2, Num, 9999,    1, 3, "", "Proporcionalni opseg",              nullptr},              // 31
    {0, "3XP", 1, RegulacioniKrug3, Num, 9999,    1, 3, "", "Proporcionalni opseg",              nullptr},              // 32
    {0, "1IT", 1, RegulacioniKrug1, Num, 9999,    0, 0, "", "Integralno vreme",                  nullptr},              // 33
    {0, "2IT", 1, RegulacioniKrug2, Num, 9999,    0, 0, "", "Integralno vreme",                  nullptr},              // 34
    {0, "1TP", 1, RegulacioniKrug1, Num,  250,    1, 0, "", "Ciklus rada izlaza",                nullptr},              // 35
    {0, "2TP", 1, RegulacioniKrug2, Num,  250,    1, 0, "", "Ciklus rada izlaza",                nullptr},              // 36
    {0, "3TP", 1, RegulacioniKrug3, Num,  250,    1, 0, "", "Ciklus rada izlaza",                nullptr},              // 37
    {0, "1HP", 1, RegulacioniKrug1, Num,  100,    1, 0, "", "Maksimalni nivo izlaza",            nullptr},              // 38
    {0, "2HP", 1, RegulacioniKrug2, Num,  100,    1, 0, "", "Maksimalni nivo izlaza",            nullptr},              // 39
    {0, "1HS", 1, RegulacioniKrug1, Num, 9999, -999, 3, "", "Maksimalna zadata",                 nullptr},              // 40
    {0, "2HS", 1, RegulacioniKrug2, Num, 9999, -999, 3, "", "Maksimalna zadata",                 nullptr},              // 41
    {0, "1LS", 1, RegulacioniKrug1, Num, 9999, -999, 3, "", "Minimalna zadata",                  nullptr},              // 42
    {0, "2LS", 1, RegulacioniKrug2, Num, 9999, -999, 3, "", "Minimalna zadata",                  nullptr},              // 43
    {0, "i1",  1, LinearniUlaz,     Num, 9999,    0, 3, "", "SKALIRANJE 1",                      nullptr},              // 44
    {0, "i2",  1, LinearniUlaz,     Num, 9999,    0, 3, "", "SKALIRANJE 2",                      nullptr},              // 45
    {0, "1d1", 1, LinearniUlaz,     Num, 9999, -999, 3, "", "SKALIRANJE 1 ulaz 1",               nullptr},              // 46
    {0, "1d2", 1, LinearniUlaz,     Num, 9999, -999, 3, "", "SKALIRANJE 2 ulaz 1",               nullptr},              // 47
    {0, "2d1", 1, LinearniUlaz,     Num, 9999, -999, 3, "", "SKALIRANJE 1 ulaz 2",               nullptr},              // 48
    {0, "2d2", 1, LinearniUlaz,     Num, 9999, -999, 3, "", "SKALIRANJE 2 ulaz 2",               nullptr},              // 49
};

}  // namespace tarvo::tables
