#pragma once

#include "core/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The entries of one catalogue as the catalogue editor changes them: names
// and costs, Windows-1252 as the file holds them, and for each entry whether
// its cost is variable.
//
// The texts of all entries share one buffer and each entry is a few bytes
// that say where its texts are, so a million entries cost what their text
// costs plus 8 bytes each, and moving, inserting or removing an entry moves
// 8 bytes a row, never a string. An edit appends the new texts; what the
// old ones took is reused once it outweighs the texts still in use.
//
// A variable entry keeps the cost typed before its box was ticked, so that
// unticking gives it back; its cost line in the file is the marker.
class CatalogueEntries {
public:
    // The most one line of an entry holds: a character's item line holds the
    // cost, a blank and the name in this many characters, so no more of a
    // name could ever reach a character.
    static constexpr std::size_t kLongestLine = 40;

    explicit CatalogueEntries(std::string variableCostMarker);
    // A catalogue's entries, each line cut to kLongestLine; an entry whose
    // cost is the marker is variable.
    explicit CatalogueEntries(const Catalogue& catalogue);

    int size() const { return static_cast<int>(m_records.size()); }
    bool empty() const { return m_records.empty(); }
    const std::string& variableCostMarker() const { return m_marker; }
    // How many lines were cut when the entries were taken from a catalogue.
    int cutLines() const { return m_cutLines; }

    // A row outside the list throws std::out_of_range. The texts stay valid
    // until the next change.
    std::string_view name(int row) const;
    // The typed cost, kept while the entry is variable.
    std::string_view cost(int row) const;
    bool isVariable(int row) const;
    // The cost line as the file holds it: the marker for a variable entry.
    std::string_view fileCost(int row) const;

    // Each text is cut to kLongestLine. A cost that is the marker makes the
    // entry variable, as the file would read it back.
    void setName(int row, std::string_view name);
    void setCost(int row, std::string_view cost);
    void setVariable(int row, bool variable);

    // Inserts an entry before `row` (size() appends). A list of
    // Catalogue::kMaxEntries entries takes no more: std::length_error.
    void insert(int row, std::string_view name, std::string_view cost);
    void remove(int row);
    void swap(int first, int second);
    // By the names' alphabetical keys; entries of equal keys keep their
    // order. Returns where each row went: the new row of each old one.
    std::vector<int> sortAlphabetically();

    // The first row with an empty name, or -1.
    int firstWithoutName() const;
    // The catalogue file: a name line and a cost line per entry, each ending
    // in CR LF, as every copy of the program reads it.
    std::string fileBytes() const;
    // What the list holds in memory, for checking that it stays in
    // proportion to the entries.
    std::size_t heldBytes() const;

private:
    // Where an entry's texts are in m_text: the name, then the cost.
    struct Record {
        std::uint32_t start = 0;
        std::uint8_t nameLength = 0;
        std::uint8_t costLength = 0;
        bool variable = false;
    };
    static_assert(kLongestLine <= UINT8_MAX, "a line's length fits a byte");

    const Record& record(int row) const;
    Record store(std::string_view name, std::string_view cost, bool variable);
    // Replaces a row's record with one of new texts.
    void restore(int row, std::string_view name, std::string_view cost);
    // Rewrites m_text with only the texts in use when the rest outweighs them.
    void reclaimIfWasteful();

    std::string m_marker;
    std::string m_text;
    std::size_t m_unusedBytes = 0;
    std::vector<Record> m_records;
    int m_cutLines = 0;
};

// The key a Portuguese reader sorts a Windows-1252 name by: letters without
// their accents and case ("Água" between "Agilidade" and "Alerta"), other
// characters as they are.
std::string alphabeticalKey(std::string_view name);

} // namespace kestrix
