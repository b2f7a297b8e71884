// "Podesavanje alarmnih vremena": the eight daily alarm times of a clock and message display,
// each switched on by its check box.
#pragma once

#include <QDialog>
#include <QTime>

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QPushButton;
class QTimeEdit;

namespace tarvo {

class TAlarmiDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int AlarmCount = 8;

    explicit TAlarmiDlg(QWidget* parent = nullptr);

    // Alarm k (0-based): ticked at its time when enabled, else unticked at 00:00.
    void SetAlarm(int k, bool enabled, QTime time);
    bool Ticked(int k) const;
    // The picker's time as four digits, hours then minutes ("0730").
    std::string TimeText(int k) const;

    std::array<QCheckBox*, AlarmCount> Alarmi{};
    std::array<QTimeEdit*, AlarmCount> Vremena{};
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// The alarm time in a value text ">hhmm": hours and minutes both decimal and forming a time
// of day. "FFFF" (an alarm switched off), a short or an unread text hold no time.
std::optional<QTime> AlarmTimeOf(const std::string& valueText);

}  // namespace tarvo
