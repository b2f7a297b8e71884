// Parts of the small fixed-size dialogs laid out by coordinates: the fixed client area centred
// on the screen, the framed bevel and the OK/Cancel pair.
#pragma once

#include <QRect>
#include <QSize>

class QDialog;
class QFrame;
class QLineEdit;
class QPushButton;

namespace tarvo {

// Fixes the dialog's client area to `client` and centres the dialog on the screen.
void FixClientArea(QDialog& dialog, QSize client);
// A sunken frame drawn around a group of controls.
QFrame* AddBevel(QDialog& dialog, QRect at);
// "OK" (the default button, accepts) and "Cancel" (Esc, rejects) at the places given.
void AddOkCancel(QDialog& dialog, QRect ok, QRect cancel, QPushButton** okBtn, QPushButton** cancelBtn);
// A password entry that shows every character as "*", whatever the style would draw.
void MaskWithStars(QLineEdit& edit);

}  // namespace tarvo
