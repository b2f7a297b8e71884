// TPointSeries: a chart series that draws its points as dots of its colour and marker size
// through one graphics item. QScatterSeries makes a graphics item of about a kilobyte for every
// point, which a chart of hundreds of channels holding a day each cannot afford.
//
// It stays a QScatterSeries for everything the chart does with a series (legend entry, title,
// colour, axes, visibility), but keeps its points to itself: they are Points(), and
// QXYSeries::points() and count() stay empty. Axes must be linear (value, category or
// date-time axes).
#pragma once

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QScatterSeries>

class QChart;
class QXYSeries;

namespace tarvo {

class TPointSeries : public QScatterSeries {
    Q_OBJECT
public:
    explicit TPointSeries(QObject* parent = nullptr);
    // Takes its dots off the chart.
    ~TPointSeries() override;

    // Puts the series on `chart`, attached to every axis the chart has, and draws its points
    // there. The chart owns the series from then on.
    void AddTo(QChart* chart);

    // The points in ascending order of x; SetPoints sorts them (stably) when they are not.
    const QList<QPointF>& Points() const { return points_; }
    void SetPoints(QList<QPointF> points);

    // The points of any series of a chart: Points() of a TPointSeries, or the series' own.
    static QList<QPointF> PointsOf(const QXYSeries* series);

private:
    class Dots;
    QList<QPointF> points_;
    QPointer<Dots> dots_;  // a child item of the chart, which may delete it first
};

}  // namespace tarvo
