#include "dialogs/RunModal.h"

#include <QDialog>

namespace tarvo {

namespace {
ModalRunner& Runner()
{
    static ModalRunner runner;
    return runner;
}
}  // namespace

int RunModal(QDialog& dialog) { return Runner() ? Runner()(dialog) : dialog.exec(); }

void SetModalRunner(ModalRunner runner) { Runner() = std::move(runner); }

}  // namespace tarvo
