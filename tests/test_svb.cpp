// The channel scanners SVB and SVB16: the channel grid on the plate, its decoding from "SI" and
// "SS", the channel toggle and its write, the calibration commands and the editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <functional>
#include <map>
#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/FrontPlate.h"
#include "devices/ODioda.h"
#include "devices/SVB.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

constexpr int IdSVB = 7;
constexpr int IdSVB16 = 8;

std::unique_ptr<TChannelScanner> Make(int idTip)
{
    return std::unique_ptr<TChannelScanner>(dynamic_cast<TChannelScanner*>(CreateDevicePanel(idTip, nullptr, 2, 1)));
}

const char* Model(int idTip) { return idTip == IdSVB ? "SVB" : "SVB16"; }

Bytes Entry(const Bytes& request, int tag)
{
    Bytes e = request;
    e.push_back(static_cast<uint8_t>(tag));
    return e;
}

// Captions of a menu, separators as "-".
std::vector<std::string> Captions(const QMenu* menu)
{
    std::vector<std::string> out;
    for (const QAction* a : menu->actions())
        out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return out;
}

class SVBTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBusAndOperator(); }
    void TearDown() override { Bus().Clear(); }

    // A panel Online with every channel read ("2n.5" on channel n), nothing broken or off.
    void Online(int idTip)
    {
        d = Make(idTip);
        ASSERT_NE(d, nullptr);
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("SI", ">0000");
        Set("SS", ">0000");
        for (int c = 0; c < d->ChannelCount(); ++c)
            SetRow(TChannelScanner::FirstValueRow + c, std::to_string(20 + c) + ".5");
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    void SetRow(int i, const std::string& text, float value = 0)
    {
        d->ValueTexts[static_cast<size_t>(i)] = text;
        d->Values[static_cast<size_t>(i)] = value;
    }
    // Files an answer for every request the panel waits for: "SS" gets `ss`, the other
    // parameters what they hold already, writes ACK.
    void AnswerAll(const std::string& ss)
    {
        for (const Bytes& e : d->PendingWrites)
            Bus().File(Bytes(e.begin(), e.end() - 1), Bytes{ACK});
        for (const Bytes& e : d->PendingReads) {
            const ParamDesc& desc = d->GetParamDesc(e.back());
            const std::string m = desc.Mnemonic;
            const std::string value = m == "SS" ? ss : d->ValueTexts[e.back()];
            Bus().File(Bytes(e.begin(), e.end() - 1), BuildDataReply(m, value));
        }
    }
    // Channel c as the plate shows it: the display's text, "hidden" when hidden, the button
    // caption and the item's mark.
    std::string Channel(int c) const
    {
        const auto i = static_cast<size_t>(c);
        return (d->ChannelDisplays[i]->isHidden() ? "hidden " : d->ChannelDisplays[i]->Text() + " ") +
               d->ChannelButtons[i]->text().toStdString() + (d->ChannelItems[i]->isChecked() ? " marked" : "");
    }
    bool ControlsEnabled(int c) const
    {
        const auto i = static_cast<size_t>(c);
        return d->ChannelButtons[i]->isEnabled() && d->ChannelItems[i]->isEnabled();
    }
    static ScriptedOperator& op() { return ScriptedOperator::Instance(); }

    std::unique_ptr<TChannelScanner> d;
};

}  // namespace

