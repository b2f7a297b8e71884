#include "app/LiveChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLegend>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QXYSeries>
#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "db/DayTime.h"
#include "device/Operator.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

constexpr double kMinutesPerDay = 24.0 * 60.0;
// Steps between time labels, in minutes: never closer than five minutes.
constexpr double kTimeSteps[] = {5, 10, 15, 30, 60, 120, 180, 240, 360, 480, 720, 1440, 2 * 1440, 7 * 1440};
const QString kTimeFormat = QStringLiteral("h:mm dd/MM/yy");
constexpr double kLabelGapPx = 24;      // free space beside a time label
constexpr double kValueLabelPx = 50;    // least distance between value labels
constexpr double kClickRadiusPx = 4;    // how near a click must be to a point
constexpr double kEmptyMin = 0;         // value range of a chart without points
constexpr double kEmptyMax = 100;

// The value with one decimal after rounding to 7 significant digits; larger numbers in
// scientific notation.
QString OneDecimal(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (std::fabs(value) >= 1e7)
        return QString::number(value, 'E', 6);
    const double significant = QString::number(value, 'g', 7).toDouble();
    return QString::number(std::round(significant * 10.0) / 10.0, 'f', 1);
}

// The least step of 1, 2 or 5 times a power of ten (and at least 1) that covers [lo, hi] in
// at most `intervals` steps on multiples of itself.
double ValueStep(double lo, double hi, int intervals)
{
    double step = std::max(1.0, std::pow(10.0, std::floor(std::log10(std::max((hi - lo) / intervals, 1.0)))));
    for (int i = 0; i < 64; ++i) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double s = step * factor;
            if (std::ceil(hi / s) - std::floor(lo / s) <= intervals)
                return s;
        }
        step *= 10.0;
    }
    return step;
}

}  // namespace

TLiveChart::TLiveChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LiveChart"));
    DBChart2 = new QChart;
    DBChart2->setObjectName(QStringLiteral("DBChart2"));
    DBChart2->setBackgroundBrush(Qt::white);
    DBChart2->setBackgroundRoundness(0);
    DBChart2->setDropShadowEnabled(false);
    DBChart2->layout()->setContentsMargins(0, 0, 0, 0);  // white up to the view's edges
    QFont titleFont = DBChart2->titleFont();
    titleFont.setBold(true);
    DBChart2->setTitleFont(titleFont);
    DBChart2->setTitle(QString());
    DBChart2->legend()->setAlignment(Qt::AlignBottom);
    DBChart2->legend()->setVisible(true);

    AxisTime = new QCategoryAxis;
    AxisTime->setObjectName(QStringLiteral("BottomAxis"));
    AxisTime->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    AxisValue = new QValueAxis;
    AxisValue->setObjectName(QStringLiteral("LeftAxis"));
    AxisValue->setLineVisible(false);
    AxisValue->setMinorTickCount(2);
    AxisValue->setTickType(QValueAxis::TicksDynamic);
    AxisValue->setTickAnchor(0);
    AxisValue->setLabelFormat(QStringLiteral("%.0f"));
    DBChart2->addAxis(AxisTime, Qt::AlignBottom);
    DBChart2->addAxis(AxisValue, Qt::AlignLeft);

    View = new QChartView(DBChart2, this);
    View->setObjectName(QStringLiteral("DBChart2View"));
    View->setRenderHint(QPainter::Antialiasing);
    View->setFrameShape(QFrame::NoFrame);
    View->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);

    PrinterSetup = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    // Label spacing depends on the plot's size.
    connect(DBChart2, &QChart::plotAreaChanged, this, [this] {
        UpdateTimeAxis();
        UpdateValueAxis();
    });
    const QDateTime now = QDateTime::currentDateTime();
    ShowWindow(now.addDays(-1), now);
    ApplyTexts();
}

TLiveChart::~TLiveChart() = default;

void TLiveChart::ApplyTexts() { AxisValue->setTitleText(Str(StrDTemp)); }

void TLiveChart::ShowWindow(const QDateTime& start, const QDateTime& end)
{
    windowStart_ = start;
    windowEnd_ = end;
    FitValues();
    UpdateTimeAxis();
    UpdateValueAxis();
}

