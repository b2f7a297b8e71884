#include "device/Operator.h"

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

}  // namespace

Operator& Op() { return *current; }

void SetOperator(Operator* op) { current = op ? op : &silent; }

}  // namespace tarvo
