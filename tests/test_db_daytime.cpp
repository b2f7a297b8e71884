// The program's time scale: days since 30/12/1899 local time, exact to the millisecond.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>
#include <ctime>

#include "db/DayTime.h"

using namespace tarvo;

namespace {

QDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

}  // namespace

TEST(DayTime, KnownDates)
{
    struct Case {
        QDateTime moment;
        double days;
    } cases[] = {
        {At(1899, 12, 30), 0.0},
        {At(1899, 12, 31), 1.0},
        {At(1900, 1, 1), 2.0},
        {At(1900, 1, 1, 12), 2.5},
        {At(1899, 12, 29, 18), -0.25},
        {At(2024, 2, 29, 6), 45351.25},
        {At(2000, 1, 1, 18), 36526.75},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(DaysFromDateTime(c.moment), c.days) << c.moment.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(DateTimeFromDays(c.days), c.moment) << c.days;
    }
}

TEST(DayTime, RoundTripIsExactToTheMillisecond)
{
    QRandomGenerator rng(1899);
    const QDateTime from = At(1990, 1, 1);
    for (int i = 0; i < 20000; ++i) {
        const QDateTime moment = from.addMSecs(qint64(rng.bounded(40.0 * 365 * 86400000)));
        const QDateTime back = DateTimeFromDays(DaysFromDateTime(moment));
        ASSERT_EQ(back.date(), moment.date()) << moment.toString(Qt::ISODateWithMs).toStdString();
        ASSERT_EQ(back.time(), moment.time()) << moment.toString(Qt::ISODateWithMs).toStdString();
    }
    const QDateTime lastMs = At(2023, 12, 31, 23, 59, 59, 999);
    EXPECT_EQ(DateTimeFromDays(DaysFromDateTime(lastMs)), lastMs);
}

TEST(DayTime, FractionThatRoundsToMidnightMovesToTheNextDay)
{
    EXPECT_EQ(DateTimeFromDays(45000.9999999999), At(2023, 3, 16));
    EXPECT_EQ(DateTimeFromDays(45000.0000000001), At(2023, 3, 15));
}

TEST(DayTime, UtcMomentsAreReadInLocalTime)
{
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Belgrade");
    tzset();
    const QDateTime summerUtc(QDate(2023, 7, 1), QTime(8, 30), Qt::UTC);
    const QDateTime winterUtc(QDate(2023, 1, 1), QTime(8, 30), Qt::UTC);
    const double summer = DaysFromDateTime(summerUtc);
    const double winter = DaysFromDateTime(winterUtc);
    EXPECT_NEAR(summer - std::floor(summer), 10.5 / 24, 1e-9);  // UTC+2
    EXPECT_NEAR(winter - std::floor(winter), 9.5 / 24, 1e-9);   // UTC+1
    EXPECT_EQ(DateTimeFromDays(summer).toUTC(), summerUtc);
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}
