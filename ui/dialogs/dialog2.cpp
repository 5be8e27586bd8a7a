#include "ui/dialogs/dialog2.h"

namespace kestrix {

TfrmDialogSair::TfrmDialogSair(QWidget* parent) : SavePromptDialog(parent) {
    setObjectName("frmDialogSair");
}

} // namespace kestrix
