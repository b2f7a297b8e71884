#include "device/UpDown.h"

#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

namespace tarvo {

int ClampPosition(long long value) { return static_cast<int>(std::clamp<long long>(value, -32768, 32767)); }

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    setCursor(Qt::SplitVCursor);
}

void TUpDown::SetRange(int minimum, int maximum)
{
    min_ = ClampPosition(minimum);
    max_ = std::max(min_, ClampPosition(maximum));
    pos_ = std::clamp(pos_, min_, max_);
}

void TUpDown::SetPosition(int position) { pos_ = std::clamp(ClampPosition(position), min_, max_); }

void TUpDown::Step(int delta) { emit Changing(pos_ + delta); }

void TUpDown::mousePressEvent(QMouseEvent* e)
{
    emit DragStarted(e->globalPosition().toPoint().y());
    QWidget::mousePressEvent(e);
}

void TUpDown::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() & Qt::LeftButton)
        emit DragMoved(e->globalPosition().toPoint().y());
    QWidget::mouseMoveEvent(e);
}

void TUpDown::mouseReleaseEvent(QMouseEvent* e)
{
    emit DragFinished();
    QWidget::mouseReleaseEvent(e);
}

void TUpDown::resizeEvent(QResizeEvent* e)
{
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
    QWidget::resizeEvent(e);
}

}  // namespace tarvo
