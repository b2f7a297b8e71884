// The live chart of the "Dijagram" tab on a real database file: its axes for a window, the
// minute refresh of its channels, what a click on a point or on the legend shows, and its
// printout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QAction>
#include <QTemporaryDir>
#include <QFile>
#include <QLegend>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QValueAxis>
#include <cmath>
#include <memory>
#include <vector>

#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/LiveChart.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "db/DataModule.h"
#include "db/DayTime.h"
#include "dialogs/Strings.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;

namespace {

constexpr double kDay = 45000;  // 15/03/2023
constexpr double kMinute = 1.0 / 1440;

QDateTime At(double days) { return DateTimeFromDays(days); }

class LiveChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.Connect(file.Path());
        op().Clear();
        chart.resize(900, 560);
    }

    static ScriptedOperator& op() { return ScriptedOperator::Instance(); }

    void InsertAt(int idValue, double when, double value)
    {
        file.Exec(QStringLiteral("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                                 "VALUES (%1, %2, %3, 0, 0)")
                      .arg(idValue)
                      .arg(when, 0, 'g', 17)
                      .arg(value, 0, 'g', 17));
    }

    TKanal* Make(int idValue, const QString& title, double start, double end)
    {
        channels.push_back(std::make_unique<TKanal>(&owner, QStringLiteral("Dnevni"), QColor(Qt::blue), title,
                                                    At(start), At(end), idValue, chart.Chart(),
                                                    QStringLiteral("SelectMerenja"), db.ADOConnection1));
        return channels.back().get();
    }

    // Shows the chart laid out, as on the screen.
    void Show()
    {
        chart.show();
        QApplication::processEvents();
    }

    // Where a value point of a series is in the view.
    QPoint InView(QXYSeries* series, const QPointF& value)
    {
        const QPointF inChart = chart.Chart()->mapToPosition(value, series);
        return chart.View->mapFromScene(chart.Chart()->mapToScene(inChart));
    }

    std::vector<TKanal*> All() const
    {
        std::vector<TKanal*> all;
        for (const auto& k : channels)
            all.push_back(k.get());
        return all;
    }

    TempDatabase file;
    TDModule db;
    QObject owner;
    TLiveChart chart;
    std::vector<std::unique_ptr<TKanal>> channels;
};

TEST_F(LiveChartTest, Settings)
{
    QChart* c = chart.Chart();
    EXPECT_EQ(c->objectName(), "DBChart2");
    EXPECT_EQ(c->backgroundBrush().color(), QColor(Qt::white));
    EXPECT_EQ(c->legend()->alignment(), Qt::AlignBottom);
    EXPECT_TRUE(c->legend()->isVisible());
    EXPECT_TRUE(c->title().isEmpty());
    EXPECT_TRUE(c->titleFont().bold());
    // One axis at the bottom and one at the left: no axis on the right.
    ASSERT_EQ(c->axes().size(), 2);
    EXPECT_EQ(c->axes(Qt::Horizontal), QList<QAbstractAxis*>{chart.AxisTime});
    EXPECT_EQ(c->axes(Qt::Vertical), QList<QAbstractAxis*>{chart.AxisValue});
    EXPECT_EQ(chart.AxisTime->alignment(), Qt::AlignBottom);
    EXPECT_EQ(chart.AxisValue->alignment(), Qt::AlignLeft);
    EXPECT_EQ(chart.AxisValue->titleText(), Str(StrDTemp));
    EXPECT_FALSE(chart.AxisValue->isLineVisible());
    EXPECT_EQ(chart.AxisValue->minorTickCount(), 2);
}

