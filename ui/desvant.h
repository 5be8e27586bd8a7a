#pragma once

#include "AddItemDialog.h"

namespace kestrix {

// Acquires a disadvantage from the disadvantage catalogue.
class TaddDV : public AddItemDialog {
    Q_OBJECT
public:
    explicit TaddDV(CharacterSheet& sheet);
};

} // namespace kestrix
