// Chart channels on a real database file: the rows a channel draws for its window, reloads,
// object names and clashes, destruction in any order, and the colour conversion.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/LiveChart.h"
#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::TempDatabase;

namespace {

const QString kLive = QStringLiteral("SelectMerenja");
constexpr double kDay = 45000;  // 15/03/2023
constexpr double kMinute = 1.0 / 1440;

QDateTime At(double days) { return DateTimeFromDays(days); }

class KanalTest : public ::testing::Test {
protected:
    void SetUp() override { db.Connect(file.Path()); }

    // A measurement row at a chosen day count; a null value when `value` is empty.
    void InsertAt(int idValue, double when, const QVariant& value, bool temporary = false)
    {
        file.Exec(QStringLiteral("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                                 "VALUES (%1, %2, %3, 0, %4)")
                      .arg(idValue)
                      .arg(when, 0, 'g', 17)
                      .arg(value.isNull() ? QStringLiteral("NULL") : QString::number(value.toDouble(), 'g', 17))
                      .arg(temporary ? 1 : 0));
    }

    TKanal* Make(int idValue, double start, double end, const QString& prefix = QStringLiteral("Dnevni"),
                 const QString& query = kLive, QObject* on = nullptr)
    {
        channels.push_back(std::make_unique<TKanal>(on ? on : &owner, prefix, QColor(Qt::red),
                                                    QStringLiteral("Value %1").arg(idValue), At(start), At(end),
                                                    idValue, chart->Chart(), query, db.ADOConnection1));
        return channels.back().get();
    }

    static std::vector<QPointF> Points(const TKanal& k)
    {
        const QList<QPointF> points = k.Series()->Points();
        return {points.begin(), points.end()};
    }
    static QPointF Point(double days, double value) { return {ChartTime(days), value}; }

    TempDatabase file;
    TDModule db;
    QObject owner;
    std::unique_ptr<TLiveChart> chart = std::make_unique<TLiveChart>();
    std::vector<std::unique_ptr<TKanal>> channels;  // destroyed before the chart and the owner
};

TEST_F(KanalTest, DrawsExactlyTheRowsOfItsWindowInTimeOrder)
{
    const double start = kDay + 0.25;
    const double end = kDay + 0.5;
    // Written out of time order; both ends of the window belong to it.
    InsertAt(1, start + 30 * kMinute, 22.5);
    InsertAt(1, end, 23.0, true);
    InsertAt(1, start, 21.0);
    InsertAt(1, start + 10 * kMinute, 21.5, true);
    InsertAt(1, start + 20 * kMinute, QVariant());  // no value: no point
    InsertAt(1, start - kMinute, 99.0);
    InsertAt(1, end + kMinute, 99.0);
    InsertAt(2, start + 5 * kMinute, 99.0);

    TKanal* k = Make(1, start, end);

    const std::vector<QPointF> expected{Point(start, 21.0), Point(start + 10 * kMinute, 21.5),
                                        Point(start + 30 * kMinute, 22.5), Point(end, 23.0)};
    EXPECT_EQ(Points(*k), expected);
    EXPECT_EQ(k->ValueId(), 1);
    QScatterSeries* s = k->Series();
    EXPECT_EQ(s->name(), "Value 1");
    EXPECT_EQ(s->color(), QColor(Qt::red));
    EXPECT_EQ(s->markerShape(), QScatterSeries::MarkerShapeCircle);
    EXPECT_EQ(s->markerSize(), 2);
    EXPECT_EQ(s->pen().style(), Qt::NoPen);
    EXPECT_FALSE(s->pointLabelsVisible());
    EXPECT_EQ(s->chart(), chart->Chart());
    // The series shares the chart's axes.
    EXPECT_EQ(s->attachedAxes().size(), 2);
    EXPECT_TRUE(s->attachedAxes().contains(chart->AxisTime));
    EXPECT_TRUE(s->attachedAxes().contains(chart->AxisValue));
}

TEST_F(KanalTest, EmptyWindowGivesAnEmptySeriesWithItsLegendEntry)
{
    InsertAt(1, kDay + 0.3, 20.0);
    TKanal* reversed = Make(1, kDay + 0.5, kDay + 0.1);  // start after end
    TKanal* noRows = Make(2, kDay, kDay + 1);
    chart->show();  // the legend lays its markers out when shown
    QApplication::processEvents();
    for (TKanal* k : {reversed, noRows}) {
        EXPECT_EQ(k->Series()->Points().size(), 0);
        const QList<QLegendMarker*> markers = chart->Chart()->legend()->markers(k->Series());
        ASSERT_EQ(markers.size(), 1);
        EXPECT_TRUE(markers[0]->isVisible());
        EXPECT_EQ(markers[0]->label(), k->Series()->name());
    }
}

TEST_F(KanalTest, ReloadTakesTheRowsOfTheNewWindow)
{
    InsertAt(3, kDay + 0.1, 10.0);
    InsertAt(3, kDay + 0.6, 60.0);
    TKanal* k = Make(3, kDay, kDay + 0.5);
    ASSERT_EQ(Points(*k), (std::vector<QPointF>{Point(kDay + 0.1, 10.0)}));

    // Rows written after the query was opened appear only after a reload.
    InsertAt(3, kDay + 0.7, 70.0, true);
    EXPECT_EQ(k->Series()->Points().size(), 1);
    k->Reload(At(kDay + 0.5), At(kDay + 1));
    EXPECT_EQ(Points(*k), (std::vector<QPointF>{Point(kDay + 0.6, 60.0), Point(kDay + 0.7, 70.0)}));
    k->Reload(At(kDay + 2), At(kDay + 3));
    EXPECT_EQ(k->Series()->Points().size(), 0);
    EXPECT_TRUE(k->Query()->IsOpen());  // stays open between reloads
}

TEST_F(KanalTest, ObjectNamesAndTheOwner)
{
    TKanal* live = Make(7, kDay, kDay + 1);
    TKanal* report = Make(7, kDay, kDay + 1, QStringLiteral("Report"), QStringLiteral("SelectArhivaMerenja"));
    EXPECT_EQ(live->Query()->objectName(), "ADOStoredProcDnevni70");
    EXPECT_EQ(live->Series()->objectName(), "SeriesDnevni7");
    EXPECT_EQ(report->Query()->objectName(), "ADOStoredProcReport70");
    EXPECT_EQ(report->Series()->objectName(), "SeriesReport7");
    EXPECT_EQ(live->Query()->parent(), &owner);
    EXPECT_EQ(live->Query()->QueryName(), kLive);
    EXPECT_EQ(report->Query()->QueryName(), "SelectArhivaMerenja");
}

TEST_F(KanalTest, SecondChannelOfTheSameValueFailsAndLeavesNothingBehind)
{
    InsertAt(4, kDay + 0.5, 40.0);
    TKanal* first = Make(4, kDay, kDay + 1);
    const int children = int(owner.children().size());
    const int series = int(chart->Chart()->series().size());

    try {
        Make(4, kDay, kDay + 1);
        FAIL() << "a second channel with the same names was built";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the name ADOStoredProcDnevni40 is already taken");
    }
    // Another object of the owner with the series' name also blocks the channel.
    QObject stray(&owner);
    stray.setObjectName(QStringLiteral("seriesdnevni5"));
    EXPECT_THROW(Make(5, kDay, kDay + 1), std::runtime_error);
    stray.setParent(nullptr);

    EXPECT_EQ(int(owner.children().size()), children);
    EXPECT_EQ(int(chart->Chart()->series().size()), series);
    EXPECT_EQ(Points(*first), (std::vector<QPointF>{Point(kDay + 0.5, 40.0)}));

    // The same value under another owner is another channel.
    QObject window;
    EXPECT_NO_THROW(Make(4, kDay, kDay + 1, QStringLiteral("Dnevni"), kLive, &window));
}

TEST_F(KanalTest, FailingQueryLeavesNothingBehind)
{
    const int children = int(owner.children().size());
    EXPECT_THROW(Make(1, kDay, kDay + 1, QStringLiteral("Dnevni"), QStringLiteral("NoSuchQuery")), DbError);
    EXPECT_EQ(int(owner.children().size()), children);
    EXPECT_TRUE(chart->Chart()->series().isEmpty());
    // Its names are free again.
    EXPECT_NO_THROW(Make(1, kDay, kDay + 1));
}

TEST_F(KanalTest, DestructionRemovesTheSeriesAndTheQuery)
{
    TKanal* a = Make(1, kDay, kDay + 1);
    Make(2, kDay, kDay + 1);
    const QPointer<QScatterSeries> series = a->Series();
    const QPointer<TStoredQuery> query = a->Query();
    channels.erase(channels.begin());
    EXPECT_TRUE(series.isNull());
    EXPECT_TRUE(query.isNull());
    ASSERT_EQ(chart->Chart()->series().size(), 1);
    EXPECT_EQ(chart->Chart()->series()[0]->name(), "Value 2");
    // The names can be used again.
    EXPECT_NO_THROW(Make(1, kDay, kDay + 1));
}

TEST_F(KanalTest, ChannelOutlivingItsChartOrItsQuery)
{
    TKanal* k = Make(1, kDay, kDay + 1);
    delete k->Query();  // the owner went first
    EXPECT_EQ(k->Query(), nullptr);
    EXPECT_THROW(k->Reload(At(kDay), At(kDay + 1)), std::logic_error);
    chart.reset();  // the chart took its series along
    EXPECT_EQ(k->Series(), nullptr);
    channels.clear();  // and the channel still goes quietly
}

// Rows around both clock changes of a year are drawn at the moments the clock gave them.
TEST_F(KanalTest, TimesAcrossClockChanges)
{
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Belgrade");
    tzset();
    for (const QDate day : {QDate(2023, 3, 26), QDate(2023, 10, 29)}) {
        const double midnight = DaysFromDateTime(day.startOfDay());
        file.Exec(QStringLiteral("DELETE FROM Merenja"));
        std::vector<QPointF> expected;
        for (int m = 0; m <= 5 * 60; m += 7) {
            const double when = midnight + m * kMinute;
            InsertAt(1, when, m);
            expected.push_back(Point(when, m));
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        TKanal* k = Make(1, midnight, midnight + 1);
        EXPECT_EQ(Points(*k), expected) << day.toString().toStdString();
        channels.clear();
    }
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

TEST(SwapRedBlue, ExchangesRedAndBlue)
{
    struct Case {
        uint32_t in, out;
    };
    const Case cases[] = {
        {0xFF0000, 0x0000FF},    // red only: bits 0-7 only
        {0x00FF00, 0x00FF00},    // green unchanged
        {0x0000FF, 0xFF0000},    //
        {0x123456, 0x563412},    //
        {0xAB123456, 0x563412},  // the top byte ends up clear
        {0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwapRedBlue(c.in), c.out) << std::hex << c.in;
        EXPECT_EQ(SwapRedBlue(SwapRedBlue(c.in)), c.in & 0xFFFFFF) << std::hex << c.in;
    }
    // A colour-table red is drawn red.
    EXPECT_EQ(ChartColor(SwapRedBlue(0xFF0000)), QColor(255, 0, 0));
    EXPECT_EQ(ChartColor(SwapRedBlue(0x123456)), QColor(0x12, 0x34, 0x56));
}

TEST(ChartTime, FollowsTheDayCount)
{
    for (const double days : {kDay, kDay + 0.5, kDay + 14.0 / 24 + 5.0 / 1440 + 9.0 / 86400}) {
        EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(qint64(ChartTime(days))), DateTimeFromDays(days));
        EXPECT_NEAR(ChartDays(ChartTime(days)), days, 1e-9);
    }
    EXPECT_EQ(ChartTime(kDay + 1) - ChartTime(kDay), 86400000.0);  // no clock change that day
}

}  // namespace
