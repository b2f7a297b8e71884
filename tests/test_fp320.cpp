// The FP320 programmer-regulator panel: its front plate decoded from the value stores, the
// values it reports to the main window, its program commands, alarm reset and editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/FP320.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class FP320Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        d.reset(new TFP320(nullptr, 1, 1));
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("PR", ">0010");
        Set("SP", "50.0", 50);
        Set("PV", "48.7", 48.7f);
        Set("2PV", "45.1", 45.1f);
        Set("PN", "1", 1);
        Set("PI", "101", 101);
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    // A running program: "PR" with segment m, program p and state q; "TE" minutes left.
    void Running(int m, int p, int q, int te = 12)
    {
        Set("PC", std::to_string(q == 0 ? 1 : q), static_cast<float>(q == 0 ? 1 : q));
        Set("PR", std::string(">0") + "0123456789ABCDEF"[m] + "0123456789ABCDEF"[p] + static_cast<char>('0' + q));
        Set("TE", std::to_string(te), static_cast<float>(te));
    }
    void Idle()
    {
        Set("PC", "0", 0);
        Set("PR", ">0010");
    }
    void ClickDisplay1()
    {
        const QPointF at(10, 10);
        QMouseEvent e(QEvent::MouseButtonRelease, at, d->Display1->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(d->Display1, &e);
    }
    // Display 2 over several ticks.
    std::vector<std::string> Display2Ticks(int n) { return DisplayTicks(*d, *d->Display2, n); }
    std::string Lamps(const std::array<TOutDioda*, 5>& lamps) { return LampPattern(lamps); }
    const std::vector<test::Box>& boxes() { return ScriptedOperator::Instance().boxes; }

    std::unique_ptr<TFP320> d;
};

Bytes Entry(const Bytes& request, int tag)
{
    Bytes e = request;
    e.push_back(static_cast<uint8_t>(tag));
    return e;
}

}  // namespace

TEST_F(FP320Test, FactoryBuildsThePlate)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(3, nullptr, 2, 3));
    auto* fp = dynamic_cast<TFP320*>(p.get());
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(fp->TypeId, 7);
    EXPECT_EQ(fp->Display1->geometry(), QRect(74, 52, 72, 32));
    EXPECT_EQ(fp->Display2->geometry(), QRect(74, 88, 72, 32));
    EXPECT_EQ(fp->Display3->geometry(), QRect(52, 52, 20, 32));
    EXPECT_EQ(fp->Display1->Text(), "init");
    EXPECT_EQ(fp->Display2->Text(), "");
    EXPECT_EQ(fp->Display3->Text(), "");
    EXPECT_EQ(fp->Display1->DigitCount(), 4);
    EXPECT_EQ(fp->Display3->DigitCount(), 1);
    EXPECT_EQ(fp->Display1->BackgroundColor(), BgrColor(0x008000));
    EXPECT_EQ(fp->OutputLamps[2]->geometry(), QRect(171, 78, 10, 10));
    EXPECT_EQ(fp->ProfileLamps[0]->geometry(), QRect(47, 158, 10, 10));
    EXPECT_EQ(fp->ProfileLamps[4]->geometry(), QRect(175, 119, 10, 10));
    EXPECT_EQ(fp->PosebneFunkcije->actions().last(), fp->ResetAlarma);
    EXPECT_EQ(fp->ResetAlarma->text(), "Reset alarma");
    EXPECT_FALSE(fp->PrmTable->isEnabled());
    EXPECT_EQ(fp->ProgramRunning, 0);
    EXPECT_EQ(fp->ProcessNumber, 0);
    EXPECT_EQ(fp->ActiveProgram, 0);
}

TEST_F(FP320Test, OutsideOnlineOnlyDisplay1ShowsInit)
{
    Running(1, 3, 0, 42);
    Set("SW", ">E000");
    d->ShowValues();
    EXPECT_EQ(d->Display1->Text(), "50.0");
    EXPECT_TRUE(d->PrmTable->isEnabled());

    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        d->State = state;
        Idle();
        Set("PI", "7", 7);
        Set("SW", ">0000");
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "init");
        EXPECT_EQ(d->Display2->Text(), "42");
        EXPECT_EQ(d->Display3->Text(), "3");
        EXPECT_EQ(Lamps(d->ProfileLamps), "01100");
        EXPECT_TRUE(d->OutputLamps[0]->IsOn());
        EXPECT_EQ(d->ProgramRunning, 1);
        EXPECT_EQ(d->ProcessNumber, 101);
    }
}

