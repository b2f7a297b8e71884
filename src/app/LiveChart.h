// TLiveChart: the main window's "Dijagram" tab. It holds the live chart DBChart2, on which the
// network build puts one TKanal channel per recorded value (prefix "Dnevni", query
// "SelectMerenja"), and its view. The chart shows a sliding time window: bottom axis of
// date-times labelled at round moments, left axis of values fitted to the points of every
// channel. A click on a point or on the legend shows what was clicked; the menu prints it.
//
// Use: build channels with Chart() as their chart, then ShowWindow(start, end) with the same
// window; the refresh timer calls ReloadChannels.
#pragma once

#include <QDateTime>
#include <QPointF>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QCategoryAxis;
class QChart;
class QChartView;
class QPainter;
class QPrinter;
class QValueAxis;
class QXYSeries;

namespace tarvo {

class TKanal;

class TLiveChart : public QWidget {
    Q_OBJECT
public:
    explicit TLiveChart(QWidget* parent = nullptr);
    ~TLiveChart() override;

    QChart* Chart() const { return DBChart2; }

    // The left-axis title from the string table.
    void ApplyTexts();

    // Shows the time window [start, end] on the bottom axis and fits the left axis to the
    // points of every series on the chart.
    void ShowWindow(const QDateTime& start, const QDateTime& end);
    // The minute refresh: reloads every channel, in order, for [now - 1 day, now], reading the
    // moment again for each, then shows the last window. The first failing channel ends the
    // reload and its error is thrown on (after the window is shown for what was reloaded).
    void ReloadChannels(const std::vector<TKanal*>& channels,
                        const std::function<QDateTime()>& now = &QDateTime::currentDateTime);

    // A click on a point: the series' title, the point's time and value in a box.
    void DBChart2ClickSeries(QXYSeries* series, const QPointF& point);
    // A click on the legend: the titles of every series in one box.
    void DBChart2ClickLegend();
    // The print menu: printer set-up, then the chart on one page, then an empty chart title.
    void Izvestajsadiska1Click();
    // Prints the chart on one page of a set-up printer, with margins of 1 % of the page.
    void Print(QPrinter& printer);
    // Draws the chart into `target` of a painter as Print puts it on the page: laid out in the
    // target's proportions at its width on the screen, then scaled to fill the target.
    void Render(QPainter& painter, const QRectF& target);

    // The printer set-up; false when cancelled. Shows the printer dialog unless replaced.
    std::function<bool(QPrinter&)> PrinterSetup;

    // Texts of the two click boxes.
    static QString PointText(const QString& title, const QDateTime& time, double value);
    static QString LegendText(const QStringList& titles);

    // The window the bottom axis shows, and the value range of the left axis.
    QDateTime WindowStart() const { return windowStart_; }
    QDateTime WindowEnd() const { return windowEnd_; }

    QChart* DBChart2;
    QChartView* View;
    QCategoryAxis* AxisTime;  // bottom
    QValueAxis* AxisValue;    // left

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The series point within a few pixels of a place in the chart; false when none is.
    bool PointAt(const QPointF& chartPos, QXYSeries** series, QPointF* point) const;
    bool HandleClick(const QPointF& viewPos);
    void FitValues();
    void UpdateTimeAxis();
    void UpdateValueAxis();

    QDateTime windowStart_;
    QDateTime windowEnd_;
    bool haveValues_ = false;
    double minValue_ = 0;
    double maxValue_ = 0;
};

}  // namespace tarvo
