#include "app/TApplication.h"

#include <exception>

#include "device/Operator.h"

namespace tarvo {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ShowGeneralError(const std::string& text) { Op().Message(text, std::string(), BoxIcon::Error); }

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowGeneralError(e.what());
    } catch (...) {
        ShowGeneralError("Unknown error");
    }
    return false;
}

}  // namespace tarvo
