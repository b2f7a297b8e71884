#include "dialogs/ChangePas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Settings.h"
#include "device/Operator.h"
#include "dialogs/DialogParts.h"
#include "dialogs/Password.h"
#include "dialogs/RunModal.h"
#include "dialogs/Strings.h"

namespace tarvo {

TChangePassword::TChangePassword(QWidget* parent)
    : QDialog(parent),
      Labela1(new QLabel(this)),
      Label1(new QLabel(this)),
      New(new QLineEdit(this)),
      Confirm(new QLineEdit(this)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this))
{
    for (QLineEdit* edit : {New, Confirm}) {
        MaskWithStars(*edit);
        edit->setMaxLength(kMaxLength);
    }
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Labela1, 0, 0);
    layout->addWidget(New, 0, 1);
    layout->addWidget(Label1, 1, 0);
    layout->addWidget(Confirm, 1, 1);
    layout->setRowStretch(2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    resize(303, 154);

    connect(Button1, &QPushButton::clicked, this, &TChangePassword::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TChangePassword::FormShow()
{
    setWindowTitle(Str(StrPromSifre));
    Labela1->setText(Str(StrNovaSifra));
    Label1->setText(Str(StrPotvrdiSifru));
    Button1->setText(Str(StrButtonOK));
    Button2->setText(Str(StrButtonCancel));
}

void TChangePassword::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TChangePassword::Button1Click()
{
    if (!New->text().isEmpty() && New->text() == Confirm->text()) {
        newPassword_ = New->text();
        accept();
        return;
    }
    New->clear();
    Confirm->clear();
    New->setFocus();
}

bool ChangePasswordFlow(QWidget* parent, Settings& settings)
{
    if (!AskPassword(parent, settings.password))
        return false;
    TChangePassword dialog(parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    const QString old = settings.password;
    settings.password = dialog.NewPassword();
    if (settings.SavePassword())
        return true;
    settings.password = old;
    Op().Message(settings.ErrorText().toStdString(), {}, BoxIcon::Error);
    return false;
}

}  // namespace tarvo