TEST_F(FP320Test, ClickOnDisplay1CyclesThroughTheInputsInUse)
{
    struct Case {
        float s2;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {0, {"50.0", "48.7", "50.0", "48.7"}},
        {1, {"50.0", "48.7", "45.1", "50.0"}},
    };
    for (const Case& c : cases) {
        d->DisplayMode = TFP320::ModeSetPoint;
        Set("S2", c.s2 ? "1" : "0", c.s2);
        std::vector<std::string> shown;
        for (size_t i = 0; i < c.shown.size(); ++i) {
            d->ShowValues();
            shown.push_back(d->Display1->Text());
            ClickDisplay1();
        }
        EXPECT_EQ(shown, c.shown) << "S2 " << c.s2;
    }
    // Hints name what is shown; a broken sensor shows "5nbr" instead of its value.
    Set("S2", "1", 1);
    Set("SW", ">00C0");
    const std::pair<int, const char*> modes[] = {{0, "Trenutno zadata temperatura"},
                                                 {1, "Izmerena temperatura - ulaz1"},
                                                 {2, "Izmerena temperatura - ulaz2"}};
    for (const auto& [mode, hint] : modes) {
        d->DisplayMode = mode;
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), mode == 0 ? "50.0" : "5nbr");
        EXPECT_EQ(d->Display1->toolTip().toStdString(), hint);
    }
    // Clicks between two ticks advance from the mode shown: once.
    d->DisplayMode = 0;
    d->ShowValues();
    ClickDisplay1();
    ClickDisplay1();
    EXPECT_EQ(d->DisplayMode, TFP320::ModeInput1);
}

TEST_F(FP320Test, AlarmLabelsAlternateWithTheNormalContent)
{
    // High and low alarm while idle: normal content, "LoAL", normal, "HiAL", ...
    Set("SW", ">0600");
    EXPECT_EQ(Display2Ticks(6), (std::vector<std::string>{"idLE", "LoAL", "idLE", "HiAL", "idLE", "LoAL"}));

    // Each alarm source and its label, against the running program's normal content.
    struct Case {
        const char* sw;
        int q;
        const char* label;
    };
    const Case cases[] = {
        {">0100", 0, "d_AL"}, {">0200", 0, "LoAL"}, {">0400", 0, "HiAL"}, {">0000", 2, "HOLd"},
        {">0000", 3, "Hb  "}, {">0000", 4, "PAU5"}, {">0080", 0, "5nb.1"}, {">0040", 0, "5nb.2"},
        {">0800", 0, nullptr},  // the latch bit alone is no label
    };
    for (const Case& c : cases) {
        d.reset(new TFP320(nullptr, 1, 1));
        d->State = DeviceCore::StateOnline;
        Set("SW", c.sw);
        Running(2, 3, c.q, 17);
        const std::string label = c.label ? c.label : "17";
        EXPECT_EQ(Display2Ticks(3), (std::vector<std::string>{"17", label, "17"})) << c.sw << " q " << c.q;
    }
}

