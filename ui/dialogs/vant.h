#pragma once

#include "ui/dialogs/AddItemDialog.h"

namespace kestrix {

// "Adicionar Vantagem": acquires an advantage or skill from the advantage
// catalogue.
class Taddvant : public AddItemDialog {
    Q_OBJECT
public:
    Taddvant();
};

} // namespace kestrix
