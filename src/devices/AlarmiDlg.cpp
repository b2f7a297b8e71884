#include "devices/AlarmiDlg.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimeEdit>


#include "dialogs/DialogParts.h"

namespace tarvo {

namespace {

// Two decimal digits at `at`, or -1.
int TwoDigits(const std::string& s, size_t at)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (s.size() < at + 2 || !digit(s[at]) || !digit(s[at + 1]))
        return -1;
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

}  // namespace

std::optional<QTime> AlarmTimeOf(const std::string& valueText)
{
    const int hours = TwoDigits(valueText, 1);
    const int minutes = TwoDigits(valueText, 3);
    if (hours < 0 || minutes < 0 || !QTime::isValid(hours, minutes, 0))
        return std::nullopt;
    return QTime(hours, minutes);
}

TAlarmiDlg::TAlarmiDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Podesavanje alarmnih vremena"));
    FixClientArea(*this, {400, 214});
    AddBevel(*this, {8, 8, 384, 161});
    for (int i = 0; i < AlarmCount; ++i) {
        const int left = (i / 4) * 184;
        const int top = (i % 4) * 32 + 24;
        auto* box = new QCheckBox(QStringLiteral("%1.vreme alarma").arg(i + 1), this);
        box->setGeometry(left + 16, top, 96, 17);
        auto* picker = new QTimeEdit(this);
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        picker->setGeometry(left + 116, top, 73, 25);
        picker->setEnabled(false);
        connect(box, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        Alarmi[static_cast<size_t>(i)] = box;
        Vremena[static_cast<size_t>(i)] = picker;
    }
    AddOkCancel(*this, {103, 180, 75, 25}, {207, 180, 75, 25}, &OKBtn, &CancelBtn);
}

void TAlarmiDlg::SetAlarm(int k, bool enabled, QTime time)
{
    const auto i = static_cast<size_t>(k);
    Alarmi[i]->setChecked(enabled);
    Vremena[i]->setEnabled(enabled);
    Vremena[i]->setTime(enabled ? time : QTime(0, 0));
}

bool TAlarmiDlg::Ticked(int k) const { return Alarmi[static_cast<size_t>(k)]->isChecked(); }

std::string TAlarmiDlg::TimeText(int k) const
{
    return Vremena[static_cast<size_t>(k)]->time().toString(QStringLiteral("HHmm")).toStdString();
}

}  // namespace tarvo