TEST_F(FP320Test, ProgramStateAlarmsSurviveAnUnreadProgramStatus)
{
    Running(1, 2, 4);
    Display2Ticks(1);
    // The programmer reports idle but its status text is gone: the pause label stays.
    Set("PC", "0", 0);
    Set("PR", "");
    EXPECT_EQ(Display2Ticks(4), (std::vector<std::string>{"PAU5", "idLE", "PAU5", "idLE"}));
    // A status text read again decides afresh.
    Set("PR", ">0010");
    EXPECT_EQ(Display2Ticks(2), (std::vector<std::string>{"idLE", "idLE"}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(FP320Test, RunningProgramShowsNumberSegmentAndTime)
{
    // Segment m lights lamps 2 to m+2; above 3 none.
    const std::pair<int, const char*> segments[] = {
        {0, "01000"}, {1, "01100"}, {2, "01110"}, {3, "01111"}, {4, "00000"}};
    for (const auto& [m, lamps] : segments) {
        Running(m, 6, 1, 25);
        d->ShowValues();
        EXPECT_EQ(Lamps(d->ProfileLamps), lamps) << "m " << m;
        EXPECT_EQ(d->Display3->Text(), "6");
        EXPECT_EQ(d->Display2->Text(), "25");
        EXPECT_EQ(d->Display2->toolTip(), "Vreme do kraja segmenta");
        EXPECT_EQ(d->ActiveProgram, 6);
        EXPECT_EQ(d->ProgramRunning, 1);
        d->ShowValues();  // the alternation has nothing to show: normal content again
    }
    Set("TE", "7.9", 7.9f);
    d->ShowValues();
    EXPECT_EQ(d->Display2->Text(), "7");

    // Idle: the selected program, lamps off, the last running program kept for the main window.
    Idle();
    Set("PN", "4", 4);
    d->ShowValues();
    EXPECT_EQ(d->Display3->Text(), "4");
    EXPECT_EQ(d->Display2->Text(), "idLE");
    EXPECT_EQ(d->Display2->toolTip(), "Status programa");
    EXPECT_EQ(Lamps(d->ProfileLamps), "00000");
    EXPECT_EQ(d->ActiveProgram, 6);
    EXPECT_EQ(d->ProgramRunning, 0);
    EXPECT_EQ(d->ProcessNumber, 101);
}

TEST_F(FP320Test, PauseLampStaysLitUntilIdle)
{
    Running(1, 2, 4);
    d->ShowValues();
    EXPECT_EQ(Lamps(d->ProfileLamps), "10000");
    d->ShowValues();  // "PAU5" tick: nothing else changes
    EXPECT_EQ(d->Display2->Text(), "PAU5");
    EXPECT_EQ(Lamps(d->ProfileLamps), "10000");
    Running(2, 2, 0);  // running on after the pause
    d->ShowValues();
    EXPECT_EQ(Lamps(d->ProfileLamps), "11110");
    Idle();
    d->ShowValues();
    EXPECT_EQ(Lamps(d->ProfileLamps), "00000");
}

TEST_F(FP320Test, OutputLampsFollowDigit1)
{
    const std::pair<const char*, std::vector<bool>> cases[] = {
        {">8000", {true, false, false}}, {">4000", {false, true, false}}, {">2000", {false, false, true}},
        {">1000", {false, false, false}}, {">E000", {true, true, true}}, {">0000", {false, false, false}}};
    for (const auto& [sw, on] : cases) {
        Set("SW", sw);
        d->ShowValues();
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(d->OutputLamps[i]->IsOn(), on[i]) << sw << " lamp " << i + 1;
    }
}

TEST_F(FP320Test, UndecodableValuesShowABoxAndKeepThePlate)
{
    Running(1, 3, 0, 9);
    d->ShowValues();
    const std::string d1 = d->Display1->Text();

    struct Case {
        const char* what;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"short program status", [&] { Set("PR", ">01"); }},
        {"program status unread while running", [&] { Set("PR", ""); }},
        {"process number out of range", [&] { Set("PI", "1e12", 1e12f); }},
        {"segment time out of range", [&] { Set("TE", "1e30", 1e30f); }},
    };
    for (const Case& c : cases) {
        ScriptedOperator::Instance().Clear();
        Running(1, 3, 0, 9);
        Set("PI", "101", 101);
        d->ShowValues();  // normal content: the next tick would be an alarm label
        c.spoil();
        Set("SW", ">E600");
        Set("SP", "60.0", 60);
        d->ShowValues();
        ASSERT_EQ(boxes().size(), 1u) << c.what;
        EXPECT_EQ(boxes()[0].caption, "PRIKAZ 3201");
        EXPECT_FALSE(boxes()[0].text.empty());
        EXPECT_EQ(d->Display1->Text(), d1) << c.what;
        EXPECT_EQ(d->Display2->Text(), "9") << c.what;
        EXPECT_FALSE(d->OutputLamps[0]->IsOn()) << c.what;
        EXPECT_EQ(d->ProcessNumber, 101) << c.what;
        Set("SP", "50.0", 50);
        Set("SW", ">0000");
    }
    // The next tick decodes afresh.
    ScriptedOperator::Instance().Clear();
    Running(1, 3, 0, 9);
    Set("PI", "102", 102);
    d->ShowValues();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(d->ProcessNumber, 102);
}

TEST_F(FP320Test, ProgramCommandsAreOrdinaryWrites)
{
    Bus().PushBack(BuildReadRequest(1, 1, "PV"));
    const Bytes start = BuildWriteRequest(1, 1, AddressOwn, "PC", "1");
    const Bytes stop = BuildWriteRequest(1, 1, AddressOwn, "PC", "0");
    const Bytes select = BuildWriteRequest(1, 1, AddressOwn, "PN", "5");
    d->StartProgram();
    EXPECT_EQ(Bus().QueueAt(0), start);
    d->StopProgram();
    EXPECT_EQ(Bus().QueueAt(0), stop);
    d->SelectProgram(5);
    EXPECT_EQ(Bus().QueueAt(0), select);
    EXPECT_EQ(Bus().QueueAt(3), BuildReadRequest(1, 1, "PV"));
    ASSERT_EQ(d->PendingWrites.size(), 3u);
    EXPECT_EQ(d->PendingWrites[0], Entry(start, 24));
    EXPECT_EQ(d->PendingWrites[1], Entry(stop, 24));
    EXPECT_EQ(d->PendingWrites[2], Entry(select, 26));
    const std::string wire(start.begin(), start.end());
    EXPECT_NE(wire.find("PC1"), std::string::npos) << "the value goes out as given, without decimals";
}

TEST_F(FP320Test, ResetAlarmaFollowsTheLatchAndClearsIt)
{
    Set("SW", ">0C04");
    d->PopupMenuPopup();
    EXPECT_TRUE(d->ResetAlarma->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    Set("SW", ">0400");
    d->PopupMenuPopup();
    EXPECT_FALSE(d->ResetAlarma->isEnabled());
    EXPECT_FALSE(d->ZakljucanaTastatura->isChecked());

    Set("SW", ">8C00");
    d->PopupMenuPopup();
    d->ResetAlarma->trigger();
    EXPECT_EQ(d->StatusClearMask[1], 8);
    EXPECT_TRUE(d->StatusWritePending);
    d->PollDevice();  // the idle pass writes the status word without the latch
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">8400"));
}

TEST_F(FP320Test, EditorRangesAndChoices)
{
    const int pc = d->IndexOf("PC");
    Set("PC", "0", 0);
    d->OpenParamEditor(pc);
    EXPECT_EQ(d->VrednostCombo->count(), 2);
    EXPECT_EQ(d->VrednostCombo->itemText(1), "RUN");
    Set("PC", "1", 1);
    d->OpenParamEditor(pc);
    EXPECT_EQ(d->VrednostCombo->count(), 5);
    EXPECT_EQ(d->VrednostCombo->itemText(4), "PAUZA");

    struct Case {
        const char* param;
        float sn;
        float bh, bl;
        int decimals;
        int lo, hi;  // allowed positions
    };
    const Case cases[] = {
        {"l1", 6, 0, 0, 1, -999, 5999},    // RTD: -99.9 .. 599.9
        {"l2", 0, 0, 0, 0, -200, 1000},    // thermocouple J
        {"HA", 3, 0, 0, 0, 0, 1600},       // decimals of its own row: 0
        {"LA", 8, 0, 0, 0, -999, 9999},
        {"BL", 0, 500, 0, 0, -999, 500},   // upper limit from BH
        {"BL", 6, 23.4f, 0, 1, -999, 234}, // 23.4 in single precision is still 234 counts
        {"BH", 6, 0, 23.4f, 1, 234, 9999}, // lower limit from BL
        {"XP", 7, 0, 0, 0, 1, 9999},       // decimals 3 resolved, limits unscaled
        {"r1", 6, 0, 0, 2, 1, 9999},       // decimals 2 as given
    };
    for (const Case& c : cases) {
        Set("SN", std::to_string(static_cast<int>(c.sn)), c.sn);
        Set("BH", "", c.bh);
        Set("BL", "", c.bl);
        d->OpenParamEditor(d->IndexOf(c.param));
        EXPECT_EQ(d->EditDecimals, c.decimals) << c.param << " SN " << c.sn;
        EXPECT_EQ(d->VrednostParametra->Minimum(), c.lo - 1) << c.param << " SN " << c.sn;
        EXPECT_EQ(d->VrednostParametra->Maximum(), c.hi + 1) << c.param << " SN " << c.sn;
    }
}
