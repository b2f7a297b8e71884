// The RMV_Disp clock and message display panel: its dot-matrix line, menus, the clock setting
// sent to the whole bus, and the message and alarm dialogs with the writes they make.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QUrl>

#include <memory>

#include "devices/AlarmiDlg.h"
#include "devices/Display.h"
#include "devices/ODioda.h"
#include "devices/PorukaDlg.h"
#include "devices/RMV_Disp.h"
#include "dialogs/RunModal.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

// Records the help pages asked for instead of opening a browser.
class HelpPages : public QObject {
    Q_OBJECT
public:
    HelpPages() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~HelpPages() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList opened;
public slots:
    void Open(const QUrl& url) { opened << url.fileName(); }
};

Bytes Entry(const Bytes& request, int tag)
{
    Bytes e = request;
    e.push_back(static_cast<uint8_t>(tag));
    return e;
}

class RMVDispTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        d.reset(new TRMV_Disp(nullptr, 3, 4));
        MakeOnline(*d);
        Set("SW", ">0000");
    }
    void TearDown() override
    {
        SetModalRunner({});
        Bus().Clear();
    }
    void Set(const std::string& mnemonic, const std::string& text) { SetReportedText(*d, mnemonic, text); }
    // The operator at the next modal dialog: `step` works it; a dialog left open is closed.
    template <class Dialog>
    void Operator(std::function<void(Dialog&)> step)
    {
        dialogs = 0;
        SetModalRunner([this, step](QDialog& dialog) {
            ++dialogs;
            dialog.show();
            auto* typed = dynamic_cast<Dialog*>(&dialog);
            if (!typed)
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            else
                step(*typed);
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result();
        });
    }
    std::vector<Bytes> Queue() const
    {
        std::vector<Bytes> q;
        for (size_t i = 0; i < Bus().QueueSize(); ++i)
            q.push_back(Bus().QueueAt(i));
        return q;
    }

    std::unique_ptr<TRMV_Disp> d;
    int dialogs = 0;
};

}  // namespace

TEST_F(RMVDispTest, FactoryBuildsTheDotMatrixLine)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(10, nullptr, 3, 4));
    auto* rmv = dynamic_cast<TRMV_Disp*>(p.get());
    ASSERT_NE(rmv, nullptr);
    EXPECT_EQ(rmv->TypeId, 14);
    EXPECT_EQ(rmv->height(), 136);
    EXPECT_EQ(rmv->CommLed->pos(), QPoint(20, 60));
    EXPECT_EQ(rmv->Display1->parentWidget(), rmv->Panel1);
    EXPECT_EQ(rmv->Display1->geometry(), QRect(28, 62, 182, 45));
    EXPECT_EQ(rmv->Display1->DigitCount(), 8);
    EXPECT_EQ(rmv->Display1->Kind(), IndicatorKind::DotMatrix);
    EXPECT_EQ(rmv->Display1->Text(), "inic.   ");
    EXPECT_FALSE(rmv->PrmTable->isEnabled());

    const QList<QAction*> commands = rmv->PosebneFunkcije->actions();
    ASSERT_EQ(commands.size(), 4);
    const std::pair<QAction*, std::pair<const char*, int>> expected[] = {
        {rmv->SinhronizacijaVremena, {"Sinhronizacija vremena", 11141}},
        {rmv->PostaviPoruku, {"Postavi poruku", 11142}},
        {rmv->PodesiAlarme, {"Podesi alarme", 11143}}};
    for (size_t i = 0; i < 3; ++i) {
        const auto& [item, want] = expected[i];
        EXPECT_EQ(commands[static_cast<qsizetype>(i) + 1], item);
        EXPECT_EQ(item->text(), want.first);
        EXPECT_EQ(item->property("helpContext").toInt(), want.second);
        EXPECT_TRUE(item->isEnabled());
    }
    // Only the five display intervals can be edited through the parameter menus.
    for (int i = 0; i < rmv->ParamCount(); ++i)
        EXPECT_EQ(rmv->ParamItem(i)->isEnabled(), i >= rmv->IndexOf("1DI")) << i;
}

TEST_F(RMVDispTest, ShowsTheDisplayedTextOnlyOnline)
{
    const std::pair<const char*, const char*> cases[] = {
        {"23.4 52%", "23.4 52%"}, {"12:45:30", "12:45:30"}, {"TARVO   ", "TARVO   "},
        {"HI", "HI      "},  // a short line starts at the first cell, as on the unit
        {"", "        "}};
    for (const auto& [dx, shown] : cases) {
        Set("DX", dx);
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), shown) << dx;
    }
    EXPECT_TRUE(d->PrmTable->isEnabled());

    Set("DX", "12:45:30");
    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        d->State = state;
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "inic.   ") << int(state);
        d->State = DeviceCore::StateOnline;
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "12:45:30");
    }
}

