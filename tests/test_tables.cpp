// The static data of the thirteen controller types: the type table, the invariants every
// parameter table must keep, and the rows other code reaches by index or mnemonic.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "devices/TypeTable.h"

using namespace tarvo;

namespace {

struct ExpectedType {
    const char* ClassName;
    const char* Model;
    int ID_Tip;
    int TypeId;
    const char* Code1;
    const char* Code2;
    int Picture;
    int ParamCount;
    int GroupCount;
    const SensorRange* Sensors;
};

const ExpectedType kTypes[] = {
    {"TLX410i", "LX410i", 0, 1, ">4101", nullptr, 6, 19, 6, nullptr},
    {"TKV710", "KV710", 1, 9, ">7101", nullptr, 2, 37, 6, nullptr},
    {"TGR220", "GR220", 2, 4, ">2201", nullptr, 0, 50, 7, SensorRanges},
    {"TFP320", "FP320", 3, 7, ">3201", nullptr, 1, 50, 7, SensorRanges},
    {"TCQ50", "CQ50", 4, 8, ">5301", nullptr, 3, 176, 18, CQ50SensorRanges},
    {"TGR310", "GR310", 5, 5, ">3101", nullptr, 4, 57, 7, SensorRanges},
    {"TGR210", "GR210", 6, 3, ">2101", nullptr, 4, 46, 6, SensorRanges},
    {"TSVB", "SVB", 7, 13, ">0601", nullptr, 8, 26, 6, nullptr},
    {"TSVB16", "SVB16", 8, 12, ">1601", nullptr, -1, 42, 6, nullptr},
    {"THW600", "HW600", 9, 10, ">0606", ">1606", 5, 5, 3, nullptr},
    {"TRMV_Disp", "RMV_Disp", 10, 14, ">8606", nullptr, 9, 28, 7, nullptr},
    {"TGR310S", "GR310S", 11, 6, ">3102", nullptr, 4, 56, 7, SensorRanges},
    {"TKV720", "KV720", 12, 16, ">7201", nullptr, 12, 41, 5, nullptr},
};

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

TEST(TypeTable, TypesInOrderWithTheirNumbers)
{
    const auto& all = AllTypes();
    ASSERT_EQ(all.size(), std::size(kTypes));
    for (size_t i = 0; i < all.size(); ++i) {
        const ExpectedType& e = kTypes[i];
        const DeviceTypeInfo& t = *all[i];
        SCOPED_TRACE(e.Model);
        EXPECT_STREQ(t.ClassName, e.ClassName);
        EXPECT_STREQ(t.Model, e.Model);
        EXPECT_EQ(t.ID_Tip, e.ID_Tip);
        EXPECT_EQ(t.TypeId, e.TypeId);
        EXPECT_STREQ(t.IdentCodes[0], e.Code1);
        if (e.Code2) {
            EXPECT_STREQ(t.IdentCodes[1], e.Code2);
        } else {
            EXPECT_EQ(t.IdentCodes[1], nullptr);
        }
        EXPECT_EQ(t.Picture, e.Picture);
        EXPECT_EQ(t.ParamCount, e.ParamCount);
        EXPECT_EQ(t.GroupCount, e.GroupCount);
        EXPECT_EQ(t.Sensors, e.Sensors);
        EXPECT_EQ(t.SensorCount, e.Sensors ? 9 : 0);
        EXPECT_NE(t.Description, nullptr);
    }
}

TEST(TypeTable, LookupByTypeNumberAndModel)
{
    for (const ExpectedType& e : kTypes) {
        SCOPED_TRACE(e.Model);
        const DeviceTypeInfo* t = TypeByIdTip(e.ID_Tip);
        ASSERT_NE(t, nullptr);
        EXPECT_STREQ(t->Model, e.Model);
        EXPECT_EQ(TypeByModel(e.Model), t);
        EXPECT_EQ(TypeByModel(Lower(e.Model)), t);
    }
    EXPECT_EQ(TypeByIdTip(-1), nullptr);
    EXPECT_EQ(TypeByIdTip(13), nullptr);
    EXPECT_EQ(TypeByModel(""), nullptr);
    EXPECT_EQ(TypeByModel("GR31"), nullptr);    // prefix of a model is no model
    EXPECT_EQ(TypeByModel("GR310SX"), nullptr);
}

// Identification picks the type from the "II" reply, so no code may belong to two types.
TEST(TypeTable, EachIdentificationCodeNamesExactlyOneType)
{
    for (const ExpectedType& e : kTypes) {
        for (const char* code : {e.Code1, e.Code2}) {
            if (!code)
                continue;
            SCOPED_TRACE(code);
            int accepting = 0;
            for (const DeviceTypeInfo* t : AllTypes()) {
                if (t->IsIdentity(code)) {
                    ++accepting;
                    EXPECT_STREQ(t->Model, e.Model);
                }
            }
            EXPECT_EQ(accepting, 1);
        }
    }
    const DeviceTypeInfo* hw = TypeByModel("HW600");
    EXPECT_FALSE(hw->IsIdentity(""));
    EXPECT_FALSE(hw->IsIdentity(">0606 "));
    EXPECT_FALSE(hw->IsIdentity("0606"));
}

// ---- invariants of every parameter table -------------------------------------------------------

class EveryTable : public ::testing::TestWithParam<const DeviceTypeInfo*> {
protected:
    const DeviceTypeInfo& T() const { return *GetParam(); }
};

TEST_P(EveryTable, StartsWithIdentificationAndStatusWord)
{
    ASSERT_GE(T().ParamCount, 3);
    const ParamDesc& ii = T().Param(0);
    const ParamDesc& sw = T().Param(1);
    EXPECT_STREQ(ii.Mnemonic, "II");
    EXPECT_EQ(ii.ValueKind, 0);
    EXPECT_STREQ(ii.Caption, "Tip uredjaja");
    EXPECT_FALSE(ii.IsCyclic());
    EXPECT_STREQ(sw.Mnemonic, "SW");
    EXPECT_EQ(sw.ValueKind, 0);
    EXPECT_STREQ(sw.Caption, "Status uredjaja");
    EXPECT_TRUE(sw.IsCyclic());
}

TEST_P(EveryTable, RowsAreWellFormed)
{
    std::set<std::string> seen;
    for (int i = 0; i < T().ParamCount; ++i) {
        const ParamDesc& p = T().Param(i);
        SCOPED_TRACE(std::to_string(i) + " " + (p.Mnemonic ? p.Mnemonic : "(null)"));
        ASSERT_NE(p.Mnemonic, nullptr);
        ASSERT_NE(p.Caption, nullptr);

        // Mnemonics go on the wire: two or three letters and digits, unique within the table
        // (case matters: "HB" and "Hb" are two parameters).
        const std::string m = p.Mnemonic;
        EXPECT_TRUE(m.size() == 2 || m.size() == 3);
        for (char c : m)
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << m;
        EXPECT_TRUE(seen.insert(m).second) << "duplicate mnemonic " << m;
        EXPECT_EQ(T().IndexOf(m), i);

        EXPECT_GT(std::strlen(p.Caption), 0u);
        EXPECT_STREQ(p.PanelCaption, "");
        EXPECT_TRUE(p.Cyclic == 0 || p.Cyclic == 1);
        EXPECT_TRUE(p.Writable == 0 || p.Writable == 1);
        EXPECT_TRUE(p.ValueKind >= 0 && p.ValueKind <= 2);
        if (p.IsWritable()) {
            EXPECT_EQ(p.ValueKind, 1) << "writable parameters are numbers";
        }
        EXPECT_LE(p.MinValue, p.MaxValue);

        // 0..3; 3 may mean "from the sensor table" for some types. SVB16's offsets carry -1,
        // meaning "from DP"; no other table uses it.
        const bool svb16Offset = std::strcmp(T().Model, "SVB16") == 0 && m.size() == 3 && m[1] == 'O';
        if (svb16Offset) {
            EXPECT_EQ(p.Decimals, -1);
        } else {
            EXPECT_TRUE(p.Decimals >= 0 && p.Decimals <= 3) << p.Decimals;
        }
    }
}

TEST_P(EveryTable, ChoiceListsCoverZeroToMaxValue)
{
    for (int i = 0; i < T().ParamCount; ++i) {
        const ParamDesc& p = T().Param(i);
        if (!p.HasChoices())
            continue;
        SCOPED_TRACE(p.Mnemonic);
        EXPECT_EQ(p.MinValue, 0.0f);
        EXPECT_EQ(p.MaxValue, std::floor(p.MaxValue));
        EXPECT_EQ(p.ChoiceCount(), static_cast<int>(p.MaxValue) + 1);
        for (int k = 0; k < p.ChoiceCount(); ++k)
            EXPECT_GT(std::strlen(p.Choices[k]), 0u);
    }
}

TEST_P(EveryTable, GroupsNameRealSubmenus)
{
    ASSERT_NE(T().GroupCaptions, nullptr);
    std::set<int> used;
    for (int i = 0; i < T().ParamCount; ++i) {
        const ParamDesc& p = T().Param(i);
        SCOPED_TRACE(p.Mnemonic);
        ASSERT_GE(p.Group, 0);
        ASSERT_LT(p.Group, T().GroupCount);
        EXPECT_STRNE(T().GroupCaptions[p.Group], "-") << "parameter on a separator line";
        used.insert(p.Group);
    }
    // Every real submenu lists something; an empty one would be a transcription slip.
    for (int g = 0; g < T().GroupCount; ++g) {
        if (std::strcmp(T().GroupCaptions[g], "-") != 0) {
            EXPECT_EQ(used.count(g), 1u) << T().GroupCaptions[g];
        }
    }
}

// The sensor table is indexed by the value of "SN", so it has one row per "SN" choice.
TEST_P(EveryTable, SensorTableMatchesSensorChoices)
{
    if (!T().Sensors)
        return;
    const int sn = T().IndexOf("SN");
    ASSERT_GE(sn, 0);
    EXPECT_EQ(T().Param(sn).ChoiceCount(), T().SensorCount);
}

INSTANTIATE_TEST_SUITE_P(Types, EveryTable, ::testing::ValuesIn(AllTypes()),
                         [](const ::testing::TestParamInfo<const DeviceTypeInfo*>& type) {
                             return std::string(type.param->Model);
                         });

// ---- rows that other code reaches by position or by exact mnemonic ------------------------------

TEST(TypeTable, RowsReachedByIndexAndExactMnemonic)
{
    struct Row {
        const char* Model;
        const char* Mnemonic;
        int Index;
        const char* Group;
    };
    const Row rows[] = {
        {"GR310", "V0", 2, "Identifikacija"},  // digit zero
        {"GR310S", "V0", 2, "Identifikacija"},
        {"GR210", "VO", 2, "Identifikacija"},
        {"GR310", "HB", 46, "Regulacija"},
        {"GR310", "Hb", 38, "Program"},
        {"CQ50", "1HA", 60, "Ulaz1"},
        {"CQ50", "1Hh", 68, "Ulaz1"},
        {"CQ50", "8Hh", 75, "Ulaz8"},
        {"CQ50", "3SP", 38, "Ulaz3"},
        {"CQ50", "8OF", 155, "Ulaz8"},
        {"CQ50", "1OS", 156, "Izlaz1"},
        {"CQ50", "2OB", 169, "Izlaz2"},
        {"CQ50", "4OD", 175, "Izlaz4"},
        {"KV720", "3OF", 15, "Regulacija Temperature"},
        {"KV720", "2OF", 32, "Konfiguracioni"},
        {"SVB", "SS", 3, "Izmerene vrednosti i statusi"},
        {"SVB", "1PV", 10, "Izmerene vrednosti i statusi"},
        {"SVB", "8OF", 25, "Offset"},
        {"SVB16", "SS", 3, "Izmerene vrednosti i statusi"},
        {"SVB16", "8P2", 25, "Izmerene vrednosti i statusi"},
        {"SVB16", "8O2", 41, "Offset"},
        {"RMV_Disp", "1AL", 13, "Alarmi"},
        {"RMV_Disp", "8AL", 20, "Alarmi"},
        {"RMV_Disp", "TX", 21, "Izmerene vrednosti i statusi"},
        {"RMV_Disp", "5DI", 27, "Prikaz"},
        {"FP320", "PC", 24, "Program"},
        {"FP320", "PI", 49, "Izmerene vrednosti i statusi"},
        {"LX410i", "d2", 18, "Konfiguracija"},
        {"HW600", "2PV", 4, "Izmerene vrednosti i statusi"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Model) + " " + r.Mnemonic);
        const DeviceTypeInfo* t = TypeByModel(r.Model);
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->IndexOf(r.Mnemonic), r.Index);
        EXPECT_STREQ(t->GroupCaptions[t->Param(r.Index).Group], r.Group);
    }
    EXPECT_EQ(TypeByModel("GR310")->IndexOf("VO"), -1);
    EXPECT_EQ(TypeByModel("CQ50")->IndexOf("1HH"), -1);
}

