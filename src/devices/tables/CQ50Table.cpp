// Parameters of the CQ50 eight-input measuring and alarm unit in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
// Rows 12 to 175 are blocks of one row per input (Ulaz1..Ulaz8) or per output
// (Izlaz1..Izlaz4), the mnemonic prefixed by the input or output number.
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const CQ50Groups[18] = {
    "Identifikacija", "Konfiguracija", "-", "Ulaz1", "Ulaz2", "Ulaz3", "Ulaz4", "Ulaz5", "Ulaz6",
    "Ulaz7", "Ulaz8", "-", "Izlaz1", "Izlaz2", "Izlaz3", "Izlaz4", "-",
    "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t {
    Identifikacija = 0,
    Konfiguracija = 1,
    Ulaz1 = 3,
    Ulaz2 = 4,
    Ulaz3 = 5,
    Ulaz4 = 6,
    Ulaz5 = 7,
    Ulaz6 = 8,
    Ulaz7 = 9,
    Ulaz8 = 10,
    Izlaz1 = 12,
    Izlaz2 = 13,
    Izlaz3 = 14,
    Izlaz4 = 15,
    Izmerene = 17,
};

const char* const ChoicesON[] = {"1", "2", "3", "4", nullptr};
const char* const ChoicesSN[] = {
    "Termopar tip J", "Termopar tip K", "Termopar tip L", "Termopar tip R", "Termopar tip S",
    "Termopar tip B", "RTD Pt100", "PTC", "Linearni ulaz", nullptr
};
const char* const ChoicesSH[] = {"FFFF.", "FFF.F", "FF.FF", "F.FFF", nullptr};
const char* const Choices1SS[] = {
    "Lokalna zadata", "Izmerena na ulazu 1", "Izmerena na ulazu 2", "Izmerena na ulazu 3",
    "Izmerena na ulazu 4", "Izmerena na ulazu 5", "Izmerena na ulazu 6", "Izmerena na ulazu 7",
    "Izmerena na ulazu 8", "Prosecna vrednost", nullptr
};
const char* const Choices1HO[] = {"Izlaz 1", "Izlaz 2", "Izlaz 3", "Izlaz 4", nullptr};
const char* const Choices1OB[] = {"Neblokiran", "Blokiran", nullptr};

}  // namespace

