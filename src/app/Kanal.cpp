#include "app/Kanal.h"

#include <QChart>
#include <QList>
#include <QPointF>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "app/PointSeries.h"
#include "db/DayTime.h"
#include "db/StoredQuery.h"

namespace tarvo {

namespace {

const QString kVreme = QStringLiteral("Vreme");
const QString kVrednost = QStringLiteral("Vrednost");

// Object names compare without regard to case, so "adostoredprocdnevni50" clashes with
// "ADOStoredProcDnevni50".
bool NameTaken(const QObject* owner, const QString& name)
{
    for (const QObject* child : owner->children()) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

[[noreturn]] void NameClash(const QString& name)
{
    throw std::runtime_error(QStringLiteral("the name %1 is already taken").arg(name).toStdString());
}

// ChartTime for a run of rows. Asking the local clock about every row costs more than the
// query; its offset from UTC changes only on whole quarter hours of wall time, so it is
// asked once per quarter hour that the rows touch.
class ChartTimes {
public:
    double operator()(double days)
    {
        const double ms = std::round(days * kMsPerDay);
        const double block = std::floor(ms / kBlockMs);
        if (block != block_) {
            block_ = block;
            const double start = block * kBlockMs;
            offset_ = ChartTime(start / kMsPerDay) - start;
        }
        return ms + offset_;
    }

private:
    static constexpr double kMsPerDay = 86400000.0;
    static constexpr double kBlockMs = 15 * 60000.0;
    double block_ = std::nan("");
    double offset_ = 0;
};

}  // namespace

TKanal::TKanal(QObject* owner, const QString& prefix, const QColor& colour, const QString& title,
               const QDateTime& start, const QDateTime& end, int valueId, QChart* chart, const QString& queryName,
               TConnection& connection)
    : valueId_(valueId), chart_(chart)
{
    if (!owner || !chart)
        throw std::invalid_argument("a chart channel needs an owner and a chart");
    const QString queryObject = QueryName(prefix, valueId);
    const QString seriesObject = SeriesName(prefix, valueId);
    // The query stays the owner's child for the channel's life, so its name marks the pair
    // taken; the series belongs to the chart once added.
    if (NameTaken(owner, queryObject))
        NameClash(queryObject);
    if (NameTaken(owner, seriesObject))
        NameClash(seriesObject);

    // Until the rows are read, a failure must leave nothing under the owner.
    auto query = std::make_unique<TStoredQuery>(connection, queryObject, queryName);
    query->SetParam(QStringLiteral("id_value"), valueId);
    query->SetParam(QStringLiteral("start"), start);
    query->SetParam(QStringLiteral("end"), end);
    query->Open();
    query_ = query.get();
    const QList<QPointF> points = ReadPoints();
    query.release()->setParent(owner);

    series_ = new TPointSeries;
    series_->setObjectName(seriesObject);
    series_->setName(title);
    series_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series_->setMarkerSize(2);
    series_->setColor(colour);
    series_->setBorderColor(colour);
    series_->setPen(Qt::NoPen);
    series_->setPointLabelsVisible(false);
    series_->AddTo(chart);  // on every axis of the chart, which owns the series from here on
    series_->SetPoints(points);
}

TKanal::~TKanal()
{
    if (series_) {
        if (chart_)
            chart_->removeSeries(series_);  // hands the series back, to be deleted here
        delete series_.data();
    }
    delete query_.data();
}

TPointSeries* TKanal::Series() const { return series_.data(); }

TStoredQuery* TKanal::Query() const { return query_.data(); }

QString TKanal::QueryName(const QString& prefix, int valueId)
{
    return QStringLiteral("ADOStoredProc") + prefix + QString::number(valueId) + QLatin1Char('0');
}

QString TKanal::SeriesName(const QString& prefix, int valueId)
{
    return QStringLiteral("Series") + prefix + QString::number(valueId);
}

void TKanal::Reload(const QDateTime& start, const QDateTime& end)
{
    if (!query_)
        throw std::logic_error("the channel's query no longer exists");
    query_->Close();
    query_->SetParam(QStringLiteral("id_value"), valueId_);
    query_->SetParam(QStringLiteral("start"), start);
    query_->SetParam(QStringLiteral("end"), end);
    query_->Open();
    const QList<QPointF> points = ReadPoints();
    if (series_)
        series_->SetPoints(points);
}

// The query's rows as points, x the time of Vreme and y Vrednost. Rows without a value draw no
// point. The series keeps them in time order.
QList<QPointF> TKanal::ReadPoints() const
{
    TStoredQuery& q = *query_;
    ChartTimes times;
    QList<QPointF> points;
    points.reserve(q.RecordCount());
    for (q.First(); !q.Eof(); q.Next()) {
        const QVariant value = q.Field(kVrednost);
        if (value.isNull())
            continue;
        points.append(QPointF(times(q.AsFloat(kVreme)), value.toDouble()));
    }
    return points;
}

uint32_t SwapRedBlue(uint32_t colour)
{
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

double ChartTime(double days) { return double(DateTimeFromDays(days).toMSecsSinceEpoch()); }

double ChartDays(double chartTime)
{
    return DaysFromDateTime(QDateTime::fromMSecsSinceEpoch(std::llround(chartTime)));
}

QColor ChartColor(uint32_t bgr) { return QColor(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu)); }

}  // namespace tarvo
