// The main window's password commands, the "Konfiguracija" tab and the network update.
#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>

#include "app/BackupDatabase.h"
#include "app/ConfigTab.h"
#include "app/Main.h"
#include "device/Operator.h"
#include "device/TickGuard.h"
#include "dialogs/ChangePas.h"
#include "dialogs/Password.h"
#include "dialogs/Strings.h"

namespace tarvo {

void TForm1::BuildConfigTab()
{
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    ConfigTab = new TConfigTab(dm_, TabSheet1);
    layout->addWidget(ConfigTab);
}

void TForm1::ApplyConfigTexts() { ConfigTab->ApplyTexts(); }

void TForm1::ChangePassItemClick() { ChangePasswordFlow(this, settings_); }

void TForm1::Konfiguracijamreze1Click()
{
    if (!AskPassword(this, settings_.password))
        return;
    // The tables are copied before anything in them can change; without a copy they stay locked
    // (the backup has reported why).
    if (!BackupDatabase())
        return;
    ConfigTab->SetEditable(true);
    Op().Message(StrMsg(StrKonfigOtklj));
}

void TForm1::Azurirajmrezu1Click()
{
    // The update destroys the panels, so it never runs while a timer tick is on the stack (a
    // tick that shows a message box runs a nested event loop in which this command can come);
    // it then runs as soon as the tick has finished. It runs as a tick itself, so no tick runs
    // in the middle of it either.
    if (TickGuard::Busy()) {
        QPointer<TForm1> self(this);
        TickGuard::AfterTick([self] {
            if (self)
                self->Azurirajmrezu1Click();
        });
        return;
    }
    TickGuard::RunTick([this] { UpdateNetwork(); });
}

void TForm1::UpdateNetwork()
{
    // Rows still in editing in the grids are written first; a refused row stops the update,
    // its message already shown.
    if (!ConfigTab->PostAll())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    DestroyNetwork();
    if (settings_.online)
        BuildNetwork();
    ProcessStripHost->setVisible(Programmer != nullptr);
}

}  // namespace tarvo
