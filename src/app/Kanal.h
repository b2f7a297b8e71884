// TKanal: one chart channel = one recorded value's stored query (SelectMerenja for the live
// chart, SelectArhivaMerenja for reports) and the point series that draws its rows on a chart.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <cstdint>

class QObject;
class QChart;

namespace tarvo {

class TConnection;
class TPointSeries;
class TStoredQuery;

class TKanal {
public:
    // Creates the query object ("ADOStoredProc" + prefix + valueId + "0") and the series
    // ("Series" + prefix + valueId) under `owner`, runs the query for [start, end] and puts the
    // series on `chart`. Throws (DbError or a std::runtime_error naming the clash) when a name
    // is already taken under the owner or the query fails; nothing is left behind then.
    TKanal(QObject* owner, const QString& prefix, const QColor& colour, const QString& title,
           const QDateTime& start, const QDateTime& end, int valueId, QChart* chart, const QString& queryName,
           TConnection& connection);
    // Frees the query object and the series; the series disappears from its chart.
    ~TKanal();
    TKanal(const TKanal&) = delete;
    TKanal& operator=(const TKanal&) = delete;

    // Runs the query again for a new window; the series takes the new rows.
    void Reload(const QDateTime& start, const QDateTime& end);

    int ValueId() const { return valueId_; }
    // Null once its owner (the query) or its chart (the series) has been destroyed. The
    // series' points are its Points(), not QXYSeries::points().
    TPointSeries* Series() const;
    TStoredQuery* Query() const;

    // Object names of a channel's query and series.
    static QString QueryName(const QString& prefix, int valueId);
    static QString SeriesName(const QString& prefix, int valueId);

private:
    QList<QPointF> ReadPoints() const;

    // Guarded: the owner may destroy the query, and the chart its series, before the channel.
    QPointer<TPointSeries> series_;
    int valueId_ = 0;
    QPointer<TStoredQuery> query_;
    QPointer<QChart> chart_;
};

// Exchanges bits 0-7 and 16-23 of a colour, keeping 8-15 (bits 24-31 end up clear): turns the
// 0xRRGGBB values of the colour table into the chart's 0xBBGGRR colours and back.
uint32_t SwapRedBlue(uint32_t colour);
// The chart colour (0xBBGGRR) as a QColor.
QColor ChartColor(uint32_t bgr);

// The charts' horizontal scale: milliseconds since the epoch of a day count (DayTime.h), and back.
double ChartTime(double days);
double ChartDays(double chartTime);

}  // namespace tarvo
