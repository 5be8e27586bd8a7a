#pragma once

#include "Catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// One entry of a catalogue being edited: its name and its cost text, both
// Windows-1252 as the file holds them.
struct CatalogueEntry {
    std::string name;
    std::string cost;

    bool operator==(const CatalogueEntry& other) const {
        return name == other.name && cost == other.cost;
    }
};

std::vector<CatalogueEntry> catalogueEntries(const Catalogue& catalogue);

// The catalogue file for `entries`: a name line and a cost line per entry,
// each ending in CR LF, as every copy of the program reads it.
std::string catalogueFileBytes(const std::vector<CatalogueEntry>& entries);

// The key a Portuguese reader sorts a Windows-1252 name by: letters without
// their accents and case ("Água" between "Agilidade" and "Alerta"), other
// characters as they are.
std::string alphabeticalKey(std::string_view name);

// Sorts entries by their names' alphabetical keys; entries of equal keys
// keep their order.
void sortAlphabetically(std::vector<CatalogueEntry>& entries);

} // namespace kestrix