TEST_F(SVBTest, BuildsTheChannelGridOnThePlate)
{
    struct Case {
        int idTip;
        int typeId;
        int channels;
        QSize panel;
        QPoint commLed;
        QRect lastPanel;
        QRect display;
        int frameStyle;
        int lineWidth;
    };
    const Case cases[] = {
        {IdSVB, 13, 8, {236, 236}, {10, 30}, {118, 178, 100, 44}, {25, 2, 73, 40}, QFrame::NoFrame, 1},
        {IdSVB16, 12, 16, {440, 236}, {20, 32}, {322, 180, 100, 40}, {30, 3, 68, 32}, QFrame::Panel | QFrame::Sunken, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Model(k.idTip));
        d = Make(k.idTip);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->TypeId, k.typeId);
        EXPECT_EQ(d->size(), k.panel);
        EXPECT_EQ(d->CommLed->pos(), k.commLed);
        EXPECT_EQ(d->Image1->pixmap().size(), k.panel - QSize(16, 16)) << "the drawn plate stands in for a missing picture";
        ASSERT_EQ(d->ChannelCount(), k.channels);
        EXPECT_EQ(d->ChannelPanels.back()->geometry(), k.lastPanel);
        const PlateLayout* plate = FindPlateLayout(Model(k.idTip));
        ASSERT_NE(plate, nullptr);
        ASSERT_EQ(plate->windows.size(), static_cast<size_t>(k.channels));
        for (int c = 0; c < k.channels; ++c) {
            const auto i = static_cast<size_t>(c);
            const QString n = QString::number(c + 1);
            QFrame* panel = d->ChannelPanels[i];
            EXPECT_EQ(panel->objectName(), "ChPanel" + n);
            EXPECT_EQ(panel->geometry(), plate->windows[i].rect) << "channel " << c + 1 << " sits on its window";
            EXPECT_EQ(panel->frameStyle(), k.frameStyle);
            EXPECT_EQ(panel->lineWidth(), k.lineWidth);
            EXPECT_EQ(panel->palette().color(QPalette::Window), BgrColor(0x000080));
            TDisplay* display = d->ChannelDisplays[i];
            EXPECT_EQ(display->parentWidget(), panel);
            EXPECT_EQ(display->geometry(), k.display);
            EXPECT_EQ(display->DigitCount(), 4);
            EXPECT_EQ(display->Text(), "init");
            EXPECT_EQ(display->toolTip(), "Izmerena temperatura na kanalu:" + n);
            QPushButton* button = d->ChannelButtons[i];
            EXPECT_EQ(button->parentWidget(), panel);
            EXPECT_EQ(button->objectName(), "ChButton" + QString::number(c));
            EXPECT_EQ(button->geometry(), QRect(3, 3, 20, 16));
            EXPECT_EQ(button->text(), "");
            EXPECT_EQ(button->toolTip(), "Iskljuci/Ukljuci prikaz kanala");
            EXPECT_FALSE(button->isEnabled());
            QAction* item = d->ChannelItems[i];
            EXPECT_EQ(item->text(), "Dozvola Ulaza: " + n);
            EXPECT_EQ(item->data().toInt(), c);
            EXPECT_FALSE(item->isEnabled());
            EXPECT_FALSE(item->isChecked());
        }
        EXPECT_FALSE(d->PrmTable->isEnabled());
    }
}

