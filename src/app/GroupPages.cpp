#include "app/GroupPages.h"

#include <QButtonGroup>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvo {

TGroupPages::TGroupPages(QWidget* parent)
    : QWidget(parent), bar_(new QWidget(this)), stack_(new QStackedWidget(this)), buttons_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(bar_);
    layout->addWidget(stack_, 1);
    buttons_->setExclusive(true);
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int id) { SetCurrent(id); });
    bar_->setFixedHeight(0);
}

QWidget* TGroupPages::AddPage(const QString& name, const QString& caption)
{
    // Panels sit at fixed places on a page; a scroll area keeps every one reachable.
    auto* scroll = new QScrollArea;
    auto* page = new QWidget;
    page->setObjectName(name);
    page->setMinimumSize(1, 1);
    scroll->setWidget(page);
    scroll->setWidgetResizable(false);
    stack_->addWidget(scroll);

    auto* button = new QToolButton(bar_);
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(false);
    buttons_->addButton(button, Count());
    pages_.push_back({page, button});
    if (Count() == 1)
        SetCurrent(0);
    LayoutButtons();
    button->show();
    return page;
}

void TGroupPages::RemovePage(QWidget* page)
{
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].page != page)
            continue;
        QWidget* scroll = stack_->widget(static_cast<int>(i));
        stack_->removeWidget(scroll);
        delete scroll;
        buttons_->removeButton(pages_[i].button);
        delete pages_[i].button;
        pages_.erase(pages_.begin() + static_cast<long>(i));
        for (size_t k = 0; k < pages_.size(); ++k)
            buttons_->setId(pages_[k].button, static_cast<int>(k));
        LayoutButtons();
        return;
    }
}

QString TGroupPages::Caption(int i) const { return pages_[static_cast<size_t>(i)].button->text(); }

void TGroupPages::SetCurrent(int i)
{
    if (i < 0 || i >= Count())
        return;
    stack_->setCurrentIndex(i);
    pages_[static_cast<size_t>(i)].button->setChecked(true);
}

int TGroupPages::Current() const { return stack_->currentIndex(); }

void TGroupPages::FitPage(QWidget* page)
{
    const QRect used = page->childrenRect();
    page->resize(std::max(1, used.right() + 1), std::max(1, used.bottom() + 1));
}

void TGroupPages::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    LayoutButtons();
}

void TGroupPages::LayoutButtons()
{
    const int width = std::max(1, this->width());
    int x = 0, y = 0, rowHeight = 0;
    for (const Entry& entry : pages_) {
        const QSize size = entry.button->sizeHint().expandedTo(QSize(80, 0));
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += rowHeight + 2;
            rowHeight = 0;
        }
        entry.button->setGeometry(x, y, size.width(), size.height());
        x += size.width() + 2;
        rowHeight = std::max(rowHeight, size.height());
    }
    bar_->setFixedHeight(pages_.empty() ? 0 : y + rowHeight);
}

}  // namespace tarvo
