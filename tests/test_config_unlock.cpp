// The main window's password commands: unlocking the configuration grids (password, then a
// backup, then the grids and their navigators) and changing the password. Dialogs are played
// through the modal runner, message boxes recorded by the scripted operator.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <deque>
#include <memory>

#include "app/ConfigTab.h"
#include "app/Main.h"
#include "db/DataModule.h"
#include "dialogs/ChangePas.h"
#include "dialogs/Password.h"
#include "dialogs/RunModal.h"
#include "dialogs/Strings.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;

namespace {

using Step = std::function<void(QDialog&)>;

class ConfigUnlockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDir = QDir::currentPath();
        QDir::setCurrent(db.Dir());  // the backup is made beside the database
        ScriptedOperator::Instance().Clear();
        dm.Connect(db.Path());
        settings.online = false;
        form = std::make_unique<TForm1>(dm, settings);
        for (QTimer* t : {form->TimerObrade, form->TimerPrikaza, form->TimerUpisa, form->TimerRefresh})
            t->stop();
        form->ConfigTab->Open();
    }
    void TearDown() override
    {
        SetModalRunner({});
        form.reset();
        dm.Disconnect();
        QDir::setCurrent(savedDir);
        StringTable::ResetDefaults();
    }

    // Plays the operator at each modal dialog in turn; a dialog still open after its step is
    // closed as the operator would close it.
    void Play(std::deque<Step> steps)
    {
        dialogs = 0;
        auto shared = std::make_shared<std::deque<Step>>(std::move(steps));
        SetModalRunner([this, shared](QDialog& d) {
            ++dialogs;
            d.show();
            if (shared->empty()) {
                ADD_FAILURE() << "unexpected dialog";
            } else {
                const Step step = shared->front();
                shared->pop_front();
                step(d);
            }
            if (d.isVisible())
                d.reject();
            return d.result();
        });
    }
    static Step EnterPassword(const QString& text)
    {
        return [text](QDialog& d) {
            auto& dlg = dynamic_cast<TPasswordDlg&>(d);
            dlg.Password->setText(text);
            dlg.OKBtnClick();
        };
    }
    static Step EnterNew(const QString& text)
    {
        return [text](QDialog& d) {
            auto& dlg = dynamic_cast<TChangePassword&>(d);
            dlg.New->setText(text);
            dlg.Confirm->setText(text);
            dlg.Button1Click();
        };
    }
    bool Unlocked() const
    {
        const TConfigTab* tab = form->ConfigTab;
        bool all = true;
        for (const TGridFrame* f : {static_cast<const TGridFrame*>(tab->Groups), static_cast<const TGridFrame*>(tab->Devices),
                                    static_cast<const TGridFrame*>(tab->Values)}) {
            const bool open = f->Navigator()->isEnabled() &&
                              (f->Model()->flags(f->Model()->index(0, f->Model()->Column("Naziv"))) & Qt::ItemIsEditable);
            EXPECT_EQ(open, f->Editable());
            all = all && open;
        }
        return all;
    }
    QString Backup() const { return QDir(db.Dir()).filePath("Backup of Dudured.ido"); }
    std::vector<std::string> Texts() const { return ScriptedOperator::Instance().Texts(); }

    TempDatabase db;
    TDModule dm;
    Settings settings = Settings::AtFile(db.Dir() + "/settings.ini");
    std::unique_ptr<TForm1> form;
    QString savedDir;
    int dialogs = 0;
};

TEST_F(ConfigUnlockTest, PasswordThenBackupThenEditableGridsAndTheMessage)
{
    ASSERT_FALSE(QFile::exists(Backup()));
    Play({EnterPassword("vardu")});
    form->Konfiguracijamreze1->trigger();
    EXPECT_TRUE(Unlocked());
    EXPECT_TRUE(QFile::exists(Backup()));
    const auto& boxes = ScriptedOperator::Instance().boxes;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sada mozete menjati sadrzaj konfiguracionih tabela.\nNakon izvrsenih promena izaberite u "
                             "meniju:\n\"Podesavanje\\Azuriraj mrezu\" ili restartujte aplikaciju.");
    EXPECT_EQ(boxes[0].icon, BoxIcon::None);

    // Nothing locks them again, not even a cancelled second unlock.
    Play({[](QDialog& d) { d.reject(); }});
    form->Konfiguracijamreze1Click();
    EXPECT_TRUE(Unlocked());
}

TEST_F(ConfigUnlockTest, WrongOrCancelledPasswordLeavesTheGridsLocked)
{
    // A password that differs only in letter case, then the dialog closed.
    Play({EnterPassword("Vardu")});
    form->Konfiguracijamreze1Click();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Pogresna sifra"});
    EXPECT_FALSE(Unlocked());
    Play({[](QDialog& d) { d.reject(); }});
    form->Konfiguracijamreze1Click();
    EXPECT_FALSE(Unlocked());
    EXPECT_FALSE(QFile::exists(Backup()));  // no backup without the password

    // Unlimited attempts within one dialog: wrong, then right.
    ScriptedOperator::Instance().Clear();
    Play({[](QDialog& d) {
        EnterPassword("")(d);
        EnterPassword("vardu")(d);
    }});
    form->Konfiguracijamreze1Click();
    EXPECT_TRUE(Unlocked());
    EXPECT_EQ(Texts().front(), "Pogresna sifra");
}

TEST_F(ConfigUnlockTest, FailedBackupLeavesTheGridsLocked)
{
    // The backup cannot be put in place: a folder holds its name.
    ASSERT_TRUE(QDir(db.Dir()).mkpath("Backup of Dudured.ido/x"));
    Play({EnterPassword("vardu")});
    form->Konfiguracijamreze1Click();
    EXPECT_FALSE(Unlocked());
    const auto& boxes = ScriptedOperator::Instance().boxes;
    ASSERT_EQ(boxes.size(), 1u);  // the backup's error and nothing more
    EXPECT_EQ(boxes[0].text, "Neuspesno kreiranje rezervne kopije");
    EXPECT_EQ(boxes[0].icon, BoxIcon::Error);
}

TEST_F(ConfigUnlockTest, PasswordChangeFromTheMenuIsStoredAndGuardsTheUnlock)
{
    EXPECT_FALSE(form->OpcijePrograma1->isEnabled());  // the options dialog comes later

    Play({EnterPassword("vardu"), EnterNew("Nova1")});
    form->ChangePassItem->trigger();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(settings.password, "Nova1");
    Settings restarted = Settings::AtFile(db.Dir() + "/settings.ini");
    restarted.Load();
    EXPECT_EQ(restarted.password, "Nova1");

    // The old password no longer unlocks; the new one does.
    Play({EnterPassword("vardu")});
    form->Konfiguracijamreze1Click();
    EXPECT_FALSE(Unlocked());
    Play({EnterPassword("Nova1")});
    form->Konfiguracijamreze1Click();
    EXPECT_TRUE(Unlocked());

    // A cancelled change dialog leaves it as it is.
    Play({EnterPassword("Nova1"), [](QDialog& d) { d.reject(); }});
    form->ChangePassItemClick();
    EXPECT_EQ(settings.password, "Nova1");
}

}  // namespace