TEST_F(LiveChartTest, TimeAxisSpansTheWindowWithLabelsAtRoundMoments)
{
    Show();
    struct Case {
        double start, end;
    };
    const Case cases[] = {
        {kDay - 1 + 0.6089, kDay + 0.6089},  // a day up to 14:36:49
        {kDay + 0.5, kDay + 0.5 + 10 * kMinute},  // ten minutes
        {kDay, kDay + 7},                     // a week
    };
    for (const Case& c : cases) {
        chart.ShowWindow(At(c.start), At(c.end));
        QCategoryAxis* axis = chart.AxisTime;
        EXPECT_EQ(axis->min(), ChartTime(c.start));
        EXPECT_EQ(axis->max(), ChartTime(c.end));
        const QStringList labels = axis->categoriesLabels();
        ASSERT_GE(labels.size(), 1) << c.start;
        double previous = -1;
        for (const QString& label : labels) {
            const double at = ChartDays(axis->endValue(label));
            EXPECT_GE(at, c.start);
            EXPECT_LE(at, c.end);
            EXPECT_EQ(label, At(at).toString("h:mm dd/MM/yy"));
            const double minutes = std::round(at * 1440);
            EXPECT_NEAR(at * 1440, minutes, 1e-6) << label.toStdString();  // whole minutes
            EXPECT_EQ(std::fmod(minutes, 5), 0) << label.toStdString();
            if (previous >= 0) {
                EXPECT_GE(at - previous, 5 * kMinute - 1e-9);
            }
            previous = at;
        }
        // Labels stand clear of each other on the screen.
        const double width = chart.Chart()->plotArea().width();
        if (labels.size() > 1) {
            const double gap = (axis->endValue(labels[1]) - axis->endValue(labels[0])) / (axis->max() - axis->min());
            EXPECT_GE(gap * width, 90.0);
        }
    }
    // A day on the 900-pixel chart: labels every few hours, on the hour.
    chart.ShowWindow(At(kDay - 1 + 0.6089), At(kDay + 0.6089));
    const QStringList day = chart.AxisTime->categoriesLabels();
    ASSERT_GE(day.size(), 3);
    for (const QString& label : day)
        EXPECT_TRUE(label.contains(":00 ")) << label.toStdString();
    EXPECT_TRUE(day.first().endsWith(" 14/03/23"));
    EXPECT_TRUE(day.last().endsWith(" 15/03/23"));
}

TEST_F(LiveChartTest, ValueAxisFitsThePointsOfEverySeries)
{
    Show();
    // Without points: a fixed range.
    chart.ShowWindow(At(kDay), At(kDay + 1));
    EXPECT_EQ(chart.AxisValue->min(), 0);
    EXPECT_EQ(chart.AxisValue->max(), 100);

    InsertAt(1, kDay + 0.2, 21.3);
    InsertAt(1, kDay + 0.3, 24.8);
    InsertAt(2, kDay + 0.4, -3.2);
    Make(1, "A", kDay, kDay + 1);
    Make(2, "B", kDay, kDay + 1);
    chart.ShowWindow(At(kDay), At(kDay + 1));
    const QValueAxis* axis = chart.AxisValue;
    EXPECT_LT(axis->min(), -3.2);
    EXPECT_GT(axis->max(), 24.8);
    EXPECT_GT(axis->min(), -20);
    EXPECT_LT(axis->max(), 40);
    // Whole steps of at least 1, labels at least 50 pixels apart, ends on labels.
    const double step = axis->tickInterval();
    EXPECT_GE(step, 1);
    EXPECT_EQ(std::fmod(axis->min(), step), 0);
    EXPECT_EQ(std::fmod(axis->max(), step), 0);
    EXPECT_GE(step / (axis->max() - axis->min()) * chart.Chart()->plotArea().height(), 50.0);

    // One flat value still gets a range around it.
    channels.clear();
    InsertAt(3, kDay + 0.5, 50.0);
    Make(3, "C", kDay, kDay + 1);
    chart.ShowWindow(At(kDay), At(kDay + 1));
    EXPECT_LT(axis->min(), 50);
    EXPECT_GT(axis->max(), 50);
}

TEST_F(LiveChartTest, RefreshReloadsEveryChannelForTheLastDay)
{
    const double now = kDay + 0.75;
    InsertAt(1, now - 1.5, 10.0);  // older than a day
    InsertAt(1, now - 0.5, 11.0);
    InsertAt(2, now - 0.25, 12.0);
    Make(1, "A", kDay + 5, kDay + 6);
    Make(2, "B", kDay + 5, kDay + 6);
    ASSERT_EQ(chart.Chart()->series()[0]->objectName(), "SeriesDnevni1");

    // The moment is read again for each channel.
    int reads = 0;
    chart.ReloadChannels(All(), [&] { return At(now + reads++ * kMinute); });
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(channels[0]->Series()->Points(), QList<QPointF>{QPointF(ChartTime(now - 0.5), 11.0)});
    EXPECT_EQ(channels[1]->Series()->Points(), QList<QPointF>{QPointF(ChartTime(now - 0.25), 12.0)});
    EXPECT_EQ(chart.WindowEnd(), At(now + kMinute));
    EXPECT_EQ(chart.WindowStart(), At(now + kMinute - 1));
    EXPECT_EQ(chart.AxisTime->max(), ChartTime(now + kMinute));

    // Without channels the window still slides.
    chart.ReloadChannels({}, [&] { return At(now + 1); });
    EXPECT_EQ(chart.WindowEnd(), At(now + 1));
}

