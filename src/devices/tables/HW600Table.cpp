// Parameters of the HW600 temperature and humidity indicator in the controller's own index order,
// and the submenus of its parameter menu ("-" is a separator line and holds no parameters).
#include "devices/tables/Tables.h"

namespace tarvo::tables {

const char* const HW600Groups[3] = {
    "Identifikacija", "-", "Izmerene vrednosti i statusi"
};

namespace {

enum : int32_t { Identifikacija = 0, Izmerene = 2 };

}  // namespace

const ParamDesc HW600Params[5] = {
    // Cyclic, Mnemonic, Writable, Group, ValueKind, Max, Min, Decimals, PanelCaption, Caption, Choices
    {0, "II",  0, Identifikacija, Hex, 0, 0, 0, "", "Tip uredjaja",       nullptr},  // 0
    {1, "SW",  0, Izmerene,       Hex, 0, 0, 0, "", "Status uredjaja",    nullptr},  // 1
    {0, "VO",  0, Identifikacija, Num, 0, 0, 0, "", "Verzija softvera",   nullptr},  // 2
    {1, "1PV", 0, Izmerene,       Num, 0, 0, 1, "", "Temperatura",        nullptr},  // 3
    {1, "2PV", 0, Izmerene,       Num, 0, 0, 1, "", "Relativna vlaznost", nullptr},  // 4
};

}  // namespace tarvo::tables