void TLiveChart::ReloadChannels(const std::vector<TKanal*>& channels, const std::function<QDateTime()>& now)
{
    QDateTime moment = now();
    std::exception_ptr error;
    for (size_t i = 0; i < channels.size(); ++i) {
        if (i > 0)
            moment = now();
        try {
            channels[i]->Reload(moment.addDays(-1), moment);
        } catch (...) {
            error = std::current_exception();
            break;
        }
    }
    ShowWindow(moment.addDays(-1), moment);
    if (error)
        std::rethrow_exception(error);
}

void TLiveChart::FitValues()
{
    haveValues_ = false;
    for (QAbstractSeries* abstract : DBChart2->series()) {
        auto* series = qobject_cast<QXYSeries*>(abstract);
        if (!series)
            continue;
        for (const QPointF& p : TPointSeries::PointsOf(series)) {
            if (!std::isfinite(p.y()))
                continue;
            if (!haveValues_) {
                minValue_ = maxValue_ = p.y();
                haveValues_ = true;
            }
            minValue_ = std::min(minValue_, p.y());
            maxValue_ = std::max(maxValue_, p.y());
        }
    }
}

// The bottom axis spans the window; its labels stand at round moments (multiples of the step
// from midnight) as close as the labels' width allows.
void TLiveChart::UpdateTimeAxis()
{
    double lo = DaysFromDateTime(windowStart_);
    double hi = DaysFromDateTime(windowEnd_);
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo < kTimeSteps[0] / kMinutesPerDay)
        hi = lo + kTimeSteps[0] / kMinutesPerDay;

    const QRectF plot = DBChart2->plotArea();
    const double width = plot.width() > 1 ? plot.width() : 600.0;
    const QFontMetricsF metrics(AxisTime->labelsFont());
    const double textWidth = metrics.horizontalAdvance(QStringLiteral("00:00 00/00/00"));
    const double labelWidth = textWidth + kLabelGapPx;
    // A label centred nearer the right end than half its width would be cut off.
    const double rightSpace = plot.width() > 1 ? DBChart2->size().width() - plot.right() : 0.0;
    const double lastLabel = ChartTime(lo) + (width + rightSpace - textWidth / 2) / width * (ChartTime(hi) - ChartTime(lo));
    const double intervals = std::max(1.0, std::floor(width / labelWidth));
    double step = kTimeSteps[std::size(kTimeSteps) - 1] / kMinutesPerDay;
    for (const double minutes : kTimeSteps) {
        if ((hi - lo) / (minutes / kMinutesPerDay) <= intervals) {
            step = minutes / kMinutesPerDay;
            break;
        }
    }
    while ((hi - lo) / step > intervals)
        step *= 2;

    for (const QString& label : AxisTime->categoriesLabels())
        AxisTime->remove(label);
    AxisTime->setRange(ChartTime(lo), ChartTime(hi));
    AxisTime->setStartValue(ChartTime(lo));
    // Whole minutes from the day's start, so that rounding never skips or doubles a label.
    const double stepMinutes = std::round(step * kMinutesPerDay);
    for (double m = std::ceil(lo * kMinutesPerDay / stepMinutes) * stepMinutes; m <= hi * kMinutesPerDay;
         m += stepMinutes) {
        const double days = m / kMinutesPerDay;
        if (ChartTime(days) > lastLabel)
            break;
        AxisTime->append(DateTimeFromDays(days).toString(kTimeFormat), ChartTime(days));
    }
}

// The left axis covers every point with a small margin, on whole multiples of a step of at
// least 1 whose labels stand at least 50 pixels apart.
void TLiveChart::UpdateValueAxis()
{
    double lo = kEmptyMin;
    double hi = kEmptyMax;
    if (haveValues_) {
        const double margin = std::max((maxValue_ - minValue_) * 0.05, 0.5);
        lo = minValue_ - margin;
        hi = maxValue_ + margin;
    }
    const double height = DBChart2->plotArea().height() > 1 ? DBChart2->plotArea().height() : 300.0;
    const int intervals = std::max(1, int(height / kValueLabelPx));
    const double step = ValueStep(lo, hi, intervals);
    AxisValue->setTickInterval(step);
    AxisValue->setRange(std::floor(lo / step) * step, std::ceil(hi / step) * step);
}

void TLiveChart::DBChart2ClickSeries(QXYSeries* series, const QPointF& point)
{
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(std::llround(point.x()));
    Op().Message(PointText(series->name(), time, point.y()).toStdString(), {}, BoxIcon::Information);
}

