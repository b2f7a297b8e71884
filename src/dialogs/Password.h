// The password dialog: admits the operator only when the entry equals the current password.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo {

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(const QString& currentPassword, QWidget* parent = nullptr);

    // Texts from the string table; runs on every show.
    void FormShow();

    QLabel* Label1;
    QLineEdit* Password;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString current_;
};

// Shows the password dialog once; true when the operator entered the current password.
bool AskPassword(QWidget* parent, const QString& currentPassword);

}  // namespace tarvo
