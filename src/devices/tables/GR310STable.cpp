// Parameters of the GR310S programmable regulator with servo output in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const GR310SGroups[7] = {
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

const char* const ChoicesMA[] = {"Ne", "Da", nullptr};
const char* const ChoicesCB[] = {"Automatski postavljen", "Rucno postavljen", nullptr};
const char* const ChoicesCA[] = {"Reverzno dejstvo", "Direktno dejstvo", nullptr};
const char* const ChoicesCT[] = {"PID", "Prog", nullptr};
const char* const ChoicesO1[] = {"Vremensko proporcionalni", "0 - 20 mA", "4 - 20 mA", nullptr};
const char* const ChoicesO3[] = {"Reverzno dejstvo", "Direktno dejstvo", "Alarm", nullptr};
const char* const ChoicesVP[] = {"Postoji", "Ne postoji", nullptr};
const char* const ChoicesPC[] = {"IDLE", "RUN", "HOLD", nullptr};

}  // namespace

const ParamDesc GR310SParams[56] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II", 0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",               nullptr},              // 0
    {1, "SW", 0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",            nullptr},              // 1
    {0, "V0", 0, Identifikacija, Num,    0,    0, 0, "", "Verzija softvera",           nullptr},              // 2
    {1, "SP", 0, Izmerene,       Num,    0,    0, 3, "", "Trenutno zadata",            nullptr},              // 3
    {1, "PV", 0, Izmerene,       Num,    0,    0, 3, "", "Izmerena vrednost",          nullptr},              // 4
    {1, "OP", 1, Izmerene,       Num,  100,    0, 0, "", "Nivo izlaza",                nullptr},              // 5
    {0, "CD", 1, Konfiguracija,  Num, 9999, -999, 0, "", "Kod za pristup parametrima", nullptr},              // 6
    {0, "SN", 1, Konfiguracija,  Num,    8,    0, 0, "", "Tip sonde",                  SensorChoices},        // 7
    {0, "CJ", 1, Konfiguracija,  Num,    4,    0, 0, "", "Kompenzacija hladnog spoja", ColdJunctionChoices},  // 8
    {0, "LT", 1, LinearniUlaz,   Num,    2,    0, 0, "", "Tip linearnog ulaza",        LinearInputChoices},   // 9
    {0, "FT", 1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni filter",              FilterChoices},        // 10
    {0, "OF", 1, Konfiguracija,  Num, 9999, -999, 2, "", "Ofset",                      nullptr},              // 11
    {0, "MA", 1, Konfiguracija,  Num,    1,    0, 0, "", "Dozvljen rucni rezim",       ChoicesMA},            // 12
    {0, "CB", 1, Konfiguracija,  Num,    1,    0, 0, "", "Cut back",                   ChoicesCB},            // 13
    {0, "CA", 1, Konfiguracija,  Num,    1,    0, 0, "", "Funkcija",                   ChoicesCA},            // 14
    {0, "CT", 1, Konfiguracija,  Num,    1,    0, 0, "", "Tip upravljanja",            ChoicesCT},            // 15
    {0, "O1", 1, Konfiguracija,  Num,    2,    0, 0, "", "Tip prvog izlaza",           ChoicesO1},            // 16
    {0, "O3", 1, Konfiguracija,  Num,    2,    0, 0, "", "Funkcija izlaza3",           ChoicesO3},            // 17
    {0, "R3", 1, Konfiguracija,  Num,    1,    0, 0, "", "Rele3",                      RelayChoices},         // 18
    {0, "VP", 1, Konfiguracija,  Num,    1,    0, 0, "", "Pozicioner",                 ChoicesVP},            // 19
    {0, "BH", 1, LinearniUlaz,   Num, 9999, -999, 3, "", "SB high",                    nullptr},              // 20
    {0, "BL", 1, LinearniUlaz,   Num, 9999, -999, 3, "", "SB low",                     nullptr},              // 21
    {0, "HS", 1, Konfiguracija,  Num, 9999, -999, 3, "", "Maksimalna zadata",          nullptr},              // 22
    {0, "LS", 1, Konfiguracija,  Num, 9999, -999, 3, "", "Minimalna zadata",           nullptr},              // 23
    {0, "i1", 1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz1",           nullptr},              // 24
    {0, "i2", 1, LinearniUlaz,   Num, 9999,    0, 3, "", "SKALIRANJE ulaz2",           nullptr},              // 25
    {0, "d1", 1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz1",         nullptr},              // 26
    {0, "d2", 1, LinearniUlaz,   Num, 9999, -999, 3, "", "SKALIRANJE prikaz2",         nullptr},              // 27
    {0, "SL", 1, Regulacija,     Num,    0,    0, 3, "", "Zadata vrednost",            nullptr},              // 28
    {1, "PC", 1, Program,        Num,    2,    0, 0, "", "Status programatora",        ChoicesPC},            // 29
    {1, "TE", 1, Program,        Num, 9999,    0, 0, "", "Vreme do kraja segmenta",    nullptr},              // 30
    {1, "PN", 1, Program,        Num,    8,    1, 0, "", "Broj Programa",              nullptr},              // 31
    {0, "r1", 1, Program,        Num, 9999,    1, 2, "", "Prvi gradijent",             nullptr},              // 32
    {0, "l1", 1, Program,        Num, 9999,    1, 3, "", "Prvi nivo",                  nullptr},              // 33
    {0, "t1", 1, Program,        Num, 9999,    0, 0, "", "Prvo vreme drzanja",         nullptr},              // 34
    {0, "r2", 1, Program,        Num, 9999,    1, 2, "", "Drugi gradijent",            nullptr},              // 35
    {0, "l2", 1, Program,        Num, 9999,    1, 3, "", "Drugi nivo",                 nullptr},              // 36
    {0, "t2", 1, Program,        Num, 9999,    0, 0, "", "Drugo vreme drzanja",        nullptr},              // 37
    {0, "EN", 1, Program,        Num,    8,    0, 0, "", "Kraj programa",              ProgramEndChoices},    // 38
    {0, "Hb", 1, Program,        Num, 9999,    0, 3, "", "Hold back",                  nullptr},              // 39
    {0, "XP", 1, Regulacija,     Num, 9999,    1, 3, "", "Proporcionalni opseg",       nullptr},              // 40
    {0, "TI", 1, Regulacija,     Num, 9999,    0, 0, "", "Integralno vreme",           nullptr},              // 41
    {0, "TD", 1, Regulacija,     Num,  999,    0, 0, "", "Diferencijalno vreme",       nullptr},              // 42
    {0, "TT", 1, Regulacija,     Num,  250,    1, 0, "", "Hod servo pogona",           nullptr},              // 43
    {0, "VT", 1, Regulacija,     Num,   10,    1, 0, "", "Korak servo pogona",         nullptr},              // 44
    {0, "HB", 1, Regulacija,     Num, 9999,    1, 3, "", "Gornji Cut-back",            nullptr},              // 45
    {0, "LB", 1, Regulacija,     Num, 9999,    1, 3, "", "Donji Cut-back",             nullptr},              // 46
    {0, "dS", 1, Regulacija,     Num,    0,    0, 3, "", "Pomeraj zadate za OUT3",     nullptr},              // 47
    {0, "HY", 1, Regulacija,     Num, 9999,    1, 3, "", "Histerezis za OUT3",         nullptr},              // 48
    {0, "Ho", 1, Alarm,          Num,    2,    0, 0, "", "Tip gornjeg alarma",         AlarmTypeChoices},     // 49
    {0, "Lo", 1, Alarm,          Num,    2,    0, 0, "", "Tip donjeg alarma",          AlarmTypeChoices},     // 50
    {0, "do", 1, Alarm,          Num,    2,    0, 0, "", "Tip diferencijalnog alarma", AlarmTypeChoices},     // 51
    {0, "HA", 1, Alarm,          Num, 9999, -999, 0, "", "Hi Alarm",                   nullptr},              // 52
    {0, "LA", 1, Alarm,          Num, 9999, -999, 0, "", "Lo Alarm",                   nullptr},              // 53
    {0, "Hd", 1, Alarm,          Num, 9999,    1, 0, "", "Hi delta alarm",             nullptr},              // 54
    {0, "Ld", 1, Alarm,          Num, 9999,    1, 0, "", "Lo delta alarm",             nullptr},              // 55
};

}  // namespace tarvo::tables
