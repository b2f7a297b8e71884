// A pair of arrow buttons holding a 16-bit position between a minimum and a maximum, as the
// parameter editor uses it: every arrow click or drag proposes a new position, which the
// editor accepts or corrects.
#pragma once

#include <QWidget>

class QToolButton;

namespace tarvo {

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    // Limits and position are kept inside -32768..32767.
    void SetRange(int minimum, int maximum);
    void SetPosition(int position);
    int Minimum() const { return min_; }
    int Maximum() const { return max_; }
    int Position() const { return pos_; }

    // One arrow click: proposes Position() +/- 1.
    void Step(int delta);

signals:
    // A new position was proposed (by an arrow or a drag); the receiver decides what it becomes.
    void Changing(int proposed);
    void DragStarted(int globalY);
    void DragMoved(int globalY);
    void DragFinished();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
};

// The 16-bit range every position of the editor must fit.
int ClampPosition(long long value);

}  // namespace tarvo
