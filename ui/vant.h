#pragma once

#include "AddItemDialog.h"

namespace kestrix {

// Acquires an advantage or skill from the advantage catalogue.
class Taddvant : public AddItemDialog {
    Q_OBJECT
public:
    explicit Taddvant(CharacterSheet& sheet);
};

} // namespace kestrix