const ParamDesc CQ50Params[176] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex,    0,    0, 0, "", "Tip uredjaja",                 nullptr},              // 0
    {1, "SW",  0, Izmerene,       Hex,    0,    0, 0, "", "Status uredjaja",              nullptr},              // 1
    {0, "VO",  0, Identifikacija, Num,    0,    0, 0, "", "Verzija softvera",             nullptr},              // 2
    {0, "C1",  1, Konfiguracija,  Num, 9999, -999, 0, "", "Operaterski kod",              nullptr},              // 3
    {0, "C2",  1, Konfiguracija,  Num, 9999, -999, 0, "", "Master kod",                   nullptr},              // 4
    {0, "IN",  1, Konfiguracija,  Num,    8,    1, 0, "", "Broj ulaza",                   nullptr},              // 5
    {0, "ON",  1, Konfiguracija,  Num,    3,    0, 0, "", "Broj izlaza",                  ChoicesON},            // 6
    {0, "SN",  1, Konfiguracija,  Num,    8,    0, 0, "", "Tip sonde",                    ChoicesSN},            // 7
    {0, "JC",  1, Konfiguracija,  Num,    4,    0, 0, "", "Kompenzacija hladnog spoja",   ColdJunctionChoices},  // 8
    {0, "FT",  1, Konfiguracija,  Num,    7,    0, 0, "", "Ulazni filter",                FilterChoices},        // 9
    {0, "SH",  1, Konfiguracija,  Num,    3,    0, 0, "", "Definicija prikaza",           ChoicesSH},            // 10
    {0, "PP",  1, Konfiguracija,  Num, 9999,    1, 0, "", "Period prikaza",               nullptr},              // 11
    {1, "1PV", 0, Ulaz1,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 12
    {1, "2PV", 0, Ulaz2,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 13
    {1, "3PV", 0, Ulaz3,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 14
    {1, "4PV", 0, Ulaz4,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 15
    {1, "5PV", 0, Ulaz5,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 16
    {1, "6PV", 0, Ulaz6,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 17
    {1, "7PV", 0, Ulaz7,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 18
    {1, "8PV", 0, Ulaz8,          Num,    0,    0, 1, "", "Izmerena vrednost",            nullptr},              // 19
    {1, "1AC", 0, Ulaz1,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 20
    {1, "2AC", 0, Ulaz2,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 21
    {1, "3AC", 0, Ulaz3,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 22
    {1, "4AC", 0, Ulaz4,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 23
    {1, "5AC", 0, Ulaz5,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 24
    {1, "6AC", 0, Ulaz6,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 25
    {1, "7AC", 0, Ulaz7,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 26
    {1, "8AC", 0, Ulaz8,          Hex,    0,    0, 0, "", "Status alarma",                nullptr},              // 27
    {0, "1SS", 1, Ulaz1,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 28
    {0, "2SS", 1, Ulaz2,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 29
    {0, "3SS", 1, Ulaz3,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 30
    {0, "4SS", 1, Ulaz4,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 31
    {0, "5SS", 1, Ulaz5,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 32
    {0, "6SS", 1, Ulaz6,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 33
    {0, "7SS", 1, Ulaz7,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 34
    {0, "8SS", 1, Ulaz8,          Num,    9,    0, 0, "", "Izbor zadate",                 Choices1SS},           // 35
    {0, "1SP", 1, Ulaz1,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 36
    {0, "2SP", 1, Ulaz2,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 37
    {0, "3SP", 1, Ulaz3,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 38
    {0, "4SP", 1, Ulaz4,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 39
    {0, "5SP", 1, Ulaz5,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 40
    {0, "6SP", 1, Ulaz6,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 41
    {0, "7SP", 1, Ulaz7,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 42
    {0, "8SP", 1, Ulaz8,          Num, 9999, -999, 1, "", "Lokalna zadata",               nullptr},              // 43
    {0, "1HT", 1, Ulaz1,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 44
    {0, "2HT", 1, Ulaz2,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 45
    {0, "3HT", 1, Ulaz3,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 46
    {0, "4HT", 1, Ulaz4,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 47
    {0, "5HT", 1, Ulaz5,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 48
    {0, "6HT", 1, Ulaz6,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 49
    {0, "7HT", 1, Ulaz7,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 50
    {0, "8HT", 1, Ulaz8,          Num,    2,    0, 0, "", "Tip gornjeg alarma",           AlarmTypeChoices},     // 51
    {0, "1HO", 1, Ulaz1,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 52
    {0, "2HO", 1, Ulaz2,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 53
    {0, "3HO", 1, Ulaz3,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 54
    {0, "4HO", 1, Ulaz4,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 55
    {0, "5HO", 1, Ulaz5,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 56
    {0, "6HO", 1, Ulaz6,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 57
    {0, "7HO", 1, Ulaz7,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 58
    {0, "8HO", 1, Ulaz8,          Num,    3,    0, 0, "", "Izlaz gornjeg alarma",         Choices1HO},           // 59
    {0, "1HA", 1, Ulaz1,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 60
    {0, "2HA", 1, Ulaz2,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 61
    {0, "3HA", 1, Ulaz3,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 62
    {0, "4HA", 1, Ulaz4,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 63
    {0, "5HA", 1, Ulaz5,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 64
    {0, "6HA", 1, Ulaz6,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 65
    {0, "7HA", 1, Ulaz7,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 66
    {0, "8HA", 1, Ulaz8,          Num, 9999, -999, 1, "", "Gornji alarm",                 nullptr},              // 67
    {0, "1Hh", 1, Ulaz1,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 68
    {0, "2Hh", 1, Ulaz2,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 69
    {0, "3Hh", 1, Ulaz3,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 70
    {0, "4Hh", 1, Ulaz4,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 71
    {0, "5Hh", 1, Ulaz5,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 72
    {0, "6Hh", 1, Ulaz6,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 73
    {0, "7Hh", 1, Ulaz7,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 74
    {0, "8Hh", 1, Ulaz8,          Num, 9999,    1, 1, "", "Histerezis gornjeg alarma",    nullptr},              // 75
    {0, "1LT", 1, Ulaz1,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 76
    {0, "2LT", 1, Ulaz2,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 77
    {0, "3LT", 1, Ulaz3,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 78
    {0, "4LT", 1, Ulaz4,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 79
    {0, "5LT", 1, Ulaz5,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 80
    {0, "6LT", 1, Ulaz6,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 81
    {0, "7LT", 1, Ulaz7,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 82
    {0, "8LT", 1, Ulaz8,          Num,    2,    0, 0, "", "Tip donjeg alarma",            AlarmTypeChoices},     // 83
    {0, "1LO", 1, Ulaz1,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 84
    {0, "2LO", 1, Ulaz2,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 85
    {0, "3LO", 1, Ulaz3,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 86
    {0, "4LO", 1, Ulaz4,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 87
    {0, "5LO", 1, Ulaz5,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 88
    {0, "6LO", 1, Ulaz6,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 89
    {0, "7LO", 1, Ulaz7,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 90
    {0, "8LO", 1, Ulaz8,          Num,    3,    0, 0, "", "Izlaz donjeg alarma",          Choices1HO},           // 91
    {0, "1LA", 1, Ulaz1,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 92
    {0, "2LA", 1, Ulaz2,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 93
    {0, "3LA", 1, Ulaz3,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 94
    {0, "4LA", 1, Ulaz4,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 95
    {0, "5LA", 1, Ulaz5,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 96
    {0, "6LA", 1, Ulaz6,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 97
    {0, "7LA", 1, Ulaz7,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 98
    {0, "8LA", 1, Ulaz8,          Num, 9999,    0, 1, "", "Donji alarm",                  nullptr},              // 99
    {0, "1Lh", 1, Ulaz1,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 100
    {0, "2Lh", 1, Ulaz2,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 101
    {0, "3Lh", 1, Ulaz3,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 102
    {0, "4Lh", 1, Ulaz4,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 103
    {0, "5Lh", 1, Ulaz5,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 104
    {0, "6Lh", 1, Ulaz6,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 105
    {0, "7Lh", 1, Ulaz7,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 106
    {0, "8Lh", 1, Ulaz8,          Num, 9999,    0, 1, "", "Histerezis donji alarma",      nullptr},              // 107
    {0, "1DT", 1, Ulaz1,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 108
    {0, "2DT", 1, Ulaz2,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 109
    {0, "3DT", 1, Ulaz3,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 110
    {0, "4DT", 1, Ulaz4,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 111
    {0, "5DT", 1, Ulaz5,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 112
    {0, "6DT", 1, Ulaz6,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 113
    {0, "7DT", 1, Ulaz7,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 114
    {0, "8DT", 1, Ulaz8,          Num,    2,    0, 0, "", "Tip alarma razlike",           AlarmTypeChoices},     // 115
    {0, "1DO", 1, Ulaz1,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 116
    {0, "2DO", 1, Ulaz2,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 117
    {0, "3DO", 1, Ulaz3,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 118
    {0, "4DO", 1, Ulaz4,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 119
    {0, "5DO", 1, Ulaz5,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 120
    {0, "6DO", 1, Ulaz6,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 121
    {0, "7DO", 1, Ulaz7,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 122
    {0, "8DO", 1, Ulaz8,          Num,    3,    0, 0, "", "Izlaz alarma razlike",         Choices1HO},           // 123
    {0, "1DH", 1, Ulaz1,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 124
    {0, "2DH", 1, Ulaz2,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 125
    {0, "3DH", 1, Ulaz3,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 126
    {0, "4DH", 1, Ulaz4,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 127
    {0, "5DH", 1, Ulaz5,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 128
    {0, "6DH", 1, Ulaz6,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 129
    {0, "7DH", 1, Ulaz7,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 130
    {0, "8DH", 1, Ulaz8,          Num, 9999,    0, 1, "", "Gornji alarm razlike",         nullptr},              // 131
    {0, "1DL", 1, Ulaz1,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 132
    {0, "2DL", 1, Ulaz2,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 133
    {0, "3DL", 1, Ulaz3,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 134
    {0, "4DL", 1, Ulaz4,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 135
    {0, "5DL", 1, Ulaz5,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 136
    {0, "6DL", 1, Ulaz6,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 137
    {0, "7DL", 1, Ulaz7,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 138
    {0, "8DL", 1, Ulaz8,          Num, 9999,    0, 1, "", "Donji alarm razlike",          nullptr},              // 139
    {0, "1Dh", 1, Ulaz1,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 140
    {0, "2Dh", 1, Ulaz2,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 141
    {0, "3Dh", 1, Ulaz3,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 142
    {0, "4Dh", 1, Ulaz4,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 143
    {0, "5Dh", 1, Ulaz5,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 144
    {0, "6Dh", 1, Ulaz6,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 145
    {0, "7Dh", 1, Ulaz7,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 146
    {0, "8Dh", 1, Ulaz8,          Num, 9999,    0, 1, "", "Histerezis alarma razlike",    nullptr},              // 147
    {0, "1OF", 1, Ulaz1,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 148
    {0, "2OF", 1, Ulaz2,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 149
    {0, "3OF", 1, Ulaz3,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 150
    {0, "4OF", 1, Ulaz4,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 151
    {0, "5OF", 1, Ulaz5,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 152
    {0, "6OF", 1, Ulaz6,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 153
    {0, "7OF", 1, Ulaz7,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 154
    {0, "8OF", 1, Ulaz8,          Num, 9999, -999, 1, "", "Offset merenja",               nullptr},              // 155
    {1, "1OS", 0, Izlaz1,         Hex,    0,    0, 0, "", "Status izlaza",                nullptr},              // 156
    {1, "2OS", 0, Izlaz2,         Hex,    0,    0, 0, "", "Status izlaza",                nullptr},              // 157
    {1, "3OS", 0, Izlaz3,         Hex,    0,    0, 0, "", "Status izlaza",                nullptr},              // 158
    {1, "4OS", 0, Izlaz4,         Hex,    0,    0, 0, "", "Status izlaza",                nullptr},              // 159
    {1, "1DC", 0, Izlaz1,         Num,    0,    0, 0, "", "Vreme do aktiviranja izlaza",  nullptr},              // 160
    {1, "2DC", 0, Izlaz2,         Num,    0,    0, 0, "", "Vreme do aktiviranja izlaza",  nullptr},              // 161
    {1, "3DC", 0, Izlaz3,         Num,    0,    0, 0, "", "Vreme do aktiviranja izlaza",  nullptr},              // 162
    {1, "4DC", 0, Izlaz4,         Num,    0,    0, 0, "", "Vreme do aktiviranja izlaza",  nullptr},              // 163
    {0, "1OT", 1, Izlaz1,         Num,    1,    0, 0, "", "Tip alarmnog izlaza",          RelayChoices},         // 164
    {0, "2OT", 1, Izlaz2,         Num,    1,    0, 0, "", "Tip alarmnog izlaza",          RelayChoices},         // 165
    {0, "3OT", 1, Izlaz3,         Num,    1,    0, 0, "", "Tip alarmnog izlaza",          RelayChoices},         // 166
    {0, "4OT", 1, Izlaz4,         Num,    1,    0, 0, "", "Tip alarmnog izlaza",          RelayChoices},         // 167
    {0, "1OB", 1, Izlaz1,         Num,    1,    0, 0, "", "Blokada alarmnog izlaza",      Choices1OB},           // 168
    {0, "2OB", 1, Izlaz2,         Num,    1,    0, 0, "", "Blokada alarmnog izlaza",      Choices1OB},           // 169
    {0, "3OB", 1, Izlaz3,         Num,    1,    0, 0, "", "Blokada alarmnog izlaza",      Choices1OB},           // 170
    {0, "4OB", 1, Izlaz4,         Num,    1,    0, 0, "", "Blokada alarmnog izlaza",      Choices1OB},           // 171
    {1, "1OD", 1, Izlaz1,         Num, 9999,    0, 0, "", "Kasnjenje aktiviranja izlaza", nullptr},              // 172
    {1, "2OD", 1, Izlaz2,         Num, 9999,    0, 0, "", "Kasnjenje aktiviranja izlaza", nullptr},              // 173
    {1, "3OD", 1, Izlaz3,         Num, 9999,    0, 0, "", "Kasnjenje aktiviranja izlaza", nullptr},              // 174
    {1, "4OD", 1, Izlaz4,         Num, 9999,    0, 0, "", "Kasnjenje aktiviranja izlaza", nullptr},              // 175
};

}  // namespace tarvo::tables
