// The network update on a real demo database, without the bus (panels stay in Scan): an
// update without edits gives the same network, edits made in the configuration grids take
// effect, a deleted group's devices fail with their report, the work-order state stays, and
// the update never runs while a timer tick is on the stack.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScreen>

#include <functional>
#include <memory>
#include <tuple>

#include "app/ConfigTab.h"
#include "app/GroupPages.h"
#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/PanelLayout.h"
#include "db/DataModule.h"
#include "device/TickGuard.h"
#include "devices/FP320.h"
#include "link/Bus.h"
#include "link/Comm.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"
#include "support/FormFixture.h"
#include "support/TestForm.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;
using tarvo::test::FormFixture;
using tarvo::test::TestForm;

namespace {

// What the operator sees of the network: pages, panels with their places, channels, strip.
struct Picture {
    std::vector<std::pair<QString, QString>> pages;  // name, caption
    std::vector<std::tuple<QString, QString, QPoint, int, int, int>> panels;  // name, page, place, group, unit, id
    std::vector<int> channels;
    QString programmer;
    bool strip = false;
    bool operator==(const Picture& o) const
    {
        return pages == o.pages && panels == o.panels && channels == o.channels && programmer == o.programmer &&
               strip == o.strip;
    }
};

class ConfigUpdateTest : public FormFixture {
protected:
    // The main window as after start-up (network built in on-line mode), grids unlocked.
    TestForm& Form()
    {
        MakeForm();
        form->ConfigTab->Open();
        form->FormShow();
        form->ConfigTab->SetEditable(true);
        return *form;
    }
    Picture Snap() const
    {
        Picture p;
        for (int i = 0; i < form->PageControlMreza->Count(); ++i)
            p.pages.emplace_back(form->PageControlMreza->Page(i)->objectName(), form->PageControlMreza->Caption(i));
        for (TDeviceType* d : form->DeviceList)
            p.panels.emplace_back(d->objectName(), d->parentWidget()->objectName(), d->pos(), d->AddrGroup, d->AddrUnit,
                                  d->DbDeviceId);
        for (TKanal* k : form->LiveChannels)
            p.channels.push_back(k->ValueId());
        p.programmer = form->Programmer ? form->Programmer->objectName() : QString();
        p.strip = form->ProcessStripHost->isVisibleTo(form.get());
        return p;
    }
    // Adds and writes a row through a grid.
    static void AddRow(TGridFrame* f, const std::vector<std::pair<const char*, QVariant>>& fields)
    {
        ASSERT_TRUE(f->Insert());
        const int row = f->CurrentRow();
        for (const auto& [field, value] : fields)
            ASSERT_TRUE(f->Model()->setData(f->Model()->index(row, f->Model()->Column(field)), value)) << field;
        ASSERT_TRUE(f->Post());
    }
};

TEST_F(ConfigUpdateTest, UpdateWithoutEditsBuildsTheSameNetworkAndKeepsTheWorkOrderState)
{
    TestForm& f = Form();
    const Picture before = Snap();
    ASSERT_EQ(before.panels.size(), 6u);
    ASSERT_EQ(before.channels.size(), 11u);
    ASSERT_TRUE(before.strip);
    QPointer<TDeviceType> old = f.DeviceList[0];
    f.ProcessRecording = true;
    f.RecordedProcessNumber = 42;

    f.Azurirajmrezu1->trigger();
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(old.isNull());  // new panels, with fresh states
    EXPECT_EQ(Snap(), before);
    EXPECT_EQ(f.Programmer, Panel("Programator"));
    EXPECT_TRUE(f.ProcessRecording);
    EXPECT_EQ(f.RecordedProcessNumber, 42);
    EXPECT_NE(TheComm(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ConfigUpdateTest, DeviceAndValueAddedInTheGridsAppearAtTheUpdate)
{
    TestForm& f = Form();
    const Picture before = Snap();
    // Komora 2 has three devices: the new one is its fourth.
    AddRow(f.ConfigTab->Devices, {{"ID_Grupe", 2}, {"ID_Tip", 0}, {"Naziv", "Novi indikator"}, {"Adresa", 4}});
    const int id = f.ConfigTab->Devices->CurrentKey().toInt();
    ASSERT_EQ(f.ConfigTab->Values->Device().toInt(), id);
    const QVariant pv = f.ConfigTab->Values->Parameters().at(2).Id;
    AddRow(f.ConfigTab->Values, {{"ID_Parametra", pv}, {"Naziv", "Novi PV"}, {"Boja", 15}});
    EXPECT_EQ(Snap(), before);  // nothing changes before the update

    f.Azurirajmrezu1Click();
    EXPECT_TRUE(Texts().empty()) << Texts().front();
    TDeviceType* added = Panel("Noviindikator");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->parentWidget(), f.GroupTabs.at(2));
    EXPECT_EQ(added->pos(), PanelPlace(3, added->size(), f.screen()->geometry().width()));
    EXPECT_EQ(added->AddrGroup, 2);
    EXPECT_EQ(added->AddrUnit, 4);
    EXPECT_EQ(added->DbDeviceId, id);
    ASSERT_EQ(f.LiveChannels.size(), 12u);
    EXPECT_EQ(f.LiveChannels.back()->Series()->name(), "Novi PV");
    // Everything else is where it was.
    Picture after = Snap();
    after.panels.erase(std::remove_if(after.panels.begin(), after.panels.end(),
                                      [](const auto& p) { return std::get<0>(p) == "Noviindikator"; }),
                       after.panels.end());
    after.channels.pop_back();
    EXPECT_EQ(after, before);
}

TEST_F(ConfigUpdateTest, ADeletedGroupsDevicesFailAndTheRestIsBuilt)
{
    TestForm& f = Form();
    ScriptedOperator::Instance().Script(Answer::Ok);
    ASSERT_TRUE(f.ConfigTab->Groups->Delete());  // Susara 1, which has three devices
    ScriptedOperator::Instance().Clear();

    f.Azurirajmrezu1Click();
    EXPECT_EQ(Texts(), std::vector<std::string>({"GRESKA UREDJAJA:Grupa 1 uredjaja Programator nije ucitana",
                                                 "GRESKA UREDJAJA:Grupa 1 uredjaja Klima komora nije ucitana",
                                                 "GRESKA UREDJAJA:Grupa 1 uredjaja Indikator nije ucitana"}));
    ASSERT_EQ(f.PageControlMreza->Count(), 1);
    EXPECT_EQ(f.PageControlMreza->Caption(0), "Komora 2");
    ASSERT_EQ(f.DeviceList.size(), 3u);
    for (TDeviceType* d : f.DeviceList)
        EXPECT_EQ(d->parentWidget(), f.GroupTabs.at(2));
    EXPECT_EQ(f.Programmer, nullptr);
    EXPECT_FALSE(f.ProcessStripHost->isVisibleTo(&f));
    EXPECT_EQ(f.LiveChannels.size(), 11u);
}

TEST_F(ConfigUpdateTest, RowsStillInEditingAreWrittenFirstOrStopTheUpdate)
{
    TestForm& f = Form();
    TGridFrame* devices = f.ConfigTab->Devices;
    devices->Model()->setData(devices->Model()->index(0, devices->Model()->Column("Naziv")), "Glavni programator");
    f.Azurirajmrezu1Click();
    EXPECT_NE(Panel("Glavniprogramator"), nullptr);
    EXPECT_EQ(f.Programmer, Panel("Glavniprogramator"));

    // A row its check refuses: the message, and the network as it was.
    const Picture before = Snap();
    QPointer<TDeviceType> old = f.DeviceList[0];
    devices->Model()->setData(devices->Model()->index(0, devices->Model()->Column("Adresa")), 2);
    f.Azurirajmrezu1Click();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Adresu 12 na magistrali vec ima uredjaj \"Klima komora\"."});
    EXPECT_FALSE(old.isNull());
    EXPECT_EQ(Snap(), before);
    EXPECT_TRUE(devices->IsEditing());
}

