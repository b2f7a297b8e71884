#include "devices/ODioda.h"

#include <QPainter>

#include <algorithm>

namespace tarvo {

TOutDioda::TOutDioda(QWidget* owner) : TOutDioda(owner, QColor(128, 0, 0), QColor(255, 0, 0), 10)
{
}

TOutDioda::TOutDioda(QWidget* owner, const QColor& offColor, const QColor& onColor, int size)
    : QWidget(owner), offColor_(offColor), onColor_(onColor), brush_(offColor)
{
    resize(size, size);
}

void TOutDioda::Switch(bool on)
{
    on_ = on;
    const QColor& color = on ? onColor_ : offColor_;
    if (color == brush_)
        return;
    brush_ = color;
    ++repaintRequests_;
    update();
}

void TOutDioda::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(offColor_, 1.0));
    p.setBrush(brush_);
    const double side = std::min(width(), height());
    p.drawEllipse(QRectF(0.5, 0.5, side - 1.0, side - 1.0));
}

}  // namespace tarvo
