// The one kind of error the data module raises: a text that names the problem, shown to the
// operator as it is.
#pragma once

#include <QString>
#include <stdexcept>

namespace tarvo {

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& Text() const { return text_; }

private:
    QString text_;
};

}  // namespace tarvo
