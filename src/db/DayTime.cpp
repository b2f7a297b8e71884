#include "db/DayTime.h"

#include <cmath>

namespace tarvo {

namespace {

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;
// Julian day number of 30/12/1899, the origin of the scale.
constexpr qint64 kOriginJulianDay = 2415019;

}  // namespace

double DaysFromDateTime(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    const qint64 day = local.date().toJulianDay() - kOriginJulianDay;
    return double(day) + double(local.time().msecsSinceStartOfDay()) / double(kMsPerDay);
}

QDateTime DateTimeFromDays(double days)
{
    // Whole milliseconds first, so a fraction that rounds up to midnight moves to the next day.
    const qint64 ms = std::llround(days * double(kMsPerDay));
    qint64 day = ms / kMsPerDay;
    qint64 rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --day;
    }
    const QDate date = QDate::fromJulianDay(day + kOriginJulianDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(rest)));
}

double DaysNow() { return DaysFromDateTime(QDateTime::currentDateTime()); }

}  // namespace tarvo