TEST_F(RMVDispTest, MenusEnableTheCommandsOnlineWithoutKeyboardLock)
{
    Set("SW", ">0004");
    d->PopupMenuPopup();
    EXPECT_TRUE(d->Konfiguracija->isEnabled());
    EXPECT_TRUE(d->PosebneFunkcije->isEnabled());
    EXPECT_FALSE(d->ZakljucanaTastatura->isEnabled());

    d->State = DeviceCore::StateInit;
    d->UpdateMenus();
    EXPECT_FALSE(d->Konfiguracija->isEnabled());
    EXPECT_FALSE(d->PosebneFunkcije->isEnabled());
}

TEST_F(RMVDispTest, F1OnACommandOpensItsHelpPage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QDir().mkdir("Help");
    for (const char* page : {"Help/index.html", "Help/11141.html", "Help/11142.html", "Help/11143.html"}) {
        QFile f(page);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    HelpPages help;
    const std::pair<QAction*, QString> cases[] = {{d->SinhronizacijaVremena, "11141.html"},
                                                  {d->PostaviPoruku, "11142.html"},
                                                  {d->PodesiAlarme, "11143.html"}};
    const auto pressF1 = [&] {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(d->PosebneFunkcije, &f1);
    };
    for (const auto& [item, page] : cases) {
        d->PosebneFunkcije->setActiveAction(item);
        pressF1();
        EXPECT_EQ(help.opened, QStringList{page});
        help.opened.clear();
    }
    // The keyboard lock has no page of its own: F1 there is left to the menu.
    d->PosebneFunkcije->setActiveAction(d->ZakljucanaTastatura);
    pressF1();
    EXPECT_TRUE(help.opened.isEmpty());
    QDir::setCurrent(saved);
}

TEST_F(RMVDispTest, ClockSettingGoesToEveryDeviceBehindTheReads)
{
    const Bytes read = BuildReadRequest(3, 4, "DX");
    Bus().PushBack(read);
    d->Now = [] { return QDateTime(QDate(2017, 3, 5), QTime(14, 7, 9)); };  // a Sunday
    d->SinhronizacijaVremena->trigger();

    const char* values[] = {">0009", ">0007", ">0014", ">0001", ">0005", ">0003", ">0017", ">0080"};
    std::vector<Bytes> expected{read};
    for (int i = 0; i < 8; ++i)
        expected.push_back(BuildWriteRequest(3, 4, AddressNetwork, std::to_string(i + 1) + "RT", values[i]));
    EXPECT_EQ(Queue(), expected);
    EXPECT_TRUE(d->PendingWrites.empty()) << "a network-wide write has no answer";

    // Day of the week counts from Sunday.
    const std::pair<QDate, const char*> days[] = {{QDate(2017, 3, 4), ">0007"},
                                                  {QDate(2017, 3, 6), ">0002"},
                                                  {QDate(2024, 2, 29), ">0005"}};
    for (const auto& [date, weekday] : days)
        EXPECT_EQ(ClockTexts(QDateTime(date, QTime(0, 0)))[3], weekday) << date.toString().toStdString();
    const auto midnight = ClockTexts(QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)));
    EXPECT_EQ(midnight, (std::array<std::string, 8>{">0000", ">0000", ">0000", ">0007", ">0001", ">0001", ">0000",
                                                     ">0080"}));
}