TEST_F(SVBTest, SpecialCommandsInTheirOrder)
{
    std::vector<std::string> svb{"Zakljucana tastatura", "Kalibracija Low", "Kalibracija High", "-"};
    std::vector<std::string> svb16{"Zakljucana tastatura", "-"};
    for (int n = 1; n <= 16; ++n) {
        if (n <= 8)
            svb.push_back("Dozvola Ulaza: " + std::to_string(n));
        svb16.push_back("Dozvola Ulaza: " + std::to_string(n));
    }
    for (const char* s : {"-", "Dozvola kalibracije", "Kalibracija 1L", "Kalibracija 1H", "Kalibracija 2L", "Kalibracija 2H"})
        svb16.push_back(s);

    d = Make(IdSVB);
    EXPECT_EQ(Captions(d->PosebneFunkcije), svb);
    EXPECT_TRUE(d->ZakljucanaTastatura->isEnabled());

    Online(IdSVB16);
    EXPECT_EQ(Captions(d->PosebneFunkcije), svb16);
    auto* svb16Panel = static_cast<TSVB16*>(d.get());
    EXPECT_TRUE(svb16Panel->DozvolaKalibracije->isEnabled());
    EXPECT_TRUE(svb16Panel->DozvolaKalibracije->isCheckable());
    EXPECT_FALSE(svb16Panel->DozvolaKalibracije->isChecked());
    for (QAction* item : svb16Panel->Kalibracija)
        EXPECT_FALSE(item->isEnabled());
    // The keyboard lock stays out of reach; its mark still follows the status word.
    Set("SW", ">0004");
    d->PopupMenuPopup();
    EXPECT_FALSE(d->ZakljucanaTastatura->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    EXPECT_TRUE(d->PosebneFunkcije->isEnabled());
}

TEST_F(SVBTest, ChannelsFollowSensorBreakAndDisableWords)
{
    struct Case {
        int idTip;
        const char* si;
        const char* ss;
        std::map<int, std::string> shown;  // channel (from 1): what it shows
    };
    const Case cases[] = {
        {IdSVB, ">0000", ">0000", {{1, "20.5 off marked"}, {8, "27.5 off marked"}}},
        // Digit 1 at character 4: channel 1 off, the others shown.
        {IdSVB, ">0000", ">0001", {{1, "hidden on"}, {2, "21.5 off marked"}, {8, "27.5 off marked"}}},
        // A broken sensor shows "5nbr", also on a channel that is off.
        {IdSVB, ">0008", ">0008", {{4, "hidden on"}, {3, "22.5 off marked"}}},
        {IdSVB, ">0084", ">0000", {{3, "5nbr off marked"}, {8, "5nbr off marked"}, {7, "26.5 off marked"}}},
        // Hex letters: A = channels 2 and 4 of the digit; lower case reads the same.
        {IdSVB, ">0000", ">000A", {{1, "20.5 off marked"}, {2, "hidden on"}, {3, "22.5 off marked"}, {4, "hidden on"}}},
        {IdSVB16, ">0000", ">00a0", {{5, "24.5 off marked"}, {6, "hidden on"}, {8, "hidden on"}}},
        {IdSVB16, ">8001", ">8000", {{16, "hidden on"}, {1, "5nbr off marked"}, {15, "34.5 off marked"}}},
        {IdSVB16, ">0100", ">F000", {{9, "5nbr off marked"}, {13, "hidden on"}, {16, "hidden on"}, {12, "31.5 off marked"}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(Model(k.idTip)) + " SI " + k.si + " SS " + k.ss);
        Online(k.idTip);
        Set("SI", k.si);
        Set("SS", k.ss);
        d->ShowValues();
        for (const auto& [n, shown] : k.shown)
            EXPECT_EQ(Channel(n - 1), shown) << "channel " << n;
        for (int c = 0; c < d->ChannelCount(); ++c) {
            EXPECT_TRUE(ControlsEnabled(c));
            const bool broken = (StatusWord::Word16(k.si) >> c) & 1;
            EXPECT_EQ(d->ChannelDisplays[static_cast<size_t>(c)]->Text(),
                      broken ? "5nbr" : std::to_string(20 + c) + ".5");
        }
        EXPECT_TRUE(d->PrmTable->isEnabled());
    }
}

TEST_F(SVBTest, NothingChangesOutsideOnlineAndUnreadWordsDecodeNothing)
{
    for (int idTip : {IdSVB, IdSVB16}) {
        SCOPED_TRACE(Model(idTip));
        Online(idTip);
        Set("SS", ">0003");
        Set("SI", ">0001");
        for (uint8_t state : {DeviceCore::StateScan, DeviceCore::StateInit, DeviceCore::StateOffline}) {
            d->State = state;
            d->ShowValues();
            EXPECT_EQ(Channel(0), "init ");
            EXPECT_FALSE(ControlsEnabled(0));
            EXPECT_FALSE(d->PrmTable->isEnabled());
        }
        // Online, with the two words not read yet: the values show, the controls stay off.
        d->State = DeviceCore::StateOnline;
        Set("SS", "");
        Set("SI", "");
        d->ShowValues();
        EXPECT_EQ(Channel(0), "20.5 ");
        EXPECT_FALSE(ControlsEnabled(0));
        d->ToggleChannel(0);
        EXPECT_TRUE(op().boxes.empty());
        EXPECT_EQ(Bus().QueueSize(), 0u);
    }
}

TEST_F(SVBTest, ChannelToggleAsksAndWritesTheWholeWord)
{
    struct Case {
        int idTip;
        const char* ss;
        int c;
        Answer answer;
        const char* question;
        const char* written;  // null: nothing sent
    };
    const char* const on = "Da li zelite da ukljucite kanal?";
    const char* const off = "Da li zelite da iskljucite kanal?";
    const Case cases[] = {
        {IdSVB, ">0000", 0, Answer::Ok, off, ">0001"},
        {IdSVB, ">0001", 0, Answer::Ok, on, ">0000"},
        {IdSVB, ">0050", 7, Answer::Ok, off, ">00D0"},
        {IdSVB, ">0000", 3, Answer::Cancel, off, nullptr},
        {IdSVB, ">0001", 0, Answer::Cancel, on, nullptr},
        // Channel 13: bit 1 of character 1; B (1011) becomes A, not the next character code.
        {IdSVB16, ">B000", 12, Answer::Ok, on, ">A000"},
        {IdSVB16, ">A000", 12, Answer::Ok, off, ">B000"},
        {IdSVB16, ">09FF", 9, Answer::Ok, off, ">0BFF"},
        {IdSVB16, ">00b0", 4, Answer::Ok, on, ">00A0"},
        {IdSVB16, ">7FFF", 15, Answer::Ok, off, ">FFFF"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(Model(k.idTip)) + " SS " + k.ss + " channel " + std::to_string(k.c + 1));
        Online(k.idTip);
        op().Clear();
        Set("SS", k.ss);
        d->ShowValues();
        op().Script(k.answer);
        d->ToggleChannel(k.c);
        ASSERT_EQ(op().boxes.size(), 1u);
        EXPECT_EQ(op().boxes[0].kind, "okcancel");
        EXPECT_EQ(op().boxes[0].text, k.question);
        EXPECT_EQ(op().boxes[0].icon, BoxIcon::Warning);
        EXPECT_EQ(d->TextOf("SS"), k.ss) << "the stored word waits for the controller";
        if (!k.written) {
            EXPECT_EQ(Bus().QueueSize(), 0u);
            EXPECT_TRUE(d->PendingWrites.empty());
            EXPECT_TRUE(ControlsEnabled(k.c));
            continue;
        }
        const Bytes request = BuildWriteRequest(2, 1, AddressOwn, "SS", k.written);
        ASSERT_EQ(Bus().QueueSize(), 1u);
        EXPECT_EQ(Bus().QueueAt(0), request);
        ASSERT_EQ(d->PendingWrites.size(), 1u);
        EXPECT_EQ(d->PendingWrites[0], Entry(request, 3));
    }
}

TEST_F(SVBTest, ButtonAndMenuItemToggleTheirOwnChannel)
{
    Online(IdSVB16);
    Set("SS", ">0000");
    d->ShowValues();
    op().Script(Answer::Ok);
    d->ChannelButtons[10]->click();
    ASSERT_EQ(Bus().QueueSize(), 1u);
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(2, 1, AddressOwn, "SS", ">0400"));

    Online(IdSVB);
    Set("SS", ">0000");
    d->ShowValues();
    op().Script(Answer::Ok);
    d->PopupMenuPopup();
    d->ChannelItems[5]->trigger();
    ASSERT_EQ(Bus().QueueSize(), 1u);
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(2, 1, AddressOwn, "SS", ">0020"));
    EXPECT_TRUE(d->ChannelItems[5]->isChecked()) << "the mark follows the controller, not the click";
}

