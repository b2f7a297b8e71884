// The GR310, GR310S and GR210 regulator panels: the shared plate, the values and lamps decoded
// from the status word, alarm labels taking turns with the set point, manual mode, the special
// commands with their status-word effects, and the editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/GR310.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

constexpr int IdGR310 = 5;
constexpr int IdGR210 = 6;
constexpr int IdGR310S = 11;

const char* Model(int idTip) { return TypeByIdTip(idTip)->Model; }

class GRTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBusAndOperator(); }
    // An Online panel with a measured value, a set point and an output level.
    void Make(int idTip)
    {
        d.reset(dynamic_cast<TGRRegulator*>(CreateDevicePanel(idTip, nullptr, 1, 1)));
        ASSERT_NE(d, nullptr) << Model(idTip);
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("PV", "48.7", 48.7f);
        Set("SP", "50.0", 50);
        if (d->IndexOf("OP") >= 0)
            Set("OP", "35", 35);
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    void SetValue(const std::string& mnemonic, float value) { Set(mnemonic, "", value); }
    std::vector<std::string> Display2Ticks(int n) { return DisplayTicks(*d, *d->Display2, n); }
    std::string Lamps() { return LampPattern(d->OutputLamps); }
    static std::vector<std::string> Commands(const TGRRegulator& panel)
    {
        std::vector<std::string> names;
        for (QAction* a : panel.PosebneFunkcije->actions())
            names.push_back(a->text().toStdString());
        return names;
    }
    const std::vector<test::Box>& boxes() { return ScriptedOperator::Instance().boxes; }

    std::unique_ptr<TGRRegulator> d;
};

}  // namespace

TEST_F(GRTest, FactoryBuildsTheSharedPlate)
{
    struct Case {
        int idTip;
        int typeId;
        int groups;
        std::vector<std::string> commands;  // after the base's keyboard lock
    };
    const Case cases[] = {
        {IdGR310, 5, 7, {"Reset alarma", "Rucni rezim", "Ukljucen IZLAZ2"}},
        {IdGR310S, 6, 7, {"Reset alarma", "Rucni rezim"}},
        {IdGR210, 3, 6, {"Reset alarma", "Ukljucen IZLAZ2"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDeviceType> p(CreateDevicePanel(c.idTip, nullptr, 2, 3));
        auto* gr = dynamic_cast<TGRRegulator*>(p.get());
        ASSERT_NE(gr, nullptr) << Model(c.idTip);
        SCOPED_TRACE(Model(c.idTip));
        EXPECT_EQ(gr->TypeId, c.typeId);
        EXPECT_EQ(gr->Display1->geometry(), QRect(56, 55, 129, 41));
        EXPECT_EQ(gr->Display2->geometry(), QRect(56, 110, 129, 41));
        EXPECT_EQ(gr->Display1->Text(), "init");
        EXPECT_EQ(gr->Display2->Text(), "");
        EXPECT_EQ(gr->Display1->toolTip(), "Izmerena vrednost");
        EXPECT_EQ(gr->Display2->toolTip(), "Zadata vrednost");
        EXPECT_EQ(gr->Display1->BackgroundColor(), BgrColor(0x000080));
        EXPECT_EQ(gr->OutputLamps[0]->geometry(), QRect(86, 98, 10, 10));
        EXPECT_EQ(gr->OutputLamps[1]->geometry(), QRect(118, 98, 10, 10));
        EXPECT_EQ(gr->OutputLamps[2]->geometry(), QRect(150, 98, 10, 10));
        EXPECT_EQ(gr->ManualLamp->geometry(), QRect(138, 45, 8, 8));
        EXPECT_EQ(gr->StatusLamp->geometry(), QRect(78, 45, 8, 8));
        EXPECT_EQ(gr->ManualLamp->OffColor(), BgrColor(0x000080));
        EXPECT_EQ(gr->ManualLamp->OnColor(), BgrColor(0x0000FF));
        EXPECT_EQ(gr->CommLed->pos(), QPoint(46, 45));
        EXPECT_EQ(gr->size(), QSize(236, 236));
        EXPECT_FALSE(gr->PrmTable->isEnabled());
        EXPECT_EQ(gr->PrmTable->actions().size(), c.groups);
        std::vector<std::string> commands = Commands(*gr);
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands.front(), "Zakljucana tastatura");
        commands.erase(commands.begin());
        EXPECT_EQ(commands, c.commands);
    }
}

TEST_F(GRTest, OutsideOnlineThePlateKeepsWhatItShowed)
{
    Make(IdGR310);
    std::unique_ptr<TGRRegulator> fresh(dynamic_cast<TGRRegulator*>(CreateDevicePanel(IdGR310, nullptr, 1, 2)));
    fresh->ShowValues();  // Scan: still "init"
    EXPECT_EQ(fresh->Display1->Text(), "init");
    EXPECT_FALSE(fresh->PrmTable->isEnabled());

    Set("SW", ">C080");
    d->ShowValues();
    EXPECT_EQ(d->Display1->Text(), "5nbr");
    EXPECT_EQ(d->Display2->Text(), "35");
    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        d->State = state;
        Set("SW", ">0000");
        Set("SP", "70.0", 70);
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "5nbr");
        EXPECT_EQ(d->Display2->Text(), "35");
        EXPECT_EQ(Lamps(), "100");
        EXPECT_TRUE(d->ManualLamp->IsOn());
    }
}

