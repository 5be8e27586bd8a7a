#include "CatalogueEntries.h"

#include <algorithm>

namespace kestrix {
namespace {

// The plain lower-case letter of each of Windows-1252's bytes C0..FF; 0 for
// the two signs among them (multiplication, division), which stay as they
// are. The ligatures (C6, DF, E6) are spelt out before this table is asked.
constexpr char kLatinFold[64 + 1] = "aaaaaaaceeeeiiii"
                                    "dnooooo\0ouuuuyts"
                                    "aaaaaaaceeeeiiii"
                                    "dnooooo\0ouuuuyty";

} // namespace

std::vector<CatalogueEntry> catalogueEntries(const Catalogue& catalogue) {
    std::vector<CatalogueEntry> entries;
    entries.reserve(static_cast<std::size_t>(catalogue.size()));
    for (int i = 0; i < catalogue.size(); ++i)
        entries.push_back({std::string(catalogue.name(i)), std::string(catalogue.costText(i))});
    return entries;
}

std::string catalogueFileBytes(const std::vector<CatalogueEntry>& entries) {
    std::string bytes;
    for (const CatalogueEntry& entry : entries) {
        bytes += entry.name;
        bytes += "\r\n";
        bytes += entry.cost;
        bytes += "\r\n";
    }
    return bytes;
}

std::string alphabeticalKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 'A' && byte <= 'Z') {
            key += static_cast<char>(byte - 'A' + 'a');
        } else if (byte == 0xC6 || byte == 0xE6) {
            key += "ae";
        } else if (byte == 0x8C || byte == 0x9C) {
            key += "oe";
        } else if (byte == 0xDF) {
            key += "ss";
        } else if (byte == 0x8A || byte == 0x9A) {
            key += 's';
        } else if (byte == 0x8E || byte == 0x9E) {
            key += 'z';
        } else if (byte == 0x9F) {
            key += 'y';
        } else if (byte >= 0xC0 && kLatinFold[byte - 0xC0] != '\0') {
            key += kLatinFold[byte - 0xC0];
        } else {
            key += c;
        }
    }
    return key;
}

void sortAlphabetically(std::vector<CatalogueEntry>& entries) {
    std::vector<std::pair<std::string, CatalogueEntry>> keyed;
    keyed.reserve(entries.size());
    for (CatalogueEntry& entry : entries)
        keyed.emplace_back(alphabeticalKey(entry.name), std::move(entry));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = std::move(keyed[i].second);
}

} // namespace kestrix