TEST_F(RMVDispTest, MessageIsCutOrPaddedAndAddressedAsTicked)
{
    struct Case {
        const char* typed;
        bool group, network;
        int mode;
        const char* sent;
    };
    const Case cases[] = {
        {"ABCDEFGHIJ", false, false, AddressOwn, "ABCDEFGH"},  // the box takes 8 characters
        {"Hi", false, false, AddressOwn, "Hi      "},
        {"", false, false, AddressOwn, "        "},
        {"Sve", true, false, AddressGroup, "Sve     "},
        {"Svi", false, true, AddressNetwork, "Svi     "},
        {"Svi", true, true, AddressNetwork, "Svi     "},
    };
    const int tx = d->IndexOf("TX");
    for (const Case& c : cases) {
        Bus().Clear();
        d->PendingWrites.clear();
        d->PendingReads.clear();
        Set("TX", "TARVO   ");
        Bus().PushBack(BuildReadRequest(3, 4, "DX"));
        Operator<TPorukaDlg>([&](TPorukaDlg& dlg) {
            EXPECT_EQ(dlg.Tekst->text(), "TARVO   ");
            dlg.Tekst->setText(c.typed);
            dlg.CheckBoxGrupi->setChecked(c.group);
            dlg.CheckBoxMrezi->setChecked(c.network);
            dlg.OKBtn->click();
        });
        d->PostaviPoruku->trigger();
        EXPECT_EQ(dialogs, 1);
        const Bytes write = BuildWriteRequest(3, 4, c.mode, "TX", c.sent);
        ASSERT_GE(Bus().QueueSize(), 2u) << c.typed;
        EXPECT_EQ(Bus().QueueAt(0), write) << c.typed;
        if (c.mode == AddressOwn)
            EXPECT_EQ(d->PendingWrites, std::deque<Bytes>{Entry(write, tx)}) << c.typed;
        else
            EXPECT_TRUE(d->PendingWrites.empty()) << c.typed;
        // The message is read back, so the dialog opens with it next time.
        const Bytes readBack = BuildReadRequest(3, 4, "TX");
        EXPECT_EQ(Bus().QueueAt(Bus().QueueSize() - 1), readBack);
        EXPECT_EQ(d->PendingReads, std::deque<Bytes>{Entry(readBack, tx)});
    }

    // Cancel sends nothing, whatever was typed.
    Bus().Clear();
    d->PendingWrites.clear();
    d->PendingReads.clear();
    Operator<TPorukaDlg>([](TPorukaDlg& dlg) {
        dlg.Tekst->setText("NOVO");
        dlg.CheckBoxMrezi->setChecked(true);
        dlg.CancelBtn->click();
    });
    d->PostaviPoruku->trigger();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Bus().QueueSize(), 0u);
    EXPECT_TRUE(d->PendingWrites.empty());
    EXPECT_TRUE(d->PendingReads.empty());
}

TEST_F(RMVDispTest, MessageCarriesOnlyPrintableAscii)
{
    TPorukaDlg dlg(QStringLiteral("AB"));
    dlg.Tekst->end(false);
    // Typed as the keyboard delivers it, one character per key press.
    for (const QChar c : QStringLiteral("\u0160ta?\u010d!")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(dlg.Tekst, &press);
    }
    EXPECT_EQ(dlg.Tekst->text(), "ABta?!");
    EXPECT_EQ(dlg.Message(), "ABta?!  ");
    // Whatever reaches the cut all the same goes out as '?'.
    EXPECT_EQ(FitMessage(QStringLiteral("\u0160ta\tje")), "?ta?je  ");
    EXPECT_EQ(FitMessage(QStringLiteral("1234567890"), 8), "12345678");
}

TEST_F(RMVDispTest, AlarmTimesAreReadFromTheirValueTexts)
{
    struct Case {
        const char* text;
        bool valid;
        int h, m;
    };
    const Case cases[] = {
        {">0730", true, 7, 30}, {">0000", true, 0, 0},  {">2359", true, 23, 59}, {">FFFF", false, 0, 0},
        {">2400", false, 0, 0}, {">1260", false, 0, 0}, {">12", false, 0, 0},    {"", false, 0, 0},
        {">", false, 0, 0},     {">7:30", false, 0, 0}, {">-130", false, 0, 0},  {">0730X", true, 7, 30},
    };
    for (const Case& c : cases) {
        const auto time = AlarmTimeOf(c.text);
        EXPECT_EQ(time.has_value(), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(*time, QTime(c.h, c.m)) << c.text;
        }
    }
}