TEST_F(GRTest, MeasuredValueSensorBreakAndOutputLamps)
{
    for (int id : {IdGR310, IdGR310S, IdGR210}) {
        Make(id);
        SCOPED_TRACE(Model(id));
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "48.7");
        EXPECT_EQ(d->Display1->toolTip(), "Izmerena temperatura");
        EXPECT_TRUE(d->PrmTable->isEnabled());
        // Digit 1: bit 8 the sensor break, bits 4, 2, 1 the outputs 1 to 3.
        const std::pair<const char*, const char*> cases[] = {
            {">4000", "100"}, {">2000", "010"}, {">1000", "001"}, {">7000", "111"}, {">8000", "000"}};
        for (const auto& [sw, lamps] : cases) {
            Set("SW", sw);
            d->ShowValues();
            EXPECT_EQ(Lamps(), lamps) << sw;
            EXPECT_EQ(d->Display1->Text(), std::string(sw) == ">8000" ? "5nbr" : "48.7") << sw;
        }
        // A status word not read yet decodes as no bits set.
        Set("SW", "");
        d->ShowValues();
        EXPECT_EQ(Lamps(), "000");
        EXPECT_EQ(d->Display1->Text(), "48.7");
        EXPECT_TRUE(boxes().empty());
    }
}

TEST_F(GRTest, AlarmLabelsTakeTurnsWithTheSetPoint)
{
    struct Case {
        int idTip;
        const char* sw;
        std::vector<std::string> shown;
    };
    const std::string sp = "50.0";
    const Case cases[] = {
        // Alarm present without a cause: the alarm of its own; GR310S has no such label.
        {IdGR310, ">0800", {sp, "__Al", sp, "__Al"}},
        {IdGR210, ">0800", {sp, "__Al", sp, "__Al"}},
        {IdGR310S, ">0800", {sp, sp, sp, sp}},
        // A cause with the flag: only its label.
        {IdGR310, ">0900", {sp, "d_AL", sp, "d_AL"}},
        {IdGR210, ">0C00", {sp, "HiAL", sp, "HiAL"}},
        // Causes without the flag count on GR310S only.
        {IdGR310, ">0100", {sp, sp, sp, sp}},
        {IdGR310S, ">0100", {sp, "d_AL", sp, "d_AL"}},
        {IdGR310S, ">0400", {sp, "HiAL", sp, "HiAL"}},
        // Several causes take turns.
        {IdGR310, ">0E00", {sp, "LoAL", sp, "HiAL", sp, "LoAL"}},
        {IdGR310S, ">0700", {sp, "d_AL", sp, "LoAL", sp, "HiAL", sp, "d_AL"}},
        {IdGR310, ">0000", {sp, sp}},
    };
    for (const Case& c : cases) {
        Make(c.idTip);
        Set("SW", c.sw);
        EXPECT_EQ(Display2Ticks(static_cast<int>(c.shown.size())), c.shown) << Model(c.idTip) << " " << c.sw;
        EXPECT_EQ(d->Display2->toolTip(), "Trenutno zadata temperatura");
    }
}

