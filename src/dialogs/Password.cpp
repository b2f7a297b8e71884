#include "dialogs/Password.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "device/Operator.h"
#include "dialogs/DialogParts.h"
#include "dialogs/RunModal.h"
#include "dialogs/Strings.h"

namespace tarvo {

TPasswordDlg::TPasswordDlg(const QString& currentPassword, QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel(this)),
      Password(new QLineEdit(this)),
      OKBtn(new QPushButton(this)),
      CancelBtn(new QPushButton(this)),
      current_(currentPassword)
{
    MaskWithStars(*Password);
    OKBtn->setDefault(true);
    CancelBtn->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Password, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    FixClientArea(*this, {233, 93});

    connect(OKBtn, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPasswordDlg::CancelBtnClick);
    FormShow();
}

void TPasswordDlg::FormShow()
{
    setWindowTitle(Str(StrCaptionPas));
    Label1->setText(Str(StrLabUnesiSifru));
    OKBtn->setText(Str(StrBOKPas));
    CancelBtn->setText(Str(StrBCancPas));
}

void TPasswordDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TPasswordDlg::OKBtnClick()
{
    if (Password->text() == current_) {
        accept();
        return;
    }
    Op().Message(StrMsg(StrPogresnaSifra), {}, BoxIcon::Warning);
    Password->clear();
    Password->setFocus();
}

void TPasswordDlg::CancelBtnClick() { reject(); }

bool AskPassword(QWidget* parent, const QString& currentPassword)
{
    TPasswordDlg dialog(currentPassword, parent);
    return RunModal(dialog) == QDialog::Accepted;
}

}  // namespace tarvo
