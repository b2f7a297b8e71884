// The application object: an error that escapes an event handler is shown in the program's
// general error box and ends only the current event.
#pragma once

#include <QApplication>

namespace tarvo {

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the general error box for an error's text.
void ShowGeneralError(const std::string& text);

}  // namespace tarvo
