#include "app/PanelDock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace tarvo {

namespace {
const char* const kFloatText = "Odvoji u prozor";
const char* const kDockText = "Vrati na stranu";
}  // namespace

TFloatingPanel::TFloatingPanel(QWidget* owner, const QString& title)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The window is as big as its panel, and follows it when the edit panel opens.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFloatingPanel::closeEvent(QCloseEvent* e)
{
    // Closing never destroys the panel: it goes back to its page.
    e->ignore();
    emit Closing();
}

TPanelDock::TPanelDock(QWidget* panel, QWidget* page, const QString& title, QMenu* menu)
    : QObject(panel), panel_(panel), page_(page), mainWindow_(page ? page->window() : nullptr),
      home_(panel->pos()), title_(title)
{
    panel_->installEventFilter(this);
    if (menu) {
        menu->addSeparator();
        item_ = menu->addAction(QString());
        connect(item_, &QAction::triggered, this, [this] {
            if (Floating())
                Dock();
            else
                Float(panel_->mapToGlobal(QPoint(0, 0)) + QPoint(20, 20));
        });
    }
    UpdateItem();
}

TPanelDock::~TPanelDock()
{
    // The dock goes with its panel; the empty tool window follows once the panel has left it.
    if (window_) {
        window_->hide();
        window_->deleteLater();
    }
}

void TPanelDock::Float(const QPoint& globalPos)
{
    if (window_)
        return;
    auto* window = new TFloatingPanel(mainWindow_, title_);
    window->layout()->addWidget(panel_);
    panel_->show();
    window->move(globalPos);
    window->show();
    window_ = window;
    connect(window, &TFloatingPanel::Closing, this, &TPanelDock::Dock);
    UpdateItem();
}

void TPanelDock::Dock()
{
    if (!window_)
        return;
    TFloatingPanel* window = window_;
    window_ = nullptr;
    panel_->setParent(page_);
    panel_->move(home_);
    panel_->show();
    window->hide();
    window->deleteLater();
    UpdateItem();
}

void TPanelDock::UpdateItem()
{
    if (item_)
        item_->setText(QString::fromUtf8(Floating() ? kDockText : kFloatText));
}

bool TPanelDock::OverMainWindow(const QPoint& globalPos) const
{
    return mainWindow_ && mainWindow_->isVisible() && mainWindow_->frameGeometry().contains(globalPos);
}

void TPanelDock::Drop(const QPoint& globalPos)
{
    const QPoint moved = globalPos - pressAt_;
    if (Floating()) {
        if (OverMainWindow(globalPos))
            Dock();
        else
            window_->move(window_->pos() + moved);
    } else if (!OverMainWindow(globalPos)) {
        // The panel keeps its place under the cursor.
        Float(panel_->mapToGlobal(QPoint(0, 0)) + moved);
    }
}

bool TPanelDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != panel_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            pressed_ = true;
            dragging_ = false;
            pressAt_ = e->globalPosition().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (pressed_ && !dragging_ &&
            (e->globalPosition().toPoint() - pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            QApplication::setOverrideCursor(Qt::ClosedHandCursor);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton || !pressed_)
            break;
        pressed_ = false;
        if (!dragging_)
            break;
        dragging_ = false;
        QApplication::restoreOverrideCursor();
        Drop(e->globalPosition().toPoint());
        return true;
    }
    default:
        break;
    }
    return false;
}

}  // namespace tarvo
