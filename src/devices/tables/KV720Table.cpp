// Parameters of the KV720 temperature and humidity regulator, four outputs in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const KV720Groups[5] = {
    "Identifikacioni", "Konfiguracioni", "Regulacija Temperature", "Regulacija Vlaznosti",
    "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacioni = 0,
    Konfiguracioni = 1,
    RegulacijaTemperature = 2,
    RegulacijaVlaznosti = 3,
    Izmerene = 4,
};

const char* const Choices1FO[] = {"GREJANJE", "HLADJENJE", nullptr};
const char* const Choices1CT[] = {"PROPORCIONALNA", "ON_OFF", nullptr};
const char* const Choices2FO[] = {"GREJANJE", "HLADJENJE", "ISKLJUCEN", nullptr};
const char* const Choices3FO[] = {"VLAZENJE", "SUSENJE", nullptr};
const char* const Choices4FO[] = {"VLAZENJE", "SUSENJE", "ISKLJUCEN", nullptr};
const char* const ChoicesSN[] = {
    "KAPACITIVNA SONDA", "PSIHROMETAR", "RAVNOTEZNA VLAGA", "TACKA ROSE", nullptr
};

}  // namespace

const ParamDesc KV720Params[41] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacioni,       Hex,      0,      0, 0, "", "Tip uredjaja",                            nullptr},        // 0
    {1, "SW",  0, Izmerene,              Hex,      0,      0, 0, "", "Status uredjaja",                         nullptr},        // 1
    {0, "VO",  0, Identifikacioni,       Num,      0,      0, 0, "", "Verzija softvera",                        nullptr},        // 2
    {0, "1SP", 1, RegulacijaTemperature, Num, 999.9f, -99.9f, 1, "", "Zadata temperatura (°C)",                 nullptr},        // 3
    {0, "1FO", 1, RegulacijaTemperature, Num,      1,      0, 0, "", "Funkcija IZLAZ1",                         Choices1FO},     // 4
    {0, "1dS", 1, RegulacijaTemperature, Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate temperature IZLAZ1 (°C)",  nullptr},        // 5
    {0, "1CT", 1, RegulacijaTemperature, Num,      1,      0, 0, "", "Tip regulacije IZLAZ1",                   Choices1CT},     // 6
    {0, "1HY", 1, RegulacijaTemperature, Num,    100,   0.1f, 1, "", "Histerezis IZLAZ1 (°C)",                  nullptr},        // 7
    {0, "1XP", 1, RegulacijaTemperature, Num, 999.9f,   0.1f, 1, "", "Proporcionalni opseg IZLAZ1 (°C)",        nullptr},        // 8
    {0, "1IT", 1, RegulacijaTemperature, Num,   9999,      0, 0, "", "Integralno vreme IZLAZ1 (sec)",           nullptr},        // 9
    {0, "1TP", 1, RegulacijaTemperature, Num,    250,      1, 0, "", "Ciklus rada IZLAZ1 (sec)",                nullptr},        // 10
    {0, "2FO", 1, RegulacijaTemperature, Num,      2,      0, 0, "", "Funkcija IZLAZ2",                         Choices2FO},     // 11
    {0, "2dS", 1, RegulacijaTemperature, Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate temperature za OUT2 (°C)", nullptr},        // 12
    {0, "2HY", 1, RegulacijaTemperature, Num,    100,   0.1f, 1, "", "Histerezis IZLAZ2 (°C)",                  nullptr},        // 13
    {0, "2ON", 1, RegulacijaTemperature, Num,   9999,      1, 0, "", "Trajanje ukljucenja IZLAZ2 (sec)",        nullptr},        // 14
    {0, "3OF", 1, RegulacijaTemperature, Num,   9999,      0, 0, "", "Trajanje iskljucenja IZLAZ2 (sec)",       nullptr},        // 15
    {0, "2SP", 1, RegulacijaVlaznosti,   Num,  99.9f,  -9.9f, 1, "", "Zadata vlaznost (%rh)",                   nullptr},        // 16
    {0, "3FO", 1, RegulacijaVlaznosti,   Num,      1,      0, 0, "", "Funkcija IZLAZ3",                         Choices3FO},     // 17
    {0, "3dS", 1, RegulacijaVlaznosti,   Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate vrednosti IZLAZ3 (%rh)",   nullptr},        // 18
    {0, "3CT", 1, RegulacijaVlaznosti,   Num,      1,      0, 0, "", "Tip regulacije IZLAZ3",                   Choices1CT},     // 19
    {0, "3HY", 1, RegulacijaVlaznosti,   Num,    100,   0.1f, 1, "", "Histerezis IZLAZ3 (%rh)",                 nullptr},        // 20
    {0, "3XP", 1, RegulacijaVlaznosti,   Num, 999.9f,   0.1f, 1, "", "Proporcionalni opseg IZLAZ3 (%rh)",       nullptr},        // 21
    {0, "3IT", 1, RegulacijaVlaznosti,   Num,   9999,      0, 0, "", "Integralno vreme IZLAZ3 (sec)",           nullptr},        // 22
    {0, "3TP", 1, RegulacijaVlaznosti,   Num,    250,      1, 0, "", "Ciklus rada IZLAZ3 (sec)",                nullptr},        // 23
    {0, "4FO", 1, RegulacijaVlaznosti,   Num,      2,      0, 0, "", "Funkcija IZLAZ4",                         Choices4FO},     // 24
    {0, "4dS", 1, RegulacijaVlaznosti,   Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate vrednosti IZLAZ4 (%rh)",   nullptr},        // 25
    {0, "4HY", 1, RegulacijaVlaznosti,   Num,  99.9f,   0.1f, 1, "", "Histerezis IZLAZ4 (%rh)",                 nullptr},        // 26
    {0, "4ON", 1, RegulacijaVlaznosti,   Num,   9999,      1, 0, "", "Trajanje ukljucenja IZLAZ4 (sec)",        nullptr},        // 27
    {0, "4OF", 1, RegulacijaVlaznosti,   Num,   9999,      0, 0, "", "Trajanje iskljucenja IZLAZ4 (sec)",       nullptr},        // 28
    {0, "FT",  1, Konfiguracioni,        Num,      7,      0, 0, "", "Digitalni ulazni filter",                 FilterChoices},  // 29
    {0, "SN",  1, Konfiguracioni,        Num,      3,      0, 0, "", "Tip merenja vlaznosti",                   ChoicesSN},      // 30
    {0, "1OF", 1, Konfiguracioni,        Num,  99.9f,  -9.9f, 1, "", "Ofset merenja temperature (°C)",          nullptr},        // 31
    {0, "2OF", 1, Konfiguracioni,        Num,  99.9f,  -9.9f, 1, "", "Ofset merenja vlaznosti (%rh)",           nullptr},        // 32
    {0, "1HS", 1, Konfiguracioni,        Num, 999.9f, -99.9f, 1, "", "Maksimalna zadata temperatura (°C)",      nullptr},        // 33
    {0, "1BH", 1, Konfiguracioni,        Num, 999.9f, -99.9f, 1, "", "Gornji prekid senzora T (°C)",            nullptr},        // 34
    {0, "1BL", 1, Konfiguracioni,        Num, 999.9f, -99.9f, 1, "", "Donji prekid senzora T (°C)",             nullptr},        // 35
    {0, "2BH", 1, Konfiguracioni,        Num, 999.9f, -99.9f, 1, "", "Gornji prekid senzora RH (%rh)",          nullptr},        // 36
    {0, "2BL", 1, Konfiguracioni,        Num, 999.9f, -99.9f, 1, "", "Donji prekid senzora RH (%rh)",           nullptr},        // 37
    {0, "CD",  1, Konfiguracioni,        Num,   9999,   -999, 0, "", "Kod za pristup parametrima",              nullptr},        // 38
    {1, "1PV", 0, Izmerene,              Num,      0,      0, 1, "", "Izmerena temperatura (°C)",               nullptr},        // 39
    {1, "2PV", 0, Izmerene,              Num,      0,      0, 1, "", "Izmerena vlaznost (%rh)",                 nullptr},        // 40
};

}  // namespace tarvo::tables