TEST_F(GRTest, ManualModeShowsTheOutputLevel)
{
    for (int id : {IdGR310, IdGR310S}) {
        Make(id);
        SCOPED_TRACE(Model(id));
        Set("SW", ">0080");
        d->ShowValues();
        EXPECT_TRUE(d->ManualLamp->IsOn());
        EXPECT_EQ(d->Display2->Text(), "35");
        EXPECT_EQ(d->Display2->toolTip(), "Trenutni nivo izlaza");
        // An alarm takes turns with the output level; the lamp stays lit.
        Set("SW", ">0C80");
        EXPECT_EQ(Display2Ticks(3), (std::vector<std::string>{"HiAL", "35", "HiAL"}));
        EXPECT_TRUE(d->ManualLamp->IsOn());
        // Back to automatic: the lamp goes out at once, even on a label tick.
        Set("SW", ">0C00");
        d->ShowValues();
        EXPECT_EQ(d->Display2->Text(), "50.0");
        EXPECT_EQ(d->Display2->toolTip(), "Trenutno zadata temperatura");
        d->ShowValues();
        EXPECT_EQ(d->Display2->Text(), "HiAL");
        EXPECT_FALSE(d->ManualLamp->IsOn());
        EXPECT_FALSE(d->StatusLamp->IsOn());
    }
    // GR210 has no manual mode: digit 3 means nothing to it.
    Make(IdGR210);
    Set("SW", ">0080");
    d->ShowValues();
    EXPECT_FALSE(d->ManualLamp->IsOn());
    EXPECT_EQ(d->Display2->Text(), "50.0");
}

TEST_F(GRTest, MenusFollowTheStatusWordAndTheConfiguration)
{
    // "Reset alarma" follows the alarm flag on every model, GR310S included.
    for (int id : {IdGR310, IdGR310S, IdGR210}) {
        Make(id);
        Set("SW", ">0804");
        d->PopupMenuPopup();
        EXPECT_TRUE(d->ResetAlarma->isEnabled()) << Model(id);
        EXPECT_TRUE(d->ZakljucanaTastatura->isChecked()) << Model(id);
        Set("SW", ">0700");
        d->PopupMenuPopup();
        EXPECT_FALSE(d->ResetAlarma->isEnabled()) << Model(id);
        EXPECT_FALSE(d->ZakljucanaTastatura->isChecked()) << Model(id);
    }

    // "Rucni rezim": only while "MA" allows manual mode; then marked by digit 3 bit 8.
    struct Manual {
        float ma;
        const char* sw;
        bool enabled, marked;
    };
    const Manual manual[] = {{0, ">0080", false, false}, {0, ">0000", false, false}, {1, ">0080", true, true},
                             {1, ">0000", true, false}, {1.5f, ">0080", true, true}, {0.5f, ">0080", false, false}};
    for (int id : {IdGR310, IdGR310S}) {
        Make(id);
        for (const Manual& c : manual) {
            SetValue("MA", c.ma);
            Set("SW", c.sw);
            d->PopupMenuPopup();
            EXPECT_EQ(d->RucniRezim->isEnabled(), c.enabled) << Model(id) << " MA " << c.ma << " " << c.sw;
            EXPECT_EQ(d->RucniRezim->isChecked(), c.marked) << Model(id) << " MA " << c.ma << " " << c.sw;
        }
    }

    // "Ukljucen IZLAZ2": enabled while the second output is switched from the program.
    struct Output2 {
        int idTip;
        const char* function;
        float value;
        bool enabled;
    };
    const Output2 output2[] = {{IdGR310, "O2", 8, true},    {IdGR310, "O2", 8.7f, true}, {IdGR310, "O2", 7, false},
                               {IdGR310, "O2", 0, false},   {IdGR210, "2FO", 3, true},   {IdGR210, "2FO", 2, false},
                               {IdGR210, "2FO", 8, false}};
    for (const Output2& c : output2) {
        Make(c.idTip);
        SetValue(c.function, c.value);
        for (const char* sw : {">2000", ">D000"}) {
            Set("SW", sw);
            d->PopupMenuPopup();
            EXPECT_EQ(d->UkljucenIzlaz2->isEnabled(), c.enabled) << c.function << " " << c.value;
            EXPECT_EQ(d->UkljucenIzlaz2->isChecked(), std::string(sw) == ">2000") << sw;
        }
    }
    Make(IdGR310S);
    EXPECT_EQ(d->UkljucenIzlaz2, nullptr);
    Make(IdGR210);
    EXPECT_EQ(d->RucniRezim, nullptr);
}