TEST_F(ConfigUpdateTest, UpdateRequestedDuringATickRunsWhenTheTickHasFinished)
{
    TestForm& f = Form();
    QPointer<TDeviceType> old = f.DeviceList[0];
    const bool ran = TickGuard::RunTick([&] {
        // As if the operator chose the menu entry in a message box's loop inside the tick.
        f.Azurirajmrezu1Click();
        EXPECT_FALSE(old.isNull());  // nothing is destroyed under the tick
        EXPECT_EQ(f.DeviceList[0], old.data());
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(old.isNull());  // done as soon as the tick ended
    EXPECT_EQ(f.DeviceList.size(), 6u);
    EXPECT_FALSE(TickGuard::Busy());
}

// Records whether a tick was running whenever a message box would open.
class TickProbe : public Operator {
public:
    void Message(const std::string& text, const std::string&, BoxIcon) override
    {
        texts.push_back(text);
        busy.push_back(TickGuard::Busy());
        if (onMessage)
            onMessage();
    }
    Answer AskOkCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    std::vector<std::string> texts;
    std::vector<bool> busy;
    std::function<void()> onMessage;
};

TEST_F(ConfigUpdateTest, TimerTicksCannotRunInsideTheUpdate)
{
    // The build's report boxes run a nested event loop in which the timers fire: they open only
    // once the update has finished, on the whole new network, so no tick runs inside it.
    db.Exec("UPDATE Mreza SET ID_Grupe = 9 WHERE ID_Uredjaja = 6");
    TestForm& f = Form();
    TickProbe probe;
    size_t panelsAtBox = 0;
    probe.onMessage = [&] { panelsAtBox = f.DeviceList.size(); };
    SetOperator(&probe);
    f.Azurirajmrezu1Click();
    SetOperator(&ScriptedOperator::Instance());
    ASSERT_EQ(probe.texts.size(), 1u);
    EXPECT_EQ(probe.texts[0], "GRESKA UREDJAJA:Grupa 9 uredjaja Merac vlage nije ucitana");
    EXPECT_FALSE(probe.busy[0]);
    EXPECT_EQ(panelsAtBox, 5u);
    EXPECT_FALSE(TickGuard::Busy());
}

TEST_F(ConfigUpdateTest, OfflineUpdateLeavesTheNetworkEmpty)
{
    settings.online = false;
    TestForm& f = Form();
    f.Azurirajmrezu1Click();
    EXPECT_EQ(f.PageControlMreza->Count(), 0);
    EXPECT_TRUE(f.DeviceList.empty());
    EXPECT_TRUE(f.LiveChannels.empty());
    EXPECT_FALSE(f.ProcessStripHost->isVisibleTo(&f));
    EXPECT_TRUE(Texts().empty());
}

TEST(TickGuardAfterTick, RunsOnceTheRunningTickHasFinishedInOrder)
{
    std::vector<int> order;
    TickGuard::AfterTick([&] { order.push_back(0); });  // no tick: at once
    EXPECT_EQ(order, std::vector<int>{0});
    TickGuard::RunTick([&] {
        TickGuard::AfterTick([&] { order.push_back(2); });
        TickGuard::AfterTick([&] {
            order.push_back(3);
            EXPECT_FALSE(TickGuard::Busy());
            // Work that runs a tick of its own is possible then.
            EXPECT_TRUE(TickGuard::RunTick([&] { order.push_back(4); }));
        });
        order.push_back(1);
    });
    EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3, 4}));
}

}  // namespace
