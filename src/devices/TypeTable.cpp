#include "devices/TypeTable.h"

#include <cctype>
#include <cstring>
#include <iterator>

#include "devices/tables/Tables.h"
#include "link/Codec.h"

namespace tarvo {

static_assert(tables::Hex == KindHexWord && tables::Num == KindNumber && tables::Txt == KindText,
              "table rows and the codec must agree on value kinds");

namespace {

using namespace tables;

// Table entry of one type whose parameter table and group list are the arrays named Model##Params
// and Model##Groups; the counts come from the arrays themselves.
#define TYPE_TABLES(Model) Model##Params, static_cast<int>(std::size(Model##Params)), \
                           Model##Groups, static_cast<int>(std::size(Model##Groups))

constexpr int kSensorCount = static_cast<int>(std::size(SensorRanges));
constexpr int kCQ50SensorCount = static_cast<int>(std::size(CQ50SensorRanges));

// Indexed by ID_Tip, the type number of the device table.
const DeviceTypeInfo Types[] = {
    {"TLX410i", "LX410i", "LX410i single-input indicator with alarms",
     0, 1, {">4101", nullptr}, 6, TYPE_TABLES(LX410i), nullptr, 0},
    {"TKV710", "KV710", "KV710 temperature and humidity regulator",
     1, 9, {">7101", nullptr}, 2, TYPE_TABLES(KV710), nullptr, 0},
    {"TGR220", "GR220", "GR220 two-input, three-loop regulator with cycle timer",
     2, 4, {">2201", nullptr}, 0, TYPE_TABLES(GR220), SensorRanges, kSensorCount},
    {"TFP320", "FP320", "FP320 programmer-regulator with two inputs",
     3, 7, {">3201", nullptr}, 1, TYPE_TABLES(FP320), SensorRanges, kSensorCount},
    {"TCQ50", "CQ50", "CQ50 eight-input measuring and alarm unit",
     4, 8, {">5301", nullptr}, 3, TYPE_TABLES(CQ50), CQ50SensorRanges, kCQ50SensorCount},
    {"TGR310", "GR310", "GR310 programmable regulator",
     5, 5, {">3101", nullptr}, 4, TYPE_TABLES(GR310), SensorRanges, kSensorCount},
    {"TGR210", "GR210", "GR210 regulator",
     6, 3, {">2101", nullptr}, 4, TYPE_TABLES(GR210), SensorRanges, kSensorCount},
    {"TSVB", "SVB", "SVB eight-channel measuring unit",
     7, 13, {">0601", nullptr}, 8, TYPE_TABLES(SVB), nullptr, 0},
    // SVB16's front plate comes from its own picture file, not from the image list.
    {"TSVB16", "SVB16", "SVB16 sixteen-channel measuring unit",
     8, 12, {">1601", nullptr}, -1, TYPE_TABLES(SVB16), nullptr, 0},
    {"THW600", "HW600", "HW600 temperature and humidity indicator",
     9, 10, {">0606", ">1606"}, 5, TYPE_TABLES(HW600), nullptr, 0},
    {"TRMV_Disp", "RMV_Disp", "RMV_Disp clock and message display",
     10, 14, {">8606", nullptr}, 9, TYPE_TABLES(RMV_Disp), nullptr, 0},
    {"TGR310S", "GR310S", "GR310S programmable regulator with servo output",
     11, 6, {">3102", nullptr}, 4, TYPE_TABLES(GR310S), SensorRanges, kSensorCount},
    {"TKV720", "KV720", "KV720 temperature and humidity regulator, four outputs",
     12, 16, {">7201", nullptr}, 12, TYPE_TABLES(KV720), nullptr, 0},
};

#undef TYPE_TABLES

bool SameIgnoringCase(const char* a, const std::string& b)
{
    if (std::strlen(a) != b.size())
        return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

int DeviceTypeInfo::IndexOf(const std::string& mnemonic) const
{
    for (int i = 0; i < ParamCount; ++i)
        if (mnemonic == Params[i].Mnemonic)
            return i;
    return -1;
}

bool DeviceTypeInfo::IsIdentity(const std::string& code) const
{
    for (const char* accepted : IdentCodes)
        if (accepted && code == accepted)
            return true;
    return false;
}

const std::vector<const DeviceTypeInfo*>& AllTypes()
{
    static const std::vector<const DeviceTypeInfo*> all = [] {
        std::vector<const DeviceTypeInfo*> v;
        for (const DeviceTypeInfo& t : Types)
            v.push_back(&t);
        return v;
    }();
    return all;
}

const DeviceTypeInfo* TypeByIdTip(int idTip)
{
    for (const DeviceTypeInfo& t : Types)
        if (t.ID_Tip == idTip)
            return &t;
    return nullptr;
}

const DeviceTypeInfo* TypeByModel(const std::string& model)
{
    for (const DeviceTypeInfo& t : Types)
        if (SameIgnoringCase(t.Model, model))
            return &t;
    return nullptr;
}

}  // namespace tarvo
