#include "devices/Display.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace tarvo {

namespace {

const QColor kRedBackground = BgrColor(0x000080);
const QColor kRedLit = BgrColor(0x0000FF);
const QColor kGreenBackground = BgrColor(0x008000);
const QColor kGreenLit = BgrColor(0x00FF00);

constexpr double kSlant = 0.07;  // forward lean of the seven-segment digits (x per y)

// One seven-segment digit laid out in a box, with its segments as polygons.
class SegmentDigit {
public:
    SegmentDigit(double left, double top, double width, double height, double thickness)
        : left_(left), top_(top), width_(width), height_(height), t_(thickness),
          gap_(std::max(0.4, thickness * 0.12))
    {
    }

    QPolygonF Segment(int index) const
    {
        const double xl = left_ + t_ / 2, xr = left_ + width_ - t_ / 2;
        const double ya = top_ + t_ / 2, yg = top_ + height_ / 2, yd = top_ + height_ - t_ / 2;
        switch (index) {
        case 0: return Horizontal(xl, xr, ya);
        case 1: return Vertical(xr, ya, yg);
        case 2: return Vertical(xr, yg, yd);
        case 3: return Horizontal(xl, xr, yd);
        case 4: return Vertical(xl, yg, yd);
        case 5: return Vertical(xl, ya, yg);
        default: return Horizontal(xl, xr, yg);
        }
    }

private:
    QPointF Lean(double x, double y) const { return {x + (top_ + height_ - y) * kSlant, y}; }

    QPolygonF Horizontal(double x0, double x1, double y) const
    {
        const double h = t_ / 2, a = x0 + gap_, b = x1 - gap_;
        return QPolygonF({Lean(a, y), Lean(a + h, y - h), Lean(b - h, y - h), Lean(b, y),
                          Lean(b - h, y + h), Lean(a + h, y + h)});
    }

    QPolygonF Vertical(double x, double y0, double y1) const
    {
        const double h = t_ / 2, a = y0 + gap_, b = y1 - gap_;
        return QPolygonF({Lean(x, a), Lean(x + h, a + h), Lean(x + h, b - h), Lean(x, b),
                          Lean(x - h, b - h), Lean(x - h, a + h)});
    }

    double left_, top_, width_, height_, t_, gap_;
};

void PaintSevenSegment(QPainter& p, const QRectF& area, const std::vector<DisplayCell>& cells,
                       const QColor& lit, const QColor& unlit, bool paintUnlit)
{
    const int n = static_cast<int>(cells.size());
    const double padX = std::max(2.0, area.width() * 0.03);
    const double padY = std::max(2.0, area.height() * 0.14);
    const double pitch = (area.width() - 2 * padX) / n;
    const double height = area.height() - 2 * padY;
    double width = std::min(pitch * 0.7, height * 0.56);
    const double t = std::max(1.2, std::min(width * 0.2, height * 0.11));
    const double pointGap = t * 0.45, pointSize = t * 1.15;
    width = std::min(width, pitch * 0.92 - pointGap - pointSize - height * kSlant / 2);
    const double content = width + pointGap + pointSize;
    const double top = area.top() + padY;

    for (int i = 0; i < n; ++i) {
        const double left = area.left() + padX + i * pitch + (pitch - content) / 2
                            - height * kSlant / 2;
        const SegmentDigit digit(left, top, width, height, t);
        const uint8_t on = SegmentPattern(cells[i].ch);
        for (int s = 0; s < 7; ++s) {
            const bool isLit = on & (1u << s);
            if (!isLit && !paintUnlit)
                continue;
            p.setBrush(isLit ? lit : unlit);
            p.drawPolygon(digit.Segment(s));
        }
        if (cells[i].point || paintUnlit) {
            p.setBrush(cells[i].point ? lit : unlit);
            p.drawEllipse(QRectF(left + width + pointGap, top + height - pointSize, pointSize,
                                 pointSize));
        }
    }
}

void PaintDotMatrix(QPainter& p, const QRectF& area, const std::vector<DisplayCell>& cells,
                    const QColor& lit, const QColor& unlit, bool paintUnlit)
{
    const int n = static_cast<int>(cells.size());
    const double padX = std::max(2.0, area.width() * 0.02);
    const double padY = std::max(2.0, area.height() * 0.1);
    const double pitch = (area.width() - 2 * padX) / n;
    const double dot = std::min(pitch / 5.6, (area.height() - 2 * padY) / 7.0);
    const double radius = dot * 0.45;
    const double top = area.top() + (area.height() - 7 * dot) / 2;

    for (int i = 0; i < n; ++i) {
        const double left = area.left() + padX + i * pitch + (pitch - 5 * dot) / 2;
        const uint8_t* glyph = MatrixGlyph(cells[i].ch);
        for (int col = 0; col < 5; ++col) {
            for (int row = 0; row < 7; ++row) {
                const bool isLit = glyph[col] & (1u << row);
                if (!isLit && !paintUnlit)
                    continue;
                p.setBrush(isLit ? lit : unlit);
                p.drawEllipse(QPointF(left + (col + 0.5) * dot, top + (row + 0.5) * dot), radius,
                              radius);
            }
        }
    }
}

}  // namespace

TDisplay::TDisplay(QWidget* owner) : TDisplay(owner, false, 4)
{
    resize(129, 41);
}

TDisplay::TDisplay(QWidget* owner, bool greenScheme, int digitCount) : QWidget(owner)
{
    digits_ = std::max(1, digitCount);
    SetGreenScheme(greenScheme);
    Relayout();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDisplay::SetDigitCount(int count)
{
    count = std::max(1, count);
    if (count == digits_)
        return;
    digits_ = count;
    Relayout();
    Repaint();
}

void TDisplay::SetKind(IndicatorKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    Relayout();
    Repaint();
}

void TDisplay::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    Relayout();
    Repaint();
}

void TDisplay::SetGreenScheme(bool green)
{
    if (green)
        SetColors(kGreenBackground, kGreenLit, kGreenBackground);
    else
        SetColors(kRedBackground, kRedLit, kRedBackground);
}

void TDisplay::SetColors(const QColor& background, const QColor& lit, const QColor& unlit)
{
    if (background == background_ && lit == lit_ && unlit == unlit_)
        return;
    background_ = background;
    lit_ = lit;
    unlit_ = unlit;
    Repaint();
}

void TDisplay::SetHint(const std::string& hint)
{
    const QString text = QString::fromStdString(hint);
    if (text != toolTip())
        setToolTip(text);
}

void TDisplay::Relayout()
{
    cells_ = LayoutCells(text_, digits_, kind_);
}

void TDisplay::Repaint()
{
    ++repaintRequests_;
    update();
}

void TDisplay::paintEvent(QPaintEvent*)
{
    ++paintCount_;
    QPainter p(this);
    p.fillRect(rect(), background_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // Unlit segments the colour of the ground would be invisible; skip drawing them.
    const bool paintUnlit = unlit_ != background_;
    if (kind_ == IndicatorKind::DotMatrix)
        PaintDotMatrix(p, QRectF(rect()), cells_, lit_, unlit_, paintUnlit);
    else
        PaintSevenSegment(p, QRectF(rect()), cells_, lit_, unlit_, paintUnlit);
}

void TDisplay::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (!rect().contains(event->position().toPoint()))
        return;
    emit clicked();
    if (onMouseUp_) {
        const auto handler = onMouseUp_;  // the handler may replace itself
        handler();
    }
}

}  // namespace tarvo
