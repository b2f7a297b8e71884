#include "app/MessageBoxOperator.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

namespace tarvo {

namespace {

QMessageBox::Icon ToIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Shows a modal box and returns the button pressed; Escape and the close button give the
// box's cancel button (or OK when there is only OK).
QMessageBox::StandardButton ShowHere(const std::string& text, const std::string& caption, BoxIcon icon,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton)
{
    const QString title = caption.empty() ? QGuiApplication::applicationDisplayName()
                                          : QString::fromStdString(caption);
    QMessageBox box(ToIcon(icon), title, QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return box.standardButton(box.clickedButton());
}

// Boxes belong to the user-interface thread; a call from another thread (the communication
// thread's error box) waits there until the operator has answered.
QMessageBox::StandardButton Show(const std::string& text, const std::string& caption, BoxIcon icon,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return ShowHere(text, caption, icon, buttons, defaultButton);
    QMessageBox::StandardButton result = QMessageBox::NoButton;
    QMetaObject::invokeMethod(
        app, [&] { result = ShowHere(text, caption, icon, buttons, defaultButton); },
        Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace

void MessageBoxOperator::Message(const std::string& text, const std::string& caption, BoxIcon icon)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        // From another thread a plain message is posted, not waited for: a thread that is
        // being stopped by the user-interface thread must never wait for it in turn.
        QMetaObject::invokeMethod(
            app, [text, caption, icon] { ShowHere(text, caption, icon, QMessageBox::Ok, QMessageBox::Ok); },
            Qt::QueuedConnection);
        return;
    }
    Show(text, caption, icon, QMessageBox::Ok, QMessageBox::Ok);
}

Answer MessageBoxOperator::AskOkCancel(const std::string& text, const std::string& caption,
                                       BoxIcon icon)
{
    const auto b = Show(text, caption, icon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return b == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

Answer MessageBoxOperator::AskYesNoCancel(const std::string& text, const std::string& caption,
                                          BoxIcon icon)
{
    const auto b = Show(text, caption, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QMessageBox::Yes);
    if (b == QMessageBox::Yes)
        return Answer::Yes;
    return b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

}  // namespace tarvo
