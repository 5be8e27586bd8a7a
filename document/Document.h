#pragma once

#include "Catalogue.h"
#include "CharacterFile.h"
#include "CharacterSheet.h"
#include "DataFolders.h"

namespace kestrix {

// Everything the editor holds for its whole run: the character being
// edited, its file state, the two catalogues and where the data files are.
struct Document {
    CharacterSheet sheet;
    CharacterFile file;
    Catalogue advantageCatalogue = Catalogue::advantages();
    Catalogue disadvantageCatalogue = Catalogue::disadvantages();
    DataFolders dataFolders;
};

} // namespace kestrix
