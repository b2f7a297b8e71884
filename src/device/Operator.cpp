#include "device/Operator.h"

#include <deque>

#include "device/TickGuard.h"

namespace tarvo {

namespace {

class SilentOperator : public Operator {
public:
    void Message(const std::string&, const std::string&, BoxIcon) override {}
    Answer AskOkCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
};

SilentOperator silent;
Operator* current = &silent;

// Stands in front of the installed operator. A message raised inside a timer tick is shown
// once the tick has finished: a box waiting inside the tick would hold every timer, and with
// them the bus and the measurement rows, until someone came to answer it. Such messages are
// shown one after the other, never stacked, and a message already waiting is not queued again
// (a failure repeated every minute while nobody is there gives one box, not hundreds).
// Questions need their answer where they are asked, so they still wait inside the tick.
class TickAwareOperator : public Operator {
public:
    void Message(const std::string& text, const std::string& caption, BoxIcon icon) override
    {
        if (!TickGuard::Busy()) {
            current->Message(text, caption, icon);
            return;
        }
        for (const Box& box : waiting_)
            if (box.text == text && box.caption == caption)
                return;
        waiting_.push_back({text, caption, icon});
        if (!scheduled_) {
            scheduled_ = true;
            TickGuard::AfterTick([this] { ShowWaiting(); });
        }
    }
    Answer AskOkCancel(const std::string& text, const std::string& caption, BoxIcon icon) override
    {
        return current->AskOkCancel(text, caption, icon);
    }
    Answer AskYesNoCancel(const std::string& text, const std::string& caption, BoxIcon icon) override
    {
        return current->AskYesNoCancel(text, caption, icon);
    }

private:
    struct Box {
        std::string text;
        std::string caption;
        BoxIcon icon;
    };

    // Ticks go on while a box is open; what they raise meanwhile joins the queue.
    void ShowWaiting()
    {
        while (!waiting_.empty()) {
            const Box box = waiting_.front();
            current->Message(box.text, box.caption, box.icon);
            waiting_.pop_front();  // only now, so that a repeat raised while it was open is dropped
        }
        scheduled_ = false;
    }

    std::deque<Box> waiting_;
    bool scheduled_ = false;
};

TickAwareOperator tickAware;

}  // namespace

Operator& Op() { return tickAware; }

void SetOperator(Operator* op) { current = op ? op : &silent; }

}  // namespace tarvo
