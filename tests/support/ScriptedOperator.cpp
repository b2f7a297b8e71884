#include "support/ScriptedOperator.h"

#include <algorithm>

namespace tarvo::test {

namespace {
ScriptedOperator* instance = nullptr;
}

ScriptedOperator::ScriptedOperator() { instance = this; }

ScriptedOperator::~ScriptedOperator()
{
    if (instance == this)
        instance = nullptr;
}

ScriptedOperator& ScriptedOperator::Instance() { return *instance; }

void ScriptedOperator::Message(const std::string& text, const std::string& caption, BoxIcon icon)
{
    boxes.push_back({"message", text, caption, icon});
}

Answer ScriptedOperator::AskOkCancel(const std::string& text, const std::string& caption, BoxIcon icon)
{
    boxes.push_back({"okcancel", text, caption, icon});
    if (answers.empty())
        return Answer::Cancel;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

Answer ScriptedOperator::AskYesNoCancel(const std::string& text, const std::string& caption, BoxIcon icon)
{
    boxes.push_back({"yesnocancel", text, caption, icon});
    if (answers.empty())
        return Answer::Cancel;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::vector<std::string> ScriptedOperator::Texts() const
{
    std::vector<std::string> out;
    for (const auto& b : boxes)
        out.push_back(b.text);
    return out;
}

bool ScriptedOperator::Saw(const std::string& text) const
{
    return std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return b.text == text; });
}

bool ScriptedOperator::Saw(const std::string& text, const std::string& caption) const
{
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const Box& b) { return b.text == text && b.caption == caption; });
}

}  // namespace tarvo::test