TEST(TypeTable, CaptionsAreUtf8WithTheDegreeSign)
{
    EXPECT_STREQ(TypeByModel("KV710")->Param(3).Caption, "Zadata temperatura (\xC2\xB0"
                                                         "C)");
    EXPECT_STREQ(TypeByModel("KV720")->Param(39).Caption, "Izmerena temperatura (\xC2\xB0"
                                                          "C)");
}

TEST(TypeTable, BaseTable)
{
    const char* mnemonics[] = {"II", "SW", "VO"};
    const char* panels[] = {"     ", "    ", "VEr "};
    const int groups[] = {0, 5, 0};
    const int kinds[] = {0, 0, 1};
    for (int i = 0; i < 3; ++i) {
        const ParamDesc& p = BaseParams[i];
        SCOPED_TRACE(i);
        EXPECT_STREQ(p.Mnemonic, mnemonics[i]);
        EXPECT_STREQ(p.PanelCaption, panels[i]);
        EXPECT_EQ(p.Group, groups[i]);
        EXPECT_EQ(p.ValueKind, kinds[i]);
        EXPECT_EQ(p.Cyclic, 0);
        EXPECT_EQ(p.Writable, 0);
        EXPECT_EQ(p.MaxValue, 0.0f);
        EXPECT_EQ(p.MinValue, 0.0f);
        EXPECT_EQ(p.Decimals, 0);
        EXPECT_FALSE(p.HasChoices());
    }
}

