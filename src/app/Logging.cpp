// Measurement logging: every minute a temporary row per recorded value and the live chart's
// reload; every "PeriodUpisa" minutes the archive step and a permanent row per recorded value.
#include <algorithm>

#include "app/LiveChart.h"
#include "app/Main.h"
#include "app/TApplication.h"
#include "db/DataModule.h"
#include "db/DbError.h"
#include "device/Operator.h"
#include "devices/DeviceType.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

// The value written for a recorded parameter whose value is not available, with status 1.
constexpr float kNotAvailable = -199.9f;

}  // namespace

struct TForm1::PassOutcome {
    std::string archiveError;               // Arhiviraj or DeletePrivremene failed
    bool failed = false;                    // the pass as a whole failed (nothing kept)
    std::vector<std::string> deviceErrors;  // one per device whose rows stopped early
};

void TForm1::WriteDeviceValues(TDeviceType& device)
{
    TStoredQuery& values = dm_.ADOSelectValues;
    TStoredQuery& insert = dm_.ADOStoredProc_InsertMerenje;
    values.Close();
    values.SetParam(QStringLiteral("id_uredjaja"), device.DbDeviceId);
    if (!values.IsPrepared())
        values.Prepare();
    values.Open();
    for (values.First(); !values.Eof(); values.Next()) {
        const int idValue = values.AsInt(QStringLiteral("ID_Value"));
        // A value the device has not reported (not read yet, or never) is not available: it is
        // written as for a silent device, never as a measured 0.
        float value = kNotAvailable;
        int status = 1;
        if (device.State == DeviceCore::StateOnline) {
            const std::string mnemonic = values.AsString(QStringLiteral("Mnemonik")).trimmed().toStdString();
            const auto found = device.ValueByMnemonic.find(mnemonic);
            if (found != device.ValueByMnemonic.end()) {
                value = found->second;
                status = 0;
            }
        }
        insert.SetParam(QStringLiteral("id_value"), idValue);
        insert.SetParam(QStringLiteral("value"), static_cast<double>(value));
        insert.SetParam(QStringLiteral("status"), status);
        insert.SetParam(QStringLiteral("privremen"), WriteTemporary);
        if (!insert.IsPrepared())
            insert.Prepare();
        insert.ExecSQL();
    }
    values.Close();
}

void TForm1::WriteAllDevices(std::vector<std::string>& deviceErrors)
{
    for (TDeviceType* device : DeviceList) {
        try {
            WriteDeviceValues(*device);
        } catch (const DbError& e) {
            // The rows written so far stay; the device's other rows wait for the next pass.
            deviceErrors.push_back(e.what());
        }
    }
}

TForm1::PassOutcome TForm1::WritePass(bool permanent)
{
    PassOutcome outcome;
    WriteTemporary = !permanent;
    try {
        TWritePass pass(dm_);
        if (permanent) {
            try {
                dm_.ADOArhiviraj.ExecSQL();
                dm_.ADODeletePrivremene.ExecSQL();
            } catch (const std::exception& e) {
                outcome.archiveError = e.what();
                return outcome;  // rolled back: nothing archived, deleted or written
            }
        }
        WriteAllDevices(outcome.deviceErrors);
        pass.Commit();
    } catch (const std::exception&) {
        outcome.failed = true;
    }
    return outcome;
}

void TForm1::ReportPass(const PassOutcome& outcome)
{
    // Shown once the pass's transaction has ended, so that no box holds the database.
    if (!outcome.archiveError.empty()) {
        ShowGeneralError(outcome.archiveError);
        return;
    }
    if (outcome.failed) {
        Op().Message(StrMsg(StrGreskaUpisaUBazu), std::string(), BoxIcon::Error);
        return;
    }
    // A database that fails every device says the same thing for each: once is enough.
    std::vector<std::string> shown;
    for (const std::string& text : outcome.deviceErrors) {
        if (std::find(shown.begin(), shown.end(), text) != shown.end())
            continue;
        shown.push_back(text);
        Op().Message(text, std::string(), BoxIcon::Warning);
    }
}

void TForm1::TimerUpisaTimer()
{
    if (!settings_.online || networkBusy_)
        return;
    if (++WriteTicks < settings_.periodUpisa)
        return;
    WriteTicks = 0;
    ReportPass(WritePass(true));
}

void TForm1::TimerRefreshTimer()
{
    if (networkBusy_)
        return;
    if (settings_.online)
        ReportPass(WritePass(false));
    ReloadChannels();
}

void TForm1::ReloadChannels()
{
    try {
        LiveChart->ReloadChannels(LiveChannels, Clock);
    } catch (const std::exception&) {
        Op().Message(StrMsg(StrGreskaOsvezBaze), std::string(), BoxIcon::Warning);
    }
}

}  // namespace tarvo
