#pragma once

#include "SavePromptDialog.h"

namespace kestrix {

// Asked before the program ends with unsaved changes.
class TfrmDialogSair : public SavePromptDialog {
    Q_OBJECT
public:
    explicit TfrmDialogSair(QWidget* parent = nullptr);
};

} // namespace kestrix
