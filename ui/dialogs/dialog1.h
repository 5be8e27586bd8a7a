#pragma once

#include "ui/dialogs/SavePromptDialog.h"

namespace kestrix {

// The save prompt asked before New (and before Open) throws unsaved changes
// away.
class TfrmDialogNovo : public SavePromptDialog {
    Q_OBJECT
public:
    explicit TfrmDialogNovo(QWidget* parent = nullptr);
};

} // namespace kestrix