// The polling timer runs on while the question is open; a word read meanwhile is the one the
// change goes into.
TEST_F(SVBTest, ChannelToggleChangesTheWordReadWhileAsking)
{
    struct ReadWhileAsking : Operator {
        std::function<void()> during;
        void Message(const std::string&, const std::string&, BoxIcon) override {}
        Answer AskOkCancel(const std::string&, const std::string&, BoxIcon) override
        {
            during();
            return Answer::Ok;
        }
        Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    } asking;
    Online(IdSVB16);
    Set("SS", ">0000");
    asking.during = [&] { Set("SS", ">0C02"); };
    SetOperator(&asking);
    d->ToggleChannel(0);
    SetOperator(&op());
    ASSERT_EQ(Bus().QueueSize(), 1u);
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(2, 1, AddressOwn, "SS", ">0C03"));
}

// A second change made before the first is read back would be composed from the old word and
// undo the first: the controls wait for an "SS" read that the write preceded.
TEST_F(SVBTest, ChannelControlsWaitForTheChangeToBeReadBack)
{
    for (uint8_t reply : {ACK, NAK}) {
        SCOPED_TRACE(reply == ACK ? "accepted" : "refused");
        Online(IdSVB);
        d->QueueCyclicReads();
        d->ShowValues();
        op().Script(Answer::Ok);
        d->ToggleChannel(0);
        EXPECT_TRUE(d->ChannelChangeAwaited());
        EXPECT_FALSE(ControlsEnabled(0));
        EXPECT_FALSE(ControlsEnabled(7));
        d->ToggleChannel(1);
        EXPECT_EQ(op().boxes.size(), 1u) << "no second question";
        EXPECT_EQ(d->PendingWrites.size(), 1u);

        // The write is answered first; the read queued before it answers with the old word.
        Bus().File(Bytes(d->PendingWrites[0].begin(), d->PendingWrites[0].end() - 1), Bytes{reply});
        d->PollDevice();
        EXPECT_TRUE(d->PendingWrites.empty());
        AnswerAll(">0000");
        d->PollDevice();
        EXPECT_TRUE(d->PendingReads.empty());
        d->ShowValues();
        EXPECT_TRUE(d->ChannelChangeAwaited());
        EXPECT_FALSE(ControlsEnabled(1));
        EXPECT_EQ(Channel(0), "20.5 off marked");
        d->PollDevice();  // the next routine reads
        ASSERT_FALSE(d->PendingReads.empty());

        // The next read tells how the controller took it.
        const char* now = reply == ACK ? ">0001" : ">0000";
        AnswerAll(now);
        d->PollDevice();
        d->ShowValues();
        EXPECT_FALSE(d->ChannelChangeAwaited());
        EXPECT_TRUE(ControlsEnabled(1));
        EXPECT_EQ(Channel(0), reply == ACK ? "hidden on" : "20.5 off marked");
        op().Clear();
        Bus().Clear();
    }
}

