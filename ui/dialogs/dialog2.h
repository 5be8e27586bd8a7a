#pragma once

#include "ui/dialogs/SavePromptDialog.h"

namespace kestrix {

// The save prompt asked before the program ends with unsaved changes.
class TfrmDialogSair : public SavePromptDialog {
    Q_OBJECT
public:
    explicit TfrmDialogSair(QWidget* parent = nullptr);
};

} // namespace kestrix