TEST(TypeTable, SharedChoiceLists)
{
    struct List {
        const char* const* Choices;
        int Count;
        const char* First;
        const char* Last;
    };
    const List lists[] = {
        {FilterChoices, 8, "1", "128"},
        {ColdJunctionChoices, 5, "Intena", "50 C"},
        {SensorChoices, 9, "Termopar tip J", "Linearni ulaz"},
        {LinearInputChoices, 3, "Naponski 0-1V", "Strujni 0-20mA"},
        {AlarmTypeChoices, 3, "Iskljucen", "Nelecovan"},
        {RelayChoices, 2, "Normalno zatvoren", "Normalno otvoren"},
        {ProgramEndChoices, 9, "STOP", "Skoci na PROGRAM 8"},
    };
    for (const List& l : lists) {
        SCOPED_TRACE(l.First);
        ParamDesc probe{};
        probe.Choices = l.Choices;
        ASSERT_EQ(probe.ChoiceCount(), l.Count);
        EXPECT_STREQ(l.Choices[0], l.First);
        EXPECT_STREQ(l.Choices[l.Count - 1], l.Last);
    }
}

TEST(TypeTable, SensorRanges)
{
    const SensorRange shared[9] = {{1000, -200, 0}, {1200, -200, 0}, {800, -200, 0},
                                   {1600, 0, 0},    {1600, 0, 0},    {1600, 0, 0},
                                   {5999, -999, 1}, {9999, -999, 0}, {9999, -999, 1}};
    const SensorRange cq50[9] = {{1000, -200, 0}, {1200, -200, 0}, {800, -200, 0},
                                 {1600, 0, 0},    {1600, 0, 0},    {1600, 0, 0},
                                 {5999, -999, 0}, {1499, -499, 0}, {9999, -999, 0}};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SensorRanges[i].Max, shared[i].Max);
        EXPECT_EQ(SensorRanges[i].Min, shared[i].Min);
        EXPECT_EQ(SensorRanges[i].Decimals, shared[i].Decimals);
        EXPECT_EQ(CQ50SensorRanges[i].Max, cq50[i].Max);
        EXPECT_EQ(CQ50SensorRanges[i].Min, cq50[i].Min);
        EXPECT_EQ(CQ50SensorRanges[i].Decimals, cq50[i].Decimals);
    }
}
