// The RMV_Disp clock and message display: one eight-character dot-matrix line that shows in
// turn temperature and humidity, moisture, time, date and a free text. The PC sets its clock,
// its message and its eight daily alarm times.
#pragma once

#include <QDateTime>

#include <array>
#include <functional>
#include <string>

#include "devices/DeviceType.h"

namespace tarvo {

class TDisplay;

// The clock setting: seconds, minutes, hours, day of the week (1 = Sunday), day of the month,
// month, year - 2000 and the configuration word 80, each as '>' and four decimal digits.
std::array<std::string, 8> ClockTexts(const QDateTime& now);

class TRMV_Disp : public TDeviceType {
    Q_OBJECT
public:
    static constexpr int AlarmCount = 8;

    TRMV_Disp(QWidget* owner, uint8_t group, uint8_t unit);

    void ShowValues() override;
    void UpdateMenus() override;

    // "Posebne funkcije" commands.
    void SinhronizacijaVremenaClick();
    void PostaviPorukuClick();
    void PodesiAlarmeClick();

    // The PC's local time for the clock setting.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    TDisplay* Display1;
    QAction* SinhronizacijaVremena;
    QAction* PostaviPoruku;
    QAction* PodesiAlarme;

    // The alarms as the alarm dialog found them when it opened last: enabled, and the four
    // characters after '>' of each alarm's value text.
    std::array<bool, AlarmCount> AlarmEnabled{};
    std::array<std::string, AlarmCount> AlarmTimes{};

private:
    QAction* AddHelpedCommand(const QString& caption, int helpContext, const std::function<void()>& handler);
    int AlarmIndex(int k) const;
    void WriteAlarm(int k, const std::string& hhnn);
};

}  // namespace tarvo