TEST_F(SVBTest, SVBCalibrationSetsDigit1BitsWithoutAsking)
{
    Online(IdSVB);
    auto* svb = static_cast<TSVB*>(d.get());
    svb->KalibracijaLow->trigger();
    EXPECT_EQ(d->StatusSetMask[0], 8);
    svb->KalibracijaHigh->trigger();
    EXPECT_EQ(d->StatusSetMask[0], 8 | 4);
    EXPECT_TRUE(d->StatusWritePending);
    EXPECT_TRUE(op().boxes.empty());
    d->PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(2, 1, AddressOwn, "SW", ">C000"));
}

TEST_F(SVBTest, SVB16CalibrationIsGatedAndConfirmed)
{
    Online(IdSVB16);
    auto* p = static_cast<TSVB16*>(d.get());
    const auto enabled = [&] {
        std::string s;
        for (QAction* item : p->Kalibracija)
            s += item->isEnabled() ? '1' : '0';
        return s;
    };
    const std::string gateQuestion = "Da li ste sigurni da zelite da dozvolite kalibraciju?";

    p->DozvolaKalibracije->trigger();  // cancelled
    EXPECT_FALSE(p->DozvolaKalibracije->isChecked());
    EXPECT_EQ(enabled(), "0000");
    ASSERT_EQ(op().boxes.size(), 1u);
    EXPECT_EQ(op().boxes[0].text, gateQuestion);
    EXPECT_EQ(op().boxes[0].icon, BoxIcon::Warning);

    op().Script(Answer::Ok);
    p->DozvolaKalibracije->trigger();
    EXPECT_TRUE(p->DozvolaKalibracije->isChecked());
    EXPECT_EQ(enabled(), "1111");

    struct Case {
        int k;
        const char* input;
        const char* point;
        int bit;
    };
    const Case cases[] = {{0, "ULAZ1", "S0", 8}, {1, "ULAZ1", "S1", 4}, {2, "ULAZ4", "S0", 2}, {3, "ULAZ4", "S1", 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(p->Kalibracija[static_cast<size_t>(k.k)]->text().toStdString());
        const std::string text = std::string("Da li ste sigurni da zelite da vrsite kalibraciju?\n\n NAPOMENA: Na ") +
                                 k.input + " dovedite signal koji odgovara signalu sa sonde,\n" +
                                 " za temperaturu zadatu parametrom " + k.point + ".";
        EXPECT_EQ(CalibrationQuestion(k.input, k.point), text);
        for (Answer a : {Answer::Cancel, Answer::Ok}) {
            op().Clear();
            op().Script(a);
            p->Kalibracija[static_cast<size_t>(k.k)]->trigger();
            ASSERT_EQ(op().boxes.size(), 1u);
            EXPECT_EQ(op().boxes[0].text, text);
            EXPECT_EQ(op().boxes[0].kind, "okcancel");
            EXPECT_EQ(d->StatusSetMask[0], a == Answer::Ok ? k.bit : 0);
            EXPECT_EQ(d->StatusWritePending, a == Answer::Ok);
        }
        d->StatusSetMask[0] = 0;
        d->StatusWritePending = false;
    }

    // Unmarking asks nothing and locks the calibrations again.
    op().Clear();
    p->DozvolaKalibracije->trigger();
    EXPECT_FALSE(p->DozvolaKalibracije->isChecked());
    EXPECT_EQ(enabled(), "0000");
    EXPECT_TRUE(op().boxes.empty());
    p->KalibracijaClick(0);
    EXPECT_TRUE(op().boxes.empty());
    EXPECT_EQ(d->StatusSetMask[0], 0);

    // A confirmed calibration goes out with the next status write.
    op().Script(Answer::Ok);
    p->DozvolaKalibracije->trigger();
    op().Script(Answer::Ok);
    p->Kalibracija[2]->trigger();
    Set("SW", ">1004");
    d->PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(2, 1, AddressOwn, "SW", ">3004"));
}

