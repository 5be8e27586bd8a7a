#pragma once

#include "core/Catalogue.h"
#include "core/CharacterSheet.h"
#include "document/DataFolders.h"
#include "storage/CharacterFile.h"

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
