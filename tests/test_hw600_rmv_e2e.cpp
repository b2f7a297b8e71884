// An HW600 and an RMV_Disp panel against the simulated bus, through the real port and
// communication thread: live values, the sensor fault and a re-read, the clock set from the PC,
// a message sent and shown, and alarm times set, read back and switched off.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>

#include "devices/AlarmiDlg.h"
#include "devices/Display.h"
#include "devices/HW600.h"
#include "devices/PorukaDlg.h"
#include "devices/RMV_Disp.h"
#include "dialogs/RunModal.h"
#include "support/BusFixture.h"

using namespace tarvo;

namespace {

class HW600RmvEndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        // Real time: the display's clock must not run away from the time it was set to.
        ASSERT_NO_FATAL_FAILURE(StartBus({"HW600@21", "RMV_Disp@22"}));
        hw = &AddPanel<THW600>(2, 1);
        rmv = &AddPanel<TRMV_Disp>(2, 2);
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    void TearDown() override
    {
        SetModalRunner({});
        BusFixture::TearDown();
    }
    std::string Get(const std::string& mnemonic)
    {
        const std::string line = sim->Command("get 22 " + mnemonic);
        const std::string prefix = "22 " + mnemonic + " ";
        return line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : "?" + line;
    }
    // Only page `page` (1 = values .. 5 = text) on the unit's display.
    void OnlyPage(int page)
    {
        for (int k = 1; k <= 5; ++k)
            Command("set 22 " + std::to_string(k) + "DI " + (k == page ? "5" : "0"));
    }
    template <class Dialog>
    void Operator(std::function<void(Dialog&)> step)
    {
        SetModalRunner([step](QDialog& dialog) {
            dialog.show();
            if (auto* typed = dynamic_cast<Dialog*>(&dialog))
                step(*typed);
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result();
        });
    }

    THW600* hw = nullptr;
    TRMV_Disp* rmv = nullptr;
};

}  // namespace

TEST_F(HW600RmvEndToEnd, LiveValuesAndTheSensorFault)
{
    EXPECT_EQ(hw->ValueTexts[0], ">0606");
    EXPECT_EQ(rmv->ValueTexts[0], ">8606");
    EXPECT_TRUE(Until([&] {
        return !hw->TextOf("1PV").empty() && hw->Display1->Text() == hw->TextOf("1PV") &&
               hw->Display2->Text() == hw->TextOf("2PV") && rmv->Display1->Text() == rmv->TextOf("DX") &&
               rmv->TextOf("DX").size() == 8;
    })) << hw->Display1->Text() << " / " << hw->Display2->Text() << " / " << rmv->Display1->Text();
    EXPECT_TRUE(hw->PrmTable->isEnabled());
    EXPECT_TRUE(rmv->PrmTable->isEnabled());

    Command("fault 21 sensor2 on");
    EXPECT_TRUE(Until([&] { return hw->Display1->Text() == "5nb " && hw->Display2->Text() == "    "; }));
    Command("fault 21 sensor2 off");
    Command("set 21 1PV 18.5");
    EXPECT_TRUE(Until([&] { return hw->Display1->Text() == "18.5"; })) << hw->Display1->Text();

    // The unit asks to be read again: "inic.   " while it is, then its line again.
    Command("reread 22");
    EXPECT_TRUE(Until([&] { return rmv->Display1->Text() == "inic.   "; }));
    EXPECT_EQ(rmv->State, DeviceCore::StateInit);
    EXPECT_TRUE(Until([&] { return rmv->State == DeviceCore::StateOnline && rmv->Display1->Text() != "inic.   "; }));
}

TEST_F(HW600RmvEndToEnd, ClockMessageAndAlarms)
{
    // The clock, from an injected PC time, reaches the unit and shows on its time page.
    OnlyPage(3);
    rmv->Now = [] { return QDateTime(QDate(2017, 3, 5), QTime(14, 7, 9)); };
    rmv->SinhronizacijaVremena->trigger();
    EXPECT_TRUE(Until([&] { return rmv->Display1->Text().rfind("14:07:", 0) == 0; })) << rmv->Display1->Text();
    EXPECT_EQ(Get("4RT"), ">0001");
    EXPECT_EQ(Get("5RT"), ">0005");
    EXPECT_EQ(Get("6RT"), ">0003");
    EXPECT_EQ(Get("7RT"), ">0017");

    // A message for this unit alone: acknowledged, read back, and shown on the text page.
    OnlyPage(5);
    Operator<TPorukaDlg>([](TPorukaDlg& dlg) {
        EXPECT_EQ(dlg.Tekst->text(), "TARVO   ");
        dlg.Tekst->setText("Zdravo");
        dlg.OKBtn->click();
    });
    rmv->PostaviPoruku->trigger();
    EXPECT_TRUE(Until([&] { return rmv->Display1->Text() == "Zdravo  " && rmv->TextOf("TX") == "Zdravo  "; }))
        << rmv->Display1->Text();
    EXPECT_TRUE(Op().Saw("Parametar promenjen!!!", "Proizvoljan tekst"));

    // Alarm 1 set at 07:30; the dialog opens with it next time, and switches it off.
    Operator<TAlarmiDlg>([](TAlarmiDlg& dlg) {
        EXPECT_FALSE(dlg.Alarmi[0]->isChecked());
        dlg.Alarmi[0]->setChecked(true);
        dlg.Vremena[0]->setTime(QTime(7, 30));
        dlg.OKBtn->click();
    });
    rmv->PodesiAlarme->trigger();
    EXPECT_TRUE(Until([&] { return rmv->TextOf("1AL") == ">0730" && rmv->PendingReads.empty(); }));
    EXPECT_EQ(Get("1AL"), ">0730");
    EXPECT_TRUE(Op().Saw("Parametar promenjen!!!", "1.Vreme alarma"));

    bool opened = false;
    Operator<TAlarmiDlg>([&](TAlarmiDlg& dlg) {
        opened = dlg.Alarmi[0]->isChecked() && dlg.Vremena[0]->time() == QTime(7, 30);
        dlg.Alarmi[0]->setChecked(false);
        dlg.OKBtn->click();
    });
    rmv->PodesiAlarme->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Until([&] { return rmv->TextOf("1AL") == ">FFFF"; }));
    EXPECT_EQ(Get("1AL"), ">FFFF");
    for (const auto& box : Op().boxes)
        EXPECT_NE(box.text, "Vrednost parametra nije u redu") << box.caption;
}
