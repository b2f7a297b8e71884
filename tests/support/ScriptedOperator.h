// An operator interface for tests: records every message and question, and answers questions
// from a script (default: Cancel for OK/Cancel, Cancel for Yes/No/Cancel).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "device/Operator.h"

namespace tarvo::test {

struct Box {
    std::string kind;  // "message", "okcancel", "yesnocancel"
    std::string text;
    std::string caption;
    BoxIcon icon;
};

class ScriptedOperator : public Operator {
public:
    ScriptedOperator();
    ~ScriptedOperator() override;

    void Message(const std::string& text, const std::string& caption, BoxIcon icon) override;
    Answer AskOkCancel(const std::string& text, const std::string& caption, BoxIcon icon) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption, BoxIcon icon) override;

    // Queue answers for the next questions, in order.
    void Script(Answer a) { answers.push_back(a); }
    void Clear() { boxes.clear(); answers.clear(); }
    // Texts of all boxes so far.
    std::vector<std::string> Texts() const;
    bool Saw(const std::string& text) const;
    bool Saw(const std::string& text, const std::string& caption) const;

    std::vector<Box> boxes;
    std::deque<Answer> answers;

    // The instance installed by the test main.
    static ScriptedOperator& Instance();
};

}  // namespace tarvo::test
