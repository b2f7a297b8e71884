#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "app/Settings.h"
#include "dialogs/ChangePas.h"
#include "dialogs/Password.h"
#include "dialogs/RunModal.h"
#include "dialogs/Strings.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;

namespace {

class PasswordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ScriptedOperator::Instance().Clear();
    }
    void TearDown() override
    {
        SetModalRunner({});
        StringTable::ResetDefaults();
    }

    // Plays the operator at each modal dialog in turn: the next step types into the dialog and
    // presses its buttons; the dialog's result is what the modal run returns.
    void Play(std::deque<std::function<void(QDialog&)>> steps)
    {
        auto shared = std::make_shared<decltype(steps)>(std::move(steps));
        SetModalRunner([shared](QDialog& d) {
            d.show();
            if (shared->empty()) {
                ADD_FAILURE() << "unexpected dialog";
                d.reject();
            } else {
                auto step = shared->front();
                shared->pop_front();
                step(d);
            }
            if (d.isVisible())  // the operator gave up: the window is closed
                d.reject();
            return d.result();
        });
    }
    static std::function<void(QDialog&)> EnterPassword(const QString& text)
    {
        return [text](QDialog& d) {
            auto& dlg = dynamic_cast<TPasswordDlg&>(d);
            dlg.Password->setText(text);
            dlg.OKBtnClick();
        };
    }
    static std::function<void(QDialog&)> EnterNew(std::vector<std::pair<QString, QString>> tries)
    {
        return [tries](QDialog& d) {
            auto& dlg = dynamic_cast<TChangePassword&>(d);
            for (const auto& t : tries) {
                dlg.New->setText(t.first);
                dlg.Confirm->setText(t.second);
                dlg.Button1Click();
            }
        };
    }

    Settings Store() { return Settings::AtFile(dir.filePath("settings.conf")); }

    QTemporaryDir dir;
};

TEST_F(PasswordTest, OnlyTheExactPasswordIsAccepted)
{
    const struct {
        const char* current;
        const char* entered;
        bool accepted;
    } cases[] = {
        {"Vardu", "Vardu", true},
        {"Vardu", "vardu", false},
        {"Vardu", "VARDU", false},
        {"Vardu", "Vardu ", false},
        {"Vardu", "", false},
        {"", "", true},
        {"", "x", false},
        {"šifra", "šifra", true},
        {"šifra", "Šifra", false},
    };
    auto& op = ScriptedOperator::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " / " + c.entered);
        op.Clear();
        TPasswordDlg dlg(QString::fromUtf8(c.current));
        dlg.show();
        dlg.Password->setText(QString::fromUtf8(c.entered));
        dlg.OKBtnClick();
        if (c.accepted) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_TRUE(op.boxes.empty());
        } else {
            EXPECT_TRUE(dlg.isVisible());  // stays open for a fresh attempt
            ASSERT_EQ(op.boxes.size(), 1u);
            EXPECT_EQ(op.boxes[0].text, "Pogresna sifra");
            EXPECT_EQ(op.boxes[0].icon, BoxIcon::Warning);
            EXPECT_TRUE(dlg.Password->text().isEmpty());
            EXPECT_EQ(dlg.focusWidget(), dlg.Password);
        }
    }
}

TEST_F(PasswordTest, DialogsTakeTheirTextsFromTheTableOnEveryShow)
{
    TPasswordDlg dlg("x");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Provera korisnika");
    EXPECT_EQ(dlg.Label1->text(), "Unesi sifru:");
    EXPECT_EQ(dlg.OKBtn->text(), "OK");
    EXPECT_EQ(dlg.CancelBtn->text(), "Otkazi");
    EXPECT_EQ(dlg.Password->echoMode(), QLineEdit::Password);
    dlg.Password->setText("abc");
    EXPECT_EQ(dlg.Password->displayText(), "***");
    dlg.hide();
    StringTable::SetKeyText("StrCaptionPas", "User check");
    StringTable::SetKeyText("StrPogresnaSifra", "Wrong password");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "User check");
    dlg.OKBtnClick();
    EXPECT_TRUE(ScriptedOperator::Instance().Saw("Wrong password"));
    dlg.CancelBtnClick();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    TChangePassword change;
    StringTable::SetKeyText("StrNovaSifra", "New password:");
    change.show();
    EXPECT_EQ(change.windowTitle(), "Promena sifre");
    EXPECT_EQ(change.Labela1->text(), "New password:");
    EXPECT_EQ(change.Label1->text(), "Potvrdi novu sifru:");
    EXPECT_EQ(change.Button1->text(), "Potvrdi");
    EXPECT_EQ(change.Button2->text(), "Otkazi");
}

