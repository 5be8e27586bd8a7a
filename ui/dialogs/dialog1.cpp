#include "ui/dialogs/dialog1.h"

namespace kestrix {

TfrmDialogNovo::TfrmDialogNovo(QWidget* parent) : SavePromptDialog(parent) {
    setObjectName("frmDialogNovo");
}

} // namespace kestrix
