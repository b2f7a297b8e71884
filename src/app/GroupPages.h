// The "Uredaji" page: one page per device group, chosen by tab buttons that wrap into as many
// rows as the window's width needs.
#pragma once

#include <QWidget>
#include <vector>

class QButtonGroup;
class QStackedWidget;
class QToolButton;

namespace tarvo {

class TGroupPages : public QWidget {
    Q_OBJECT
public:
    explicit TGroupPages(QWidget* parent = nullptr);

    // Adds a page with its tab button; the page is owned by this widget.
    QWidget* AddPage(const QString& name, const QString& caption);
    // Destroys a page and its button.
    void RemovePage(QWidget* page);
    int Count() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int i) const { return pages_[static_cast<size_t>(i)].page; }
    QString Caption(int i) const;
    void SetCurrent(int i);
    int Current() const;
    // Grows a page so that every panel placed on it can be scrolled to.
    static void FitPage(QWidget* page);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void LayoutButtons();

    struct Entry {
        QWidget* page;
        QToolButton* button;
    };
    std::vector<Entry> pages_;
    QWidget* bar_;
    QStackedWidget* stack_;
    QButtonGroup* buttons_;
};

}  // namespace tarvo