TEST_F(PasswordTest, PasswordDialogHasAFixedClientAreaCentredOnTheScreen)
{
    QWidget owner;
    owner.setGeometry(0, 0, 100, 100);
    TPasswordDlg dlg("x", &owner);
    dlg.show();
    EXPECT_EQ(dlg.size(), QSize(233, 93));
    EXPECT_EQ(dlg.minimumSize(), QSize(233, 93));
    EXPECT_EQ(dlg.maximumSize(), QSize(233, 93));
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QPoint offset = dlg.geometry().center() - screen->availableGeometry().center();
    // Within the width of a window frame.
    EXPECT_LE(offset.manhattanLength(), 20) << offset.x() << "," << offset.y();
}

TEST_F(PasswordTest, ChangeDialogAcceptsOnlyAMatchingNonEmptyEntry)
{
    const struct {
        const char* entered;
        const char* confirmed;
        bool accepted;
    } cases[] = {
        {"nova", "nova", true},
        {"nova", "Nova", false},
        {"nova", "novа", false},  // Cyrillic a
        {"nova", "", false},
        {"", "nova", false},
        {"", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.entered) + " / " + c.confirmed);
        ScriptedOperator::Instance().Clear();
        TChangePassword dlg;
        dlg.show();
        dlg.New->setText(QString::fromUtf8(c.entered));
        dlg.Confirm->setText(QString::fromUtf8(c.confirmed));
        dlg.Button1Click();
        EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty());  // refused silently
        if (c.accepted) {
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(dlg.NewPassword(), QString::fromUtf8(c.entered));
        } else {
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_TRUE(dlg.New->text().isEmpty());
            EXPECT_TRUE(dlg.Confirm->text().isEmpty());
            EXPECT_TRUE(dlg.NewPassword().isEmpty());
        }
    }
}

TEST_F(PasswordTest, ChangeEditsHoldAtMostTwentyCharacters)
{
    TChangePassword dlg;
    dlg.show();
    for (QLineEdit* edit : {dlg.New, dlg.Confirm}) {
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        QTest::keyClicks(edit, "abcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ(edit->text(), "abcdefghijklmnopqrst");
        EXPECT_EQ(edit->displayText(), QString(20, u'*'));
    }
    dlg.Button1Click();
    EXPECT_EQ(dlg.NewPassword(), "abcdefghijklmnopqrst");
}

TEST_F(PasswordTest, ChangeFlowStoresTheNewPasswordForTheNextCheckAndRestart)
{
    Settings settings = Store();
    settings.Load();
    Play({EnterPassword("vardu"), EnterNew({{"Nova1", "nova1"}, {"", ""}, {"Nova1", "Nova1"}})});
    EXPECT_TRUE(ChangePasswordFlow(nullptr, settings));
    EXPECT_EQ(settings.password, "Nova1");

    // The very next check, and the one after a restart, accept only the new password.
    Settings restarted = Store();
    restarted.Load();
    EXPECT_EQ(restarted.password, "Nova1");
    for (const Settings* s : {&settings, &restarted}) {
        ScriptedOperator::Instance().Clear();
        Play({EnterPassword("vardu")});
        EXPECT_FALSE(AskPassword(nullptr, s->password));
        EXPECT_TRUE(ScriptedOperator::Instance().Saw("Pogresna sifra"));
        Play({EnterPassword("Nova1")});
        EXPECT_TRUE(AskPassword(nullptr, s->password));
    }
}

TEST_F(PasswordTest, CancelOrAWrongPasswordLeavesThePasswordAsItWas)
{
    Settings settings = Store();
    settings.Load();
    const auto cancel = [](QDialog& d) { d.reject(); };

    Play({cancel});  // password dialog cancelled
    EXPECT_FALSE(ChangePasswordFlow(nullptr, settings));
    Play({EnterPassword("wrong")});  // wrong entry, then the window is closed
    EXPECT_FALSE(ChangePasswordFlow(nullptr, settings));
    Play({EnterPassword("vardu"), cancel});  // change dialog cancelled
    EXPECT_FALSE(ChangePasswordFlow(nullptr, settings));
    Play({EnterPassword("vardu"), EnterNew({{"a", "b"}})});  // only mismatches, then closed
    EXPECT_FALSE(ChangePasswordFlow(nullptr, settings));

    EXPECT_EQ(settings.password, "vardu");
    Settings restarted = Store();
    restarted.Load();
    EXPECT_EQ(restarted.password, "vardu");
}

TEST_F(PasswordTest, ANewPasswordThatCannotBeStoredIsReportedAndNotUsed)
{
    Settings settings = Settings::AtFile("/proc/tarvo-no-such-dir/settings.conf");
    Play({EnterPassword("vardu"), EnterNew({{"nova", "nova"}})});
    EXPECT_FALSE(ChangePasswordFlow(nullptr, settings));
    EXPECT_EQ(settings.password, "vardu");
    const auto& boxes = ScriptedOperator::Instance().boxes;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, BoxIcon::Error);
    EXPECT_NE(boxes[0].text.find("cannot be written"), std::string::npos);
}

}  // namespace
