// The program's one time scale: days since 30/12/1899 00:00 local time, the fraction of the
// day giving the time of day (12:00 on 1/1/1900 is 2.5). The database stamps rows in this
// scale and every date-time column holds it.
//
// The scale is linear on both sides of its origin (-0.25 is 29/12/1899 18:00). Conversions
// are exact to the millisecond: a double holds a present-day count to within a microsecond.
// Local wall time repeats one hour when daylight saving ends; stamps taken in that hour sort
// with the earlier pass of it.
#pragma once

#include <QDateTime>

namespace tarvo {

// Day count of a moment, read as local wall time (a UTC QDateTime is converted first).
double DaysFromDateTime(const QDateTime& moment);
// Local date-time of a day count, rounded to the nearest millisecond.
QDateTime DateTimeFromDays(double days);
// The current moment as a day count.
double DaysNow();

}  // namespace tarvo
