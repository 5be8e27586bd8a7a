#pragma once

#include "Catalogue.h"
#include "CharacterFile.h"
#include "CharacterSheet.h"

namespace kestrix {

// Everything the editor holds for its whole run: the character being
// edited, its file state and the two catalogues.
struct Document {
    CharacterSheet sheet;
    CharacterFile file;
    Catalogue advantageCatalogue = Catalogue::advantages();
    Catalogue disadvantageCatalogue = Catalogue::disadvantages();
};

} // namespace kestrix
