// Every modal dialog of the program is run through RunModal, so tests can drive a dialog by
// hand instead of opening a real modal window.
#pragma once

#include <functional>

class QDialog;

namespace tarvo {

using ModalRunner = std::function<int(QDialog&)>;

// Runs the dialog modally (QDialog::exec unless a runner is installed) and returns its result.
int RunModal(QDialog& dialog);
// Installs a runner; an empty one restores QDialog::exec.
void SetModalRunner(ModalRunner runner);

}  // namespace tarvo
