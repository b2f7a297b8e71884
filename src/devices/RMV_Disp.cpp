#include "devices/RMV_Disp.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include <cstdio>

#include "device/Help.h"
#include "devices/AlarmiDlg.h"
#include "devices/Display.h"
#include "devices/PorukaDlg.h"
#include "dialogs/RunModal.h"

namespace tarvo {

namespace {

constexpr int kLineLength = 8;
const char* const kNotOnline = "inic.   ";
const char* const kAlarmOff = "FFFF";

// F1 on a highlighted command opens the help page of that command.
class CommandHelpFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        const auto* menu = qobject_cast<QMenu*>(watched);
        const QAction* item = menu ? menu->activeAction() : nullptr;
        const int context = item ? item->property("helpContext").toInt() : 0;
        if (context <= 0)
            return false;
        OpenHelpTopic(context);
        return true;
    }
};

std::string FourDigits(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, ">%04d", value);
    return buf;
}

}  // namespace

std::array<std::string, 8> ClockTexts(const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    const int weekday = d.dayOfWeek() % 7 + 1;  // Monday 1 .. Sunday 7 becomes Sunday 1 .. Saturday 7
    const int fields[8] = {t.second(), t.minute(), t.hour(), weekday, d.day(), d.month(), d.year() - 2000, 80};
    std::array<std::string, 8> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = FourDigits(fields[i]);
    return texts;
}

TRMV_Disp::TRMV_Disp(QWidget* owner, uint8_t group, uint8_t unit)
    : TDeviceType(owner, group, unit, *TypeByIdTip(10))
{
    Display1 = new TDisplay(Panel1, false, kLineLength);
    Display1->SetKind(IndicatorKind::DotMatrix);
    Display1->setGeometry(28, 62, 182, 45);
    Display1->SetText(kNotOnline);
    Display1->SetHint("Prikazani tekst");
    Display1->show();

    PosebneFunkcije->installEventFilter(new CommandHelpFilter(PosebneFunkcije));
    SinhronizacijaVremena =
        AddHelpedCommand(QStringLiteral("Sinhronizacija vremena"), 11141, [this] { SinhronizacijaVremenaClick(); });
    PostaviPoruku = AddHelpedCommand(QStringLiteral("Postavi poruku"), 11142, [this] { PostaviPorukuClick(); });
    PodesiAlarme = AddHelpedCommand(QStringLiteral("Podesi alarme"), 11143, [this] { PodesiAlarmeClick(); });
}

QAction* TRMV_Disp::AddHelpedCommand(const QString& caption, int helpContext, const std::function<void()>& handler)
{
    QAction* item = AddCommand(caption, handler);
    item->setProperty("helpContext", helpContext);
    return item;
}

void TRMV_Disp::ShowValues()
{
    if (State != StateOnline) {
        Display1->SetText(kNotOnline);
        return;
    }
    TDeviceType::ShowValues();
    // A character display fills its line from the first cell.
    std::string line = TextOf("DX");
    if (line.size() < kLineLength)
        line.resize(kLineLength, ' ');
    Display1->SetText(line);
}

void TRMV_Disp::UpdateMenus()
{
    const bool online = State == StateOnline;
    Konfiguracija->setEnabled(online);
    PosebneFunkcije->setEnabled(online);
    ZakljucanaTastatura->setEnabled(false);  // the display has no keyboard lock
}

void TRMV_Disp::SinhronizacijaVremenaClick()
{
    // Every display on the bus gets the same time; the writes queue behind the reads.
    const std::array<std::string, 8> texts = ClockTexts(Now());
    for (size_t i = 0; i < texts.size(); ++i)
        WriteParam(IndexOf(std::to_string(i + 1) + "RT"), texts[i], AddressNetwork, false, true);
}

void TRMV_Disp::PostaviPorukuClick()
{
    const int tx = IndexOf("TX");
    TPorukaDlg dialog(QString::fromStdString(ValueTexts[static_cast<size_t>(tx)]), this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    WriteParam(tx, dialog.Message(), dialog.AddressMode());
    ReadParam(tx);  // the message is not read cyclically: the dialog opens with it next time
}

int TRMV_Disp::AlarmIndex(int k) const { return IndexOf(std::to_string(k + 1) + "AL"); }

void TRMV_Disp::PodesiAlarmeClick()
{
    TAlarmiDlg dialog(this);
    for (int k = 0; k < AlarmCount; ++k) {
        const auto i = static_cast<size_t>(k);
        const std::string& text = ValueTexts[static_cast<size_t>(AlarmIndex(k))];
        const std::optional<QTime> time = AlarmTimeOf(text);
        AlarmTimes[i] = text.size() > 1 ? text.substr(1, 4) : std::string();
        AlarmEnabled[i] = time.has_value();
        dialog.SetAlarm(k, AlarmEnabled[i], time.value_or(QTime(0, 0)));
    }
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    for (int k = 0; k < AlarmCount; ++k) {
        const auto i = static_cast<size_t>(k);
        if (dialog.Ticked(k)) {
            const std::string hhnn = dialog.TimeText(k);
            if (!AlarmEnabled[i] || hhnn != AlarmTimes[i])
                WriteAlarm(k, hhnn);
        } else if (AlarmEnabled[i]) {
            WriteAlarm(k, kAlarmOff);
        }
    }
}

void TRMV_Disp::WriteAlarm(int k, const std::string& hhnn)
{
    const int index = AlarmIndex(k);
    WriteParam(index, hhnn, AddressOwn, true);
    ReadParam(index);  // alarm times are not read cyclically: the dialog opens with the new one
}

}  // namespace tarvo
