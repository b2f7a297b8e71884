// TDBNavigator: the record navigator bar above a grid. Ten buttons in a fixed order: first,
// previous, next, last, add, delete, edit, apply, discard, refresh. The bar only reports which
// button was pressed; the grid it serves decides what that means and which buttons are live.
#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace tarvo {

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit TDBNavigator(QWidget* parent = nullptr);

    QToolButton* ButtonAt(Button b) const { return buttons_[b]; }
    // Hint (tool tip) of each button, in button order.
    void SetHints(const std::array<QString, ButtonCount>& hints);
    // Which buttons can be pressed; the bar as a whole is enabled and disabled with setEnabled.
    void SetButtonEnabled(Button b, bool enabled);
    // Presses a button as the operator would (nothing happens when it cannot be pressed).
    void Click(Button b);

signals:
    void Clicked(Button b);

private:
    std::array<QToolButton*, ButtonCount> buttons_{};
};

}  // namespace tarvo