TEST_F(LiveChartTest, FailingChannelEndsTheRefresh)
{
    const double now = kDay + 0.75;
    InsertAt(3, now - 0.1, 30.0);
    Make(1, "A", now - 1, now);
    Make(2, "B", now - 1, now);
    Make(3, "C", kDay + 5, kDay + 6);
    delete channels[1]->Query();  // its query is gone: its reload fails
    int reads = 0;
    EXPECT_THROW(chart.ReloadChannels(All(), [&] { return At(now + reads++ * kMinute); }), std::logic_error);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(channels[2]->Series()->Points().size(), 0);  // not reloaded
    EXPECT_EQ(chart.WindowEnd(), At(now + kMinute));  // the window of the last channel tried
}

TEST_F(LiveChartTest, PointText)
{
    const QDateTime at(QDate(2023, 3, 15), QTime(14, 5, 9));
    struct Case {
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {23.46, "23.5"}, {23.44, "23.4"}, {23.45, "23.5"}, {-199.9, "-199.9"},
        {double(float(-199.9)), "-199.9"},  // as the writer stores it
        {0, "0.0"},      {-0.04, "0.0"},  {1234567.89, "1234568.0"}, {12345678, "1.234568E+07"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TLiveChart::PointText("Komora 1 T", at, c.value).toStdString(),
                  std::string("Parametar:\nKomora 1 T\nTacka: 14:05:09 , ") + c.shown)
            << c.value;
}

TEST_F(LiveChartTest, ClickOnAPointShowsItsSeriesTimeAndValue)
{
    const double when = kDay + (14 * 3600 + 5 * 60 + 9) / 86400.0;
    InsertAt(1, kDay + 0.2, 20.0);
    InsertAt(1, when, 23.46);
    InsertAt(2, kDay + 0.3, 30.0);
    Make(1, "Susara 1 T1", kDay, kDay + 1);
    TKanal* other = Make(2, "Susara 1 T2", kDay, kDay + 1);
    chart.ShowWindow(At(kDay), At(kDay + 1));
    Show();

    const std::string expected = "Parametar:\nSusara 1 T1\nTacka: 14:05:09 , 23.5";
    auto* series = channels[0]->Series();
    const QPoint p = InView(series, QPointF(ChartTime(when), 23.46));
    // A point is hard to hit exactly: a few pixels off still count.
    for (const QPoint off : {QPoint(0, 0), QPoint(3, 0), QPoint(-2, 2)}) {
        op().Clear();
        QTest::mouseClick(chart.View->viewport(), Qt::LeftButton, {}, p + off);
        ASSERT_EQ(op().boxes.size(), 1u);
        EXPECT_EQ(op().boxes[0].text, expected);
        EXPECT_EQ(op().boxes[0].kind, "message");
    }
    op().Clear();
    QTest::mouseClick(chart.View->viewport(), Qt::LeftButton, {}, p + QPoint(0, 40));
    QTest::mouseClick(chart.View->viewport(), Qt::RightButton, {}, p);
    EXPECT_TRUE(op().boxes.empty());

    QTest::mouseClick(chart.View->viewport(), Qt::LeftButton, {},
                      InView(other->Series(), QPointF(ChartTime(kDay + 0.3), 30.0)));
    EXPECT_EQ(op().Texts(), std::vector<std::string>{"Parametar:\nSusara 1 T2\nTacka: 07:12:00 , 30.0"});
}

TEST_F(LiveChartTest, ClickOnTheLegendListsEverySeries)
{
    chart.DBChart2ClickLegend();
    EXPECT_EQ(op().Texts(), std::vector<std::string>{"Spisak svih parametara: "});

    Make(1, "Susara 1 T1", kDay, kDay + 1);
    Make(2, "Susara 1 T2", kDay, kDay + 1);
    Make(3, "Komora 2 RH", kDay, kDay + 1);
    Show();
    op().Clear();
    const QRectF legend = chart.Chart()->legend()->geometry();
    const QPoint inView = chart.View->mapFromScene(chart.Chart()->mapToScene(legend.center()));
    QTest::mouseClick(chart.View->viewport(), Qt::LeftButton, {}, inView);
    EXPECT_EQ(op().Texts(),
              std::vector<std::string>{"Spisak svih parametara: Susara 1 T1, Susara 1 T2, Komora 2 RH"});
}

// A channel with a day of one-minute rows adds a few graphics items to the chart (its legend
// entry, the series), not one per point as a scatter series did (about a kilobyte each); and
// takes them all along when it goes.
TEST_F(LiveChartTest, ADayOfPointsMakesNoGraphicsItemPerPoint)
{
    file.Exec(QStringLiteral("WITH RECURSIVE m(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM m WHERE k < 1439) "
                             "INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                             "SELECT 1, %1 + k / 1440.0, 20 + k % 7, 0, 0 FROM m")
                  .arg(kDay));
    Make(2, "B", kDay, kDay + 1);  // the legend is up before
    chart.ShowWindow(At(kDay), At(kDay + 1));
    Show();
    const QGraphicsScene* scene = chart.View->scene();
    const qsizetype before = scene->items().size();

    TKanal* k = Make(1, "A", kDay, kDay + 1);
    QApplication::processEvents();
    EXPECT_EQ(k->Series()->Points().size(), 1440);
    EXPECT_LT(scene->items().size() - before, 20);

    channels.pop_back();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the series' own item
    EXPECT_EQ(scene->items().size(), before);
}

// Every point is a dot of its channel's colour: 2 x 2 whole pixels on the screen, a round dot
// on the page, where the chart is drawn through a painter.
TEST_F(LiveChartTest, DrawsEveryPointAsADotOfItsChannelColourOnScreenAndOnThePage)
{
    struct Dot {
        int idValue;
        double when, value;
        QColor colour;
    };
    const QColor red(255, 0, 0), blue(0, 0, 255);
    const Dot dots[] = {{1, kDay + 0.25, 20, red}, {1, kDay + 0.5, 25, red}, {2, kDay + 0.75, 22, blue}};
    for (const Dot& d : dots)
        InsertAt(d.idValue, d.when, d.value);
    for (const auto& [id, colour] : {std::pair{1, red}, std::pair{2, blue}})
        channels.push_back(std::make_unique<TKanal>(&owner, QStringLiteral("Dnevni"), colour, QStringLiteral("V"),
                                                    At(kDay), At(kDay + 1), id, chart.Chart(),
                                                    QStringLiteral("SelectMerenja"), db.ADOConnection1));
    chart.ShowWindow(At(kDay), At(kDay + 1));
    Show();
    ASSERT_EQ(chart.View->mapFromScene(chart.Chart()->mapToScene(QPointF(0, 0))), QPoint(0, 0));

    const QImage screen = chart.View->grab().toImage();
    // The chart's layout on the screen, three times larger: positions scale by three.
    constexpr int kScale = 3;
    QImage page(chart.Chart()->size().toSize() * kScale, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    chart.Render(painter, QRectF(page.rect()));
    painter.end();

    // A dot centred anywhere within a pixel covers that pixel.
    const auto pixelAt = [](const QPointF& p) { return QPoint(int(std::floor(p.x())), int(std::floor(p.y()))); };
    const auto place = [&](const Dot& d) {
        return chart.Chart()->mapToPosition(QPointF(ChartTime(d.when), d.value), channels[d.idValue - 1]->Series());
    };
    for (const Dot& d : dots) {
        const QPointF at = place(d);
        const QPoint pixel = pixelAt(at);
        EXPECT_EQ(screen.pixelColor(pixel), d.colour) << d.when;
        // Two pixels off either way lies outside a 2 x 2 dot.
        EXPECT_NE(screen.pixelColor(pixel + QPoint(2, 0)), d.colour) << d.when;
        EXPECT_NE(screen.pixelColor(pixel - QPoint(2, 0)), d.colour) << d.when;

        const QPointF onPage = at * kScale;
        EXPECT_EQ(page.pixelColor(pixelAt(onPage)), d.colour) << d.when;
        // A dot 6 pixels across on the page leaves the corners of its square empty.
        EXPECT_NE(page.pixelColor((onPage + QPointF(2.6, 2.6)).toPoint()), d.colour) << d.when;
    }

    // A destroyed channel takes its dots along.
    const QPoint bluePixel = pixelAt(place(dots[2]));
    channels.pop_back();
    QApplication::processEvents();
    EXPECT_NE(chart.View->grab().toImage().pixelColor(bluePixel), blue);
}

// The printout, read back from the PDF file: its pages and their size in points.
struct PdfPages {
    explicit PdfPages(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return;
        const QString text = QString::fromLatin1(f.readAll());
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        static const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"));
        for (auto it = page.globalMatch(text); it.hasNext(); it.next())
            ++count;
        const auto m = box.match(text);
        if (m.hasMatch())
            size = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    int count = 0;
    QSizeF size;
};

TEST_F(LiveChartTest, PrintsOnePageInTheChosenOrientation)
{
    InsertAt(1, kDay + 0.3, 20.0);
    Make(1, "Susara 1 T1", kDay, kDay + 1);
    chart.ShowWindow(At(kDay), At(kDay + 1));
    Show();

    for (const auto orientation : {QPageLayout::Landscape, QPageLayout::Portrait}) {
        const QString pdf = file.Dir() + QStringLiteral("/chart-%1.pdf").arg(int(orientation));
        chart.Chart()->setTitle(QStringLiteral("Pre stampe"));
        // Stands in for the operator's choices in the printer dialog.
        chart.PrinterSetup = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(orientation);
            return true;
        };
        chart.Izvestajsadiska1Click();
        const PdfPages pages(pdf);
        EXPECT_EQ(pages.count, 1);
        const QSizeF a4 = orientation == QPageLayout::Landscape ? QSizeF(842, 595) : QSizeF(595, 842);
        EXPECT_NEAR(pages.size.width(), a4.width(), 1);
        EXPECT_NEAR(pages.size.height(), a4.height(), 1);
        EXPECT_TRUE(chart.Chart()->title().isEmpty());
    }
    // The chart keeps its place on the screen.
    EXPECT_EQ(chart.Chart()->size(), QSizeF(chart.View->viewport()->size()));
}

TEST_F(LiveChartTest, CancelledPrinterDialogPrintsNothing)
{
    const QString pdf = file.Dir() + QStringLiteral("/cancelled.pdf");
    chart.Chart()->setTitle(QStringLiteral("Ostaje"));
    chart.PrinterSetup = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    };
    chart.Izvestajsadiska1Click();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(chart.Chart()->title(), "Ostaje");
}

TEST_F(LiveChartTest, PrintMarginsAreOnePercentOfThePage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.Dir() + QStringLiteral("/margins.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    chart.Print(printer);
    const QPageLayout layout = printer.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.left(), paper.width() * 0.01, 0.1);
    EXPECT_NEAR(margins.right(), paper.width() * 0.01, 0.1);
    EXPECT_NEAR(margins.top(), paper.height() * 0.01, 0.1);
    EXPECT_NEAR(margins.bottom(), paper.height() * 0.01, 0.1);
}

// The main window carries the chart on its "Dijagram" tab and prints it from its menu.
TEST(MainWindowChart, OnTheDijagramTabAndPrintedFromTheMenu)
{
    QTemporaryDir dir;
    Settings settings = Settings::AtFile(dir.filePath(QStringLiteral("settings.ini")));
    TDModule dm;
    TForm1 form(dm, settings);
    ASSERT_NE(form.LiveChart, nullptr);
    EXPECT_EQ(form.LiveChart->parentWidget(), form.TabSheetDijagram);
    EXPECT_EQ(form.LiveChart->AxisValue->titleText(), Str(StrDTemp));
    int setups = 0;
    form.LiveChart->PrinterSetup = [&](QPrinter&) {
        ++setups;
        return false;
    };
    form.Izvestajsadiska1->trigger();
    EXPECT_EQ(setups, 1);
}

}  // namespace