TEST_F(SVBTest, EditorDecimalsComeFromTheDisplayDefinition)
{
    struct Case {
        int idTip;
        const char* param;
        float dp;
        int decimals;
    };
    const Case cases[] = {
        {IdSVB, "1OF", 2, 2}, {IdSVB, "8OF", 0, 0}, {IdSVB, "3OF", 3, 3}, {IdSVB, "S1", 2, 0},
        {IdSVB16, "1O1", 1, 1}, {IdSVB16, "8O2", 3, 3}, {IdSVB16, "S2", 2, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(Model(k.idTip)) + " " + k.param + " DP " + std::to_string(k.dp));
        Online(k.idTip);
        Set("DP", std::to_string(static_cast<int>(k.dp)), k.dp);
        Set(k.param, "12", 12);
        d->OpenParamEditor(d->IndexOf(k.param));
        EXPECT_EQ(d->EditDecimals, k.decimals);
        // Limits are display counts: not scaled by the decimals.
        EXPECT_EQ(d->VrednostParametra->Minimum(), -1000);
        EXPECT_EQ(d->VrednostParametra->Maximum(), 10000);
        EXPECT_TRUE(d->EditorShown());
    }

    // The sensor type: a choice on SVB, read-only on SVB16.
    Online(IdSVB);
    Set("SN", "7", 7);
    d->OpenParamEditor(d->IndexOf("SN"));
    EXPECT_EQ(d->VrednostCombo->count(), 9);
    EXPECT_EQ(d->VrednostCombo->currentText(), "PTC");
    Online(IdSVB16);
    d->OpenParamEditor(d->IndexOf("SN"));
    ASSERT_EQ(op().boxes.size(), 1u);
    EXPECT_EQ(op().boxes[0].text, "Parametar \"Tip sonde\"  se ne moze menjati");
    EXPECT_FALSE(d->EditorShown());
}