void TLiveChart::DBChart2ClickLegend()
{
    QStringList titles;
    for (const QAbstractSeries* series : DBChart2->series())
        titles << series->name();
    Op().Message(LegendText(titles).toStdString());
}

QString TLiveChart::PointText(const QString& title, const QDateTime& time, double value)
{
    return Str(StrParametar) + QStringLiteral(":\n") + title + QLatin1Char('\n') + Str(StrTacka) +
           QStringLiteral(": ") + time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" , ") +
           OneDecimal(value);
}

QString TLiveChart::LegendText(const QStringList& titles)
{
    return Str(StrSpisSvihPar) + titles.join(QStringLiteral(", "));
}

void TLiveChart::Izvestajsadiska1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!PrinterSetup || !PrinterSetup(printer))
        return;
    Print(printer);
    DBChart2->setTitle(QString());
}

void TLiveChart::Print(QPrinter& printer)
{
    QPageLayout page = printer.pageLayout();
    const QRectF paper = page.fullRect();
    const QMarginsF least = page.minimumMargins();
    const double across = paper.width() * 0.01;
    const double down = paper.height() * 0.01;
    page.setMargins(QMarginsF(std::max(across, least.left()), std::max(down, least.top()),
                              std::max(across, least.right()), std::max(down, least.bottom())));
    printer.setPageLayout(page);

    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("the printer cannot be started");
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    Render(painter, QRectF(0, 0, paint.width(), paint.height()));
    painter.end();
}

void TLiveChart::Render(QPainter& painter, const QRectF& target)
{
    // The chart is laid out once more in the target's proportions, at the width it has on the
    // screen, so that its texts keep their size relative to the plot; then it gets its own
    // size back.
    const QRectF onScreen = DBChart2->geometry();
    const double width = onScreen.width() >= 300 ? onScreen.width() : 900.0;
    const QSizeF size(width, width * target.height() / target.width());
    DBChart2->resize(size);
    if (DBChart2->layout())
        DBChart2->layout()->activate();
    View->scene()->render(&painter, target, QRectF(DBChart2->mapToScene(QPointF(0, 0)), size),
                          Qt::IgnoreAspectRatio);
    DBChart2->setGeometry(onScreen);
    if (DBChart2->layout())
        DBChart2->layout()->activate();
}

bool TLiveChart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == View->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && HandleClick(mouse->position()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TLiveChart::HandleClick(const QPointF& viewPos)
{
    const QPointF chartPos = DBChart2->mapFromScene(View->mapToScene(viewPos.toPoint()));
    if (DBChart2->legend()->isVisible() && DBChart2->legend()->geometry().contains(chartPos)) {
        DBChart2ClickLegend();
        return true;
    }
    QXYSeries* series = nullptr;
    QPointF point;
    if (!PointAt(chartPos, &series, &point))
        return false;
    DBChart2ClickSeries(series, point);
    return true;
}

// Points are in time order, so only those within the click radius in time are measured. The
// nearest wins; between equally near ones, the series drawn last (on top).
bool TLiveChart::PointAt(const QPointF& chartPos, QXYSeries** series, QPointF* point) const
{
    const QRectF plot = DBChart2->plotArea();
    if (!plot.adjusted(-kClickRadiusPx, -kClickRadiusPx, kClickRadiusPx, kClickRadiusPx).contains(chartPos))
        return false;
    const double span = AxisTime->max() - AxisTime->min();
    if (plot.width() <= 0 || span <= 0)
        return false;
    const double reach = kClickRadiusPx * span / plot.width();
    double best = kClickRadiusPx * kClickRadiusPx;
    bool found = false;
    for (QAbstractSeries* abstract : DBChart2->series()) {
        auto* xy = qobject_cast<QXYSeries*>(abstract);
        if (!xy || !xy->isVisible())
            continue;
        const double x = DBChart2->mapToValue(chartPos, xy).x();
        const QList<QPointF> points = TPointSeries::PointsOf(xy);
        auto it = std::lower_bound(points.cbegin(), points.cend(), x - reach,
                                   [](const QPointF& p, double v) { return p.x() < v; });
        for (; it != points.cend() && it->x() <= x + reach; ++it) {
            const QPointF d = DBChart2->mapToPosition(*it, xy) - chartPos;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= best) {
                best = distance;
                *series = xy;
                *point = *it;
                found = true;
            }
        }
    }
    return found;
}

}  // namespace tarvo