TEST_F(GRTest, CommandsWriteTheStatusWordAtTheNextPass)
{
    struct Case {
        const char* sw;
        std::function<QAction*(TGRRegulator&)> item;
        const char* written;
    };
    const Case cases[] = {
        // Reset clears the alarm flag.
        {">4C00", [](TGRRegulator& g) { return g.ResetAlarma; }, ">4400"},
        // Manual mode off to on, and on to off.
        {">4000", [](TGRRegulator& g) { return g.RucniRezim; }, ">4080"},
        {">4084", [](TGRRegulator& g) { return g.RucniRezim; }, ">4004"},
        // The second output: on when off, off when marked.
        {">4000", [](TGRRegulator& g) { return g.UkljucenIzlaz2; }, ">6000"},
        {">6000", [](TGRRegulator& g) { return g.UkljucenIzlaz2; }, ">4000"},
    };
    for (const Case& c : cases) {
        Make(IdGR310);
        SetValue("MA", 1);
        SetValue("O2", 8);
        Set("SW", c.sw);
        d->PopupMenuPopup();
        QAction* item = c.item(*d);
        ASSERT_TRUE(item->isEnabled()) << item->text().toStdString();
        const bool wasMarked = item->isChecked();
        item->trigger();
        if (item->isCheckable()) {
            EXPECT_NE(item->isChecked(), wasMarked);
        }
        EXPECT_TRUE(d->StatusWritePending);
        d->PollDevice();
        EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", c.written))
            << item->text().toStdString() << " on " << c.sw;
    }
    Make(IdGR310);
    d->ResetAlarma->trigger();
    EXPECT_EQ(d->StatusClearMask[1], 8);
    EXPECT_EQ(d->StatusSetMask[1], 0);
}

TEST_F(GRTest, ProgrammerStatusOffersOnlyAStartWhileIdle)
{
    for (int id : {IdGR310, IdGR310S}) {
        Make(id);
        const int pc = d->IndexOf("PC");
        SetValue("PC", 0);
        d->OpenParamEditor(pc);
        ASSERT_EQ(d->VrednostCombo->count(), 2) << Model(id);
        EXPECT_EQ(d->VrednostCombo->itemText(1), "RUN");
        SetValue("PC", 1);
        d->OpenParamEditor(pc);
        EXPECT_EQ(d->VrednostCombo->count(), id == IdGR310 ? 4 : 3) << Model(id);
        EXPECT_EQ(d->VrednostCombo->currentIndex(), 1);
    }
}

