// Work orders: the main window watches the programmer on every display tick and opens a work
// order when a program run starts, closes it when the run ends; the process strip starts,
// stops and selects programs and describes the open work order.
#include "app/Main.h"
#include "app/ProcessStrip.h"
#include "app/TApplication.h"
#include "db/DataModule.h"
#include "device/Operator.h"
#include "devices/FP320.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

// Display ticks a change must be seen on before it takes effect.
constexpr int kDebounceTicks = 11;

// Shown once the display tick has finished (the operator interface defers boxes raised in ticks).
void Notice(StrEntry text) { Op().Message(StrMsg(text), std::string(), BoxIcon::Information); }

}  // namespace

void TForm1::ProcessDetection()
{
    if (!Programmer || networkBusy_)
        return;
    if (Programmer->State != DeviceCore::StateOnline) {
        ProcessStrip->setEnabled(false);
        return;
    }
    ProcessStrip->setEnabled(true);
    // A change counts only once it has been seen on kDebounceTicks ticks in a row; the count is
    // cleared before a notice is shown, so ticks while the box is open count afresh.
    const auto confirmed = [this] {
        if (++ProcessDebounce < kDebounceTicks)
            return false;
        ProcessDebounce = 0;
        return true;
    };
    try {
        if (Programmer->ProgramRunning != 0) {
            if (!ProcessRecording) {
                if (!confirmed())
                    return;
                ProcessRecording = true;
                OpenWorkOrder();
                Notice(StrStartovanoNovo1);
            } else if (Programmer->ProcessNumber == RecordedProcessNumber) {
                ProcessDebounce = 0;
            } else {
                if (!confirmed())
                    return;
                CloseWorkOrders();
                OpenWorkOrder();
                Notice(StrDetektovanoNovo1);
            }
        } else if (ProcessRecording) {
            if (!confirmed())
                return;
            ProcessRecording = false;
            CloseWorkOrders();
            Notice(StrZavrsenProces1);
        } else {
            ProcessDebounce = 0;
        }
    } catch (const std::exception& e) {
        Op().Message(e.what(), std::string(), BoxIcon::Warning);
    }
}

void TForm1::OpenWorkOrder()
{
    TStoredQuery& add = dm_.ADOStoredProcDodajRN;
    add.SetParam(QStringLiteral("redni_broj"), Programmer->ProcessNumber);
    add.SetParam(QStringLiteral("naziv"), Str(StrOznakaRadnogNaloga));
    add.SetParam(QStringLiteral("opis"), Str(StrOpisProcesa));
    add.SetParam(QStringLiteral("program"), Programmer->ActiveProgram);
    if (!add.IsPrepared())
        add.Prepare();
    add.ExecSQL();
    RecordedProcessNumber = Programmer->ProcessNumber;
    ProcessStrip->SetRecording();
    dm_.ADOStoredProcZavrseniRN.Close();
    dm_.ADOStoredProcZavrseniRN.Open();
    TStoredQuery& open = dm_.ADOStoredProcNezavrseniRN;
    open.Close();
    open.Open();
    // The newest work order, with its placeholder texts for the operator to overwrite.
    open.Last();
    ProcessStrip->ShowRecord();
}

void TForm1::CloseWorkOrders()
{
    dm_.ADOStoredProcZavrsiSveRN.ExecSQL();
    dm_.ADOStoredProcNezavrseniRN.Close();
    dm_.ADOStoredProcNezavrseniRN.Open();
    dm_.ADOStoredProcZavrseniRN.Close();
    dm_.ADOStoredProcZavrseniRN.Open();
    ProcessStrip->SetIdle();
    ProcessStrip->ShowRecord();
}

void TForm1::TakeUpWorkOrder()
{
    try {
        TStoredQuery& open = dm_.ADOStoredProcNezavrseniRN;
        if (!open.IsOpen())
            open.Open();
        if (open.IsEmpty()) {
            ProcessRecording = false;
            ProcessStrip->SetIdle();
        } else {
            // A recording left open by the last run of the program goes on.
            open.Last();
            RecordedProcessNumber = open.AsInt(QStringLiteral("RedniBroj"));
            ProcessStrip->SetSelectedProgram(open.AsInt(QStringLiteral("Program")));
            ProcessRecording = true;
            ProcessStrip->SetRecording();
        }
        ProcessStrip->ShowRecord();
        workOrderTakenUp_ = true;
    } catch (const std::exception& e) {
        Op().Message(StrMsg(StrGreskaRadniNalozi) + e.what());
    }
}

void TForm1::StartProgramaBtnClick()
{
    if (Programmer && Op().AskYesNoCancel(StrMsg(StrStartProgConfirm)) == Answer::Yes && Programmer)
        Programmer->StartProgram();
}

void TForm1::StopProgramaBtnClick()
{
    if (Programmer && Op().AskYesNoCancel(StrMsg(StrStopProgConfirm)) == Answer::Yes && Programmer)
        Programmer->StopProgram();
}

void TForm1::PostaviProgramBtnClick()
{
    if (!Programmer)
        return;
    const int n = ProcessStrip->SelectedProgram();
    const std::string question = StrMsg(StrSetProgConfirm) + std::to_string(n) + StrMsg(StrSigurni);
    if (Op().AskYesNoCancel(question) == Answer::Yes && Programmer)
        Programmer->SelectProgram(n);
}

void TForm1::EditRecordButtonClick() { ProcessStrip->EditRecordButtonClick(); }

void TForm1::PostRecordBtnClick()
{
    try {
        ProcessStrip->PostRecord();
    } catch (const std::exception& e) {
        ShowGeneralError(e.what());
    }
}

}  // namespace tarvo
