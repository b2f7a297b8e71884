// The operator interface shown as QMessageBox boxes, over the active window.
#pragma once

#include "device/Operator.h"

namespace tarvo {

class MessageBoxOperator : public Operator {
public:
    void Message(const std::string& text, const std::string& caption, BoxIcon icon) override;
    Answer AskOkCancel(const std::string& text, const std::string& caption, BoxIcon icon) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption, BoxIcon icon) override;
};

}  // namespace tarvo
