// The one way a modal message or question reaches the operator. The program installs the
// message-box implementation; tests install one that records the texts and returns scripted
// answers, so no test ever opens a real modal window.
#pragma once

#include <string>

namespace tarvo {

enum class BoxIcon { None, Information, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

class Operator {
public:
    virtual ~Operator() = default;
    // A message with an OK button. Texts are UTF-8; an empty caption means the program's title.
    virtual void Message(const std::string& text, const std::string& caption = {},
                         BoxIcon icon = BoxIcon::None) = 0;
    // OK/Cancel question: Answer::Ok or Answer::Cancel.
    virtual Answer AskOkCancel(const std::string& text, const std::string& caption = {},
                               BoxIcon icon = BoxIcon::Warning) = 0;
    // Yes/No/Cancel question: Answer::Yes, Answer::No or Answer::Cancel.
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption = {},
                                  BoxIcon icon = BoxIcon::Warning) = 0;
};

// The process-wide operator interface (never null: a silent one that answers Cancel is
// installed until the program or a test sets its own). A message raised inside a timer tick
// reaches the installed operator once the tick has finished, so that the timers go on while
// the box is open; questions are asked at once.
Operator& Op();
void SetOperator(Operator* op);

}  // namespace tarvo
