#include "app/PointSeries.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QGraphicsObject>
#include <QLegend>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace tarvo {

namespace {

// A dot covering more device pixels than this across is drawn round (a printout); smaller ones
// are filled squares of whole pixels, which is what a circle that small is on a screen, and
// fast enough for hundreds of thousands of dots.
constexpr double kRoundAbovePx = 3;

bool ByX(const QPointF& a, const QPointF& b) { return a.x() < b.x(); }

}  // namespace

// Paints every point of its series over the chart's plot area.
class TPointSeries::Dots : public QGraphicsObject {
public:
    Dots(TPointSeries* series, QChart* chart) : QGraphicsObject(chart), series_(series), chart_(chart)
    {
        setFlag(ItemUsesExtendedStyleOption);  // for the exposed rectangle
        // Above the grid, the axes and the series' own (empty) item; below the legend.
        setZValue(chart->legend()->zValue() - 0.5);
        setVisible(series->isVisible());
        connect(series, &QAbstractSeries::visibleChanged, this, [this] { setVisible(series_->isVisible()); });
        connect(series, &QScatterSeries::colorChanged, this, [this] { update(); });
        connect(series, &QScatterSeries::markerSizeChanged, this, [this] { update(); });
        connect(chart, &QChart::plotAreaChanged, this, [this] { prepareGeometryChange(); });
        for (QAbstractAxis* axis : series->attachedAxes()) {
            if (auto* values = qobject_cast<QValueAxis*>(axis))
                connect(values, &QValueAxis::rangeChanged, this, [this] { update(); });
            else if (auto* times = qobject_cast<QDateTimeAxis*>(axis))
                connect(times, &QDateTimeAxis::rangeChanged, this, [this] { update(); });
            connect(axis, &QAbstractAxis::reverseChanged, this, [this] { update(); });
        }
    }

    QRectF boundingRect() const override { return chart_->plotArea(); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override
    {
        if (!series_ || series_->chart() != chart_)
            return;  // taken off the chart
        const QList<QPointF>& points = series_->Points();
        const QRectF area = chart_->plotArea() & option->exposedRect;
        if (points.isEmpty() || area.isEmpty())
            return;
        const double size = series_->markerSize();
        const auto [first, last] = Within(points, area.adjusted(-size, 0, size, 0));
        const QColor colour = series_->color();
        const bool round = painter->transform().mapRect(QRectF(0, 0, size, size)).width() > kRoundAbovePx;

        painter->save();
        painter->setClipRect(area, Qt::IntersectClip);  // dots stay inside the plot
        painter->setRenderHint(QPainter::Antialiasing, round);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        for (auto it = first; it != last; ++it) {
            const QPointF centre = chart_->mapToPosition(*it, series_);
            if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()))
                continue;
            const QRectF dot(centre.x() - size / 2, centre.y() - size / 2, size, size);
            if (round)
                painter->drawEllipse(dot);
            else
                painter->fillRect(dot, colour);
        }
        painter->restore();
    }

private:
    // The run of points whose x falls within the horizontal extent of `rect`.
    std::pair<QList<QPointF>::const_iterator, QList<QPointF>::const_iterator> Within(const QList<QPointF>& points,
                                                                                     const QRectF& rect) const
    {
        double lo = chart_->mapToValue(rect.topLeft(), series_).x();
        double hi = chart_->mapToValue(rect.topRight(), series_).x();
        if (lo > hi)
            std::swap(lo, hi);  // a reversed axis
        const auto first = std::lower_bound(points.cbegin(), points.cend(), QPointF(lo, 0), ByX);
        return {first, std::upper_bound(first, points.cend(), QPointF(hi, 0), ByX)};
    }

    QPointer<TPointSeries> series_;  // deletes this item when it goes
    QChart* chart_;                  // the parent item
};

TPointSeries::TPointSeries(QObject* parent) : QScatterSeries(parent) {}

TPointSeries::~TPointSeries() { delete dots_.data(); }

void TPointSeries::AddTo(QChart* chart)
{
    chart->addSeries(this);
    for (QAbstractAxis* axis : chart->axes())
        attachAxis(axis);
    delete dots_.data();
    dots_ = new Dots(this, chart);
}

void TPointSeries::SetPoints(QList<QPointF> points)
{
    if (!std::is_sorted(points.cbegin(), points.cend(), ByX))
        std::stable_sort(points.begin(), points.end(), ByX);
    points_ = std::move(points);
    if (dots_)
        dots_->update();
}

QList<QPointF> TPointSeries::PointsOf(const QXYSeries* series)
{
    if (const auto* own = qobject_cast<const TPointSeries*>(series))
        return own->Points();
    return series->points();
}

}  // namespace tarvo