TEST_F(RMVDispTest, AlarmDialogOpensWithTheStoredAlarms)
{
    const char* stored[] = {">0730", ">FFFF", "", ">2400", ">1260", ">12", ">0000", ">2359"};
    for (int k = 0; k < 8; ++k)
        Set(std::to_string(k + 1) + "AL", stored[k]);
    Operator<TAlarmiDlg>([](TAlarmiDlg& dlg) {
        const bool ticked[] = {true, false, false, false, false, false, true, true};
        const char* shown[] = {"07:30", "00:00", "00:00", "00:00", "00:00", "00:00", "00:00", "23:59"};
        for (int k = 0; k < 8; ++k) {
            const auto i = static_cast<size_t>(k);
            EXPECT_EQ(dlg.Alarmi[i]->isChecked(), ticked[k]) << k + 1;
            EXPECT_EQ(dlg.Vremena[i]->isEnabled(), ticked[k]) << k + 1;
            EXPECT_EQ(dlg.Vremena[i]->text(), shown[k]) << k + 1;
            EXPECT_EQ(dlg.Alarmi[i]->text(), QString("%1.vreme alarma").arg(k + 1));
        }
        EXPECT_EQ(dlg.Alarmi[5]->geometry(), QRect(200, 56, 96, 17));
        EXPECT_EQ(dlg.Vremena[5]->geometry(), QRect(300, 56, 73, 25));
        // The box switches its picker.
        dlg.Alarmi[1]->setChecked(true);
        EXPECT_TRUE(dlg.Vremena[1]->isEnabled());
        dlg.Alarmi[0]->setChecked(false);
        EXPECT_FALSE(dlg.Vremena[0]->isEnabled());
        dlg.CancelBtn->click();
    });
    d->PodesiAlarme->trigger();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Bus().QueueSize(), 0u) << "Cancel sends nothing";
    EXPECT_TRUE(d->PendingWrites.empty());
    EXPECT_EQ(d->AlarmEnabled, (std::array<bool, 8>{true, false, false, false, false, false, true, true}));
    EXPECT_EQ(d->AlarmTimes[0], "0730");
    EXPECT_EQ(d->AlarmTimes[1], "FFFF");
    EXPECT_EQ(d->AlarmTimes[2], "");

    // OK with nothing changed sends nothing.
    Operator<TAlarmiDlg>([](TAlarmiDlg& dlg) { dlg.OKBtn->click(); });
    d->PodesiAlarme->trigger();
    EXPECT_EQ(Bus().QueueSize(), 0u);
    EXPECT_TRUE(d->PendingWrites.empty());
    EXPECT_TRUE(d->PendingReads.empty());
}

TEST_F(RMVDispTest, AlarmDialogWritesOnlyWhatChanged)
{
    const char* stored[] = {">0730", ">FFFF", ">0600", ">0800", ">FFFF", ">2400", ">1200", ">2359"};
    for (int k = 0; k < 8; ++k)
        Set(std::to_string(k + 1) + "AL", stored[k]);
    Operator<TAlarmiDlg>([](TAlarmiDlg& dlg) {
        dlg.Alarmi[0]->setChecked(false);             // switched off
        dlg.Alarmi[1]->setChecked(true);              // switched on at a new time
        dlg.Vremena[1]->setTime(QTime(6, 15));
        dlg.Vremena[2]->setTime(QTime(6, 1));         // moved
        dlg.Vremena[3]->setTime(QTime(9, 0));         // moved and back again: unchanged
        dlg.Vremena[3]->setTime(QTime(8, 0));
        dlg.Alarmi[4]->setChecked(true);              // switched on at 00:00
        dlg.Alarmi[5]->setChecked(true);              // an invalid stored time, now a real one
        dlg.Vremena[5]->setTime(QTime(23, 0));
        dlg.Vremena[6]->setTime(QTime(5, 5));         // 7: picker moved ...
        dlg.Alarmi[6]->setChecked(false);             // ... but the alarm switched off
        dlg.OKBtn->click();
    });
    d->PodesiAlarme->trigger();

    const std::pair<int, const char*> writes[] = {{1, "FFFF"}, {2, "0615"}, {3, "0601"},
                                                  {5, "0000"}, {6, "2300"}, {7, "FFFF"}};
    std::deque<Bytes> pending;
    std::deque<Bytes> reads;
    std::vector<Bytes> front;
    for (const auto& [k, text] : writes) {
        const std::string m = std::to_string(k) + "AL";
        const Bytes w = BuildHexWordWriteRequest(3, 4, AddressOwn, m, text);
        pending.push_back(Entry(w, 12 + k));
        front.insert(front.begin(), w);  // each write goes to the front
        reads.push_back(Entry(BuildReadRequest(3, 4, m), 12 + k));
    }
    EXPECT_EQ(d->PendingWrites, pending);
    EXPECT_EQ(d->PendingReads, reads) << "each written alarm is read back";
    std::vector<Bytes> expected = front;
    for (const Bytes& r : reads)
        expected.push_back(Bytes(r.begin(), r.end() - 1));
    EXPECT_EQ(Queue(), expected);
    const std::string wire(pending.front().begin(), pending.front().end());
    EXPECT_NE(wire.find("1AL>FFFF"), std::string::npos);
}

#include "test_rmv_disp.moc"
