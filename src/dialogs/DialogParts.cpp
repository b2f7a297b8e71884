#include "dialogs/DialogParts.h"

#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace tarvo {

void FixClientArea(QDialog& dialog, QSize client)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setFixedSize(client);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

QFrame* AddBevel(QDialog& dialog, QRect at)
{
    auto* bevel = new QFrame(&dialog);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(at);
    return bevel;
}

void AddOkCancel(QDialog& dialog, QRect ok, QRect cancel, QPushButton** okBtn, QPushButton** cancelBtn)
{
    auto* okButton = new QPushButton(QStringLiteral("OK"), &dialog);
    okButton->setGeometry(ok);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancelButton->setGeometry(cancel);
    cancelButton->setAutoDefault(false);
    QObject::connect(okButton, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, &dialog, &QDialog::reject);
    *okBtn = okButton;
    *cancelBtn = cancelButton;
}

void MaskWithStars(QLineEdit& edit)
{
    edit.setEchoMode(QLineEdit::Password);
    edit.setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

}  // namespace tarvo
