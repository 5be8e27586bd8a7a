#pragma once

#include "ui/dialogs/AddItemDialog.h"

namespace kestrix {

// "Adicionar Desvantagem": acquires a disadvantage from the disadvantage
// catalogue.
class TaddDV : public AddItemDialog {
    Q_OBJECT
public:
    TaddDV();
};

} // namespace kestrix
