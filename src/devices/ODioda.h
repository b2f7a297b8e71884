// A round lamp on a controller front plate that shows one output or status bit.
#pragma once

#include <QColor>
#include <QWidget>

namespace tarvo {

class TOutDioda : public QWidget {
    Q_OBJECT
public:
    // Default look: 10 x 10, off maroon RGB(128,0,0), on red RGB(255,0,0).
    explicit TOutDioda(QWidget* owner);
    // Chosen look: a circle of size x size in the colours given.
    TOutDioda(QWidget* owner, const QColor& offColor, const QColor& onColor, int size);

    void SwitchOn() { Switch(true); }
    void SwitchOff() { Switch(false); }
    // Repaints only when the colour shown changes (callers switch every lamp on every tick).
    void Switch(bool on);

    bool IsOn() const { return on_; }
    QColor BrushColor() const { return brush_; }
    // The outline keeps the off colour whatever the lamp shows.
    QColor PenColor() const { return offColor_; }
    QColor OnColor() const { return onColor_; }
    QColor OffColor() const { return offColor_; }

    int RepaintRequests() const { return repaintRequests_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor offColor_;
    QColor onColor_;
    QColor brush_;
    bool on_ = false;
    int repaintRequests_ = 0;
};

}  // namespace tarvo
