// Parameters of the KV710 temperature and humidity regulator in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const KV710Groups[6] = {
    "Identifikacioni", "Konfiguracioni", "Regulacija Temperature", "Regulacija Vlaznosti",
    "IZLAZ3", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacioni = 0,
    Konfiguracioni = 1,
    RegulacijaTemperature = 2,
    RegulacijaVlaznosti = 3,
    Izlaz3 = 4,
    Izmerene = 5,
};

const char* const Choices1FO[] = {"GREJANJE", "HLADJENJE", nullptr};
const char* const Choices1CT[] = {"PROPORCIONALNA", "ON_OFF", nullptr};
const char* const Choices2FO[] = {"VLAZENJE", "SUSENJE", nullptr};
const char* const ChoicesIN[] = {"TEMPERATURA", "RELATIVNA VLAZNOST", "OFF", nullptr};
const char* const ChoicesSN[] = {
    "KAPACITIVNA SONDA", "PSIHROMETAR", "RAVNOTEZNA VLAGA", "TACKA ROSE", nullptr
};

}  // namespace

const ParamDesc KV710Params[37] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacioni,       Hex,      0,      0, 0, "", "Tip uredjaja",                      nullptr},        // 0
    {1, "SW",  0, Izmerene,              Hex,      0,      0, 0, "", "Status uredjaja",                   nullptr},        // 1
    {0, "VO",  0, Identifikacioni,       Num,      0,      0, 0, "", "Verzija softvera",                  nullptr},        // 2
    {0, "1SP", 1, RegulacijaTemperature, Num, 999.9f, -99.9f, 1, "", "Zadata temperatura (°C)",           nullptr},        // 3
    {0, "1dS", 1, RegulacijaTemperature, Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate temperature(°C)",    nullptr},        // 4
    {0, "1FO", 1, RegulacijaTemperature, Num,      1,      0, 0, "", "Funkcija izlaza",                   Choices1FO},     // 5
    {0, "1CT", 1, RegulacijaTemperature, Num,      1,      0, 0, "", "Tip regulacije",                    Choices1CT},     // 6
    {0, "1HY", 1, RegulacijaTemperature, Num,    100,   0.1f, 1, "", "Histerezis(°C)",                    nullptr},        // 7
    {0, "1XP", 1, RegulacijaTemperature, Num, 999.9f,   0.1f, 1, "", "Proporcionalni opseg(°C)",          nullptr},        // 8
    {0, "1IT", 1, RegulacijaTemperature, Num,   9999,      0, 0, "", "Integralno vreme(sec)",             nullptr},        // 9
    {0, "1TP", 1, RegulacijaTemperature, Num,    250,      1, 0, "", "Ciklus rada(sec)",                  nullptr},        // 10
    {0, "2SP", 1, RegulacijaVlaznosti,   Num,  99.9f,  -9.9f, 1, "", "Zadata vlaznost(%rh)",              nullptr},        // 11
    {0, "2dS", 1, RegulacijaVlaznosti,   Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate vlaznosti(%rh)",     nullptr},        // 12
    {0, "2FO", 1, RegulacijaVlaznosti,   Num,      1,      0, 0, "", "Funkcija izlaza",                   Choices2FO},     // 13
    {0, "2CT", 1, RegulacijaVlaznosti,   Num,      1,      0, 0, "", "Tip regulacije",                    Choices1CT},     // 14
    {0, "2HY", 1, RegulacijaVlaznosti,   Num,    100,   0.1f, 1, "", "Histerezis(%rh)",                   nullptr},        // 15
    {0, "2XP", 1, RegulacijaVlaznosti,   Num, 999.9f,   0.1f, 1, "", "Proporcionalni opseg(%rh)",         nullptr},        // 16
    {0, "2IT", 1, RegulacijaVlaznosti,   Num,   9999,      0, 0, "", "Integralno vreme(sec)",             nullptr},        // 17
    {0, "2TP", 1, RegulacijaVlaznosti,   Num,    250,      1, 0, "", "Ciklus rada(sec)",                  nullptr},        // 18
    {0, "IN",  1, Izlaz3,                Num,      2,      0, 0, "", "Regulacioni krug",                  ChoicesIN},      // 19
    {0, "3FO", 1, Izlaz3,                Num,      1,      0, 0, "", "Funkcija izlaza",                   Choices1FO},     // 20
    {0, "3dS", 1, Izlaz3,                Num,  99.9f, -99.9f, 1, "", "Pomeraj zadate vrednosti",          nullptr},        // 21
    {0, "3HY", 1, Izlaz3,                Num,  99.9f,   0.1f, 1, "", "Histerezis",                        nullptr},        // 22
    {0, "3ON", 1, Izlaz3,                Num,   9999,      1, 0, "", "Trajanje ukljucenja(sec)",          nullptr},        // 23
    {0, "3OF", 1, Izlaz3,                Num,   9999,      0, 0, "", "Trajanje iskljucenja(sec)",         nullptr},        // 24
    {0, "FT",  1, Konfiguracioni,        Num,      7,      0, 0, "", "Digitalni ulazni filter",           FilterChoices},  // 25
    {0, "SN",  1, Konfiguracioni,        Num,      3,      0, 0, "", "Tip merenja vlaznosti",             ChoicesSN},      // 26
    {0, "1OF", 1, Konfiguracioni,        Num,  99.9f,  -9.9f, 1, "", "Ofset merenja temperature(°C)",     nullptr},        // 27
    {0, "2OF", 1, Konfiguracioni,        Num,  99.9f,  -9.9f, 1, "", "Ofset merenja vlaznosti(%rh)",      nullptr},        // 28
    {0, "1HS", 1, Konfiguracioni,        Num,  99.9f,  -9.9f, 1, "", "Maksimalna zadata temperatura(°C)", nullptr},        // 29
    {0, "1BH", 1, Konfiguracioni,        Num,    120,  -9.9f, 1, "", "Gornji prekid senzora T(°C)",       nullptr},        // 30
    {0, "1BL", 1, Konfiguracioni,        Num,    120,  -9.9f, 1, "", "Donji prekid senzora T(°C)",        nullptr},        // 31
    {0, "2BH", 1, Konfiguracioni,        Num,    120,  -9.9f, 1, "", "Gornji prekid senzora RH(%rh)",     nullptr},        // 32
    {0, "2BL", 1, Konfiguracioni,        Num,    120,  -9.9f, 1, "", "Donji prekid senzora RH(%rh)",      nullptr},        // 33
    {0, "CD",  1, Konfiguracioni,        Num,   9999,   -999, 0, "", "Kod za pristup parametrima",        nullptr},        // 34
    {1, "1PV", 0, Izmerene,              Num,      0,      0, 1, "", "Izmerena temperatura(°C)",          nullptr},        // 35
    {1, "2PV", 0, Izmerene,              Num,      0,      0, 1, "", "Izmerena vlaznost(%rh)",            nullptr},        // 36
};

}  // namespace tarvo::tables
