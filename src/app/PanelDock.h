// Lets a device panel leave its group page and come back. Dragging the panel with the left
// mouse button and letting go outside the main window floats it in a small tool window of its
// own at the drop point; dragging it from there back into the main window, closing the tool
// window, or the panel menu's item puts it back on its page at the place it had.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QAction;
class QMenu;

namespace tarvo {

// The tool window a floating panel lives in. Closing it docks the panel back.
class TFloatingPanel : public QWidget {
    Q_OBJECT
public:
    TFloatingPanel(QWidget* owner, const QString& title);

signals:
    void Closing();

protected:
    void closeEvent(QCloseEvent* e) override;
};

class TPanelDock : public QObject {
    Q_OBJECT
public:
    // `panel` sits on `page` at its current position; `title` captions the tool window;
    // `menu` (the panel's popup menu, may be null) gets the float/dock item.
    TPanelDock(QWidget* panel, QWidget* page, const QString& title, QMenu* menu);
    ~TPanelDock() override;

    bool Floating() const { return !window_.isNull(); }
    // Moves the panel into its tool window, the window's top left at `globalPos`.
    void Float(const QPoint& globalPos);
    // Back on the page at its place.
    void Dock();
    TFloatingPanel* Window() const { return window_; }
    QAction* Item() const { return item_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Drop(const QPoint& globalPos);
    bool OverMainWindow(const QPoint& globalPos) const;
    void UpdateItem();

    QWidget* panel_;
    QPointer<QWidget> page_;
    QPointer<QWidget> mainWindow_;
    QPoint home_;
    QString title_;
    QPointer<TFloatingPanel> window_;
    QAction* item_ = nullptr;
    QPoint pressAt_;
    bool pressed_ = false;
    bool dragging_ = false;
};

}  // namespace tarvo
