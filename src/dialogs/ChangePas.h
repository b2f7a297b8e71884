// The change-password dialog: takes a new password twice.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo {

class Settings;

class TChangePassword : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 20;

    explicit TChangePassword(QWidget* parent = nullptr);

    // Texts from the string table; runs on every show.
    void FormShow();
    // The accepted new password (empty until OK succeeded).
    QString NewPassword() const { return newPassword_; }

    QLabel* Labela1;
    QLabel* Label1;
    QLineEdit* New;
    QLineEdit* Confirm;
    QPushButton* Button1;
    QPushButton* Button2;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString newPassword_;
};

// The password change command: the password dialog, then the change dialog; on OK of both the
// new password is stored as "Password" and becomes the current one. False when cancelled or
// when it could not be stored (the old password then stays in force and the error is shown).
bool ChangePasswordFlow(QWidget* parent, Settings& settings);

}  // namespace tarvo