TEST_F(GRTest, EditorRanges)
{
    struct Case {
        int idTip;
        const char* param;
        float sn;
        std::vector<std::pair<const char*, float>> values;
        int decimals;
        int lo, hi;  // allowed positions
    };
    const Case cases[] = {
        // The set point between the lowest and the highest one.
        {IdGR310, "SL", 6, {{"LS", 20.0f}, {"HS", 80.0f}}, 1, 200, 800},
        {IdGR210, "SL", 0, {{"LS", 0}, {"HS", 300}}, 0, 0, 300},
        {IdGR310S, "SL", 6, {{"LS", -12.3f}, {"HS", 23.4f}}, 1, -123, 234},
        // "SB high" above "SB low" and the other way round, one count apart.
        {IdGR310, "BH", 6, {{"BL", 10.0f}}, 1, 101, 9999},
        {IdGR310, "BH", 6, {{"BL", 23.4f}}, 1, 235, 9999},  // 23.4 in single precision is 234 counts
        {IdGR310S, "BL", 0, {{"BH", 500}}, 0, -999, 499},
        {IdGR310, "BL", 6, {{"BH", -5.5f}}, 1, -999, -56},
        // The highest and lowest set point: the sensor's range, then one count from each other.
        {IdGR310, "HS", 0, {{"LS", 0}}, 0, 1, 1000},
        {IdGR210, "HS", 6, {{"LS", 20.0f}}, 1, 201, 5999},
        {IdGR310, "LS", 3, {{"HS", 300}}, 0, 0, 299},
        {IdGR310S, "LS", 8, {{"HS", 100.0f}}, 1, -999, 999},
        // Program levels and alarm limits: the sensor's range.
        {IdGR310, "l1", 6, {}, 1, -999, 5999},
        {IdGR310S, "l2", 1, {}, 0, -200, 1200},
        {IdGR310, "HA", 6, {}, 0, -999, 5999},  // its own decimals: 0
        {IdGR210, "LA", 2, {}, 0, -200, 800},
        // Others: the table's limits, decimals resolved from the sensor.
        {IdGR310, "XP", 6, {}, 1, 1, 9999},
        {IdGR310, "OP", 6, {}, 0, 0, 100},
        {IdGR210, "2dS", 6, {}, 1, -999, 1000},
        {IdGR310, "r1", 6, {}, 2, 1, 9999},
        // No limits in the table: what the display can show.
        {IdGR310, "dS", 6, {}, 1, -999, 9999},
        {IdGR310S, "dS", 0, {}, 0, -999, 9999},
    };
    for (const Case& c : cases) {
        Make(c.idTip);
        SetValue("SN", c.sn);
        for (const auto& [m, v] : c.values)
            SetValue(m, v);
        d->OpenParamEditor(d->IndexOf(c.param));
        SCOPED_TRACE(std::string(Model(c.idTip)) + " " + c.param + " SN " + std::to_string(c.sn));
        EXPECT_TRUE(d->EditorShown());
        EXPECT_EQ(d->EditDecimals, c.decimals);
        EXPECT_EQ(d->VrednostParametra->Minimum(), c.lo - 1);
        EXPECT_EQ(d->VrednostParametra->Maximum(), c.hi + 1);
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(GRTest, CrossedLimitsOpenNoEditor)
{
    struct Case {
        const char* param;
        std::vector<std::pair<const char*, float>> values;
        const char* message;
    };
    const Case cases[] = {
        {"SL", {{"LS", 80.0f}, {"HS", 20.0f}},
         "Parametar \"Zadata vrednost\"  se ne moze menjati: donja granica 80.0 je iznad gornje 20.0"},
        {"BH", {{"BL", 9999.0f}}, "Parametar \"SB high\"  se ne moze menjati: donja granica 9999.1 je iznad gornje 999.9"},
        {"HS", {{"LS", 599.9f}}, "Parametar \"Maksimalna zadata\"  se ne moze menjati: donja granica 600.0 je iznad gornje 599.9"},
        // A value far beyond any display neither overflows nor opens the editor.
        {"BH", {{"BL", 1e30f}}, nullptr},
    };
    for (const Case& c : cases) {
        Make(IdGR310);
        ScriptedOperator::Instance().Clear();
        SetValue("SN", 6);
        for (const auto& [m, v] : c.values)
            SetValue(m, v);
        d->OpenParamEditor(d->IndexOf(c.param));
        EXPECT_FALSE(d->EditorShown()) << c.param;
        ASSERT_EQ(boxes().size(), 1u) << c.param;
        if (c.message) {
            EXPECT_EQ(boxes()[0].text, c.message);
        }
    }
}
