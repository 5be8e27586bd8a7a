#pragma once

#include "core/Error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// One catalogue of things a character can acquire: parallel lists of names and
// cost texts, in file order, never sorted. Each catalogue knows the one cost
// text that marks a variable cost, shown to the user as "Var.".
//
// The catalogue keeps the file's text whole and only remembers where each
// entry starts: a catalogue of a hundred thousand entries then costs two
// allocations instead of two hundred thousand strings.
class Catalogue {
public:
    static constexpr std::string_view kAdvantageMarker = "-1";
    static constexpr std::string_view kDisadvantageMarker = "--1";
    static constexpr std::string_view kVariableCostText = "Var.";
    // The most entries a catalogue may have: the README's million, with no
    // room to spare. A file of empty lines within the size cap would
    // otherwise make tens of millions of rows for the windows to hold.
    static constexpr int kMaxEntries = 1'000'000;

    explicit Catalogue(std::string variableCostMarker) : m_marker(std::move(variableCostMarker)) {}

    static Catalogue advantages() { return Catalogue(std::string(kAdvantageMarker)); }
    static Catalogue disadvantages() { return Catalogue(std::string(kDisadvantageMarker)); }

    int size() const { return static_cast<int>(m_entryStarts.size()); }
    bool empty() const { return m_entryStarts.empty(); }
    // An index outside the catalogue throws std::out_of_range. The texts stay
    // valid until the catalogue is loaded again.
    std::string_view name(int index) const;
    // An entry whose name is the file's last line has an empty cost text.
    std::string_view costText(int index) const;
    std::string shownCost(int index) const;
    std::vector<std::string> names() const;
    std::vector<std::string> costTexts() const;
    const std::string& variableCostMarker() const { return m_marker; }

    // Replaces the entries with those of a catalogue file's bytes: a name
    // line, then a cost line, per entry. A line ends at CR LF, a lone CR or a
    // lone LF; the first Ctrl-Z ends the file. A file that is well-formed
    // UTF-8 with accents (written by a text editor of today) is taken as
    // UTF-8 and held as Windows-1252, like every other text. A file of more
    // than kMaxEntries entries is refused, and the catalogue keeps what it
    // held.
    Result assign(std::string fileBytes);
    // Whether the last assign took its bytes as UTF-8.
    bool readAsUtf8() const { return m_readAsUtf8; }
    // The characters of a UTF-8 file that Windows-1252 lacks, each held as
    // '?', and the file's line (counted from 1) that holds the first of them;
    // 0 and 0 when nothing was lost.
    int lostCharacters() const { return m_lostCharacters; }
    int firstLineWithLostCharacter() const { return m_firstLineWithLostCharacter; }

    // Whether a file that starts with these bytes could be a catalogue: text
    // with no control character other than the line ends, a tab, a form
    // feed and the Ctrl-Z that ends a file. A catalogue is written only over
    // such a file, never over a character, a picture or a PDF.
    static bool couldBeCatalogueFile(std::string_view head);

private:
    std::size_t entryStart(int index) const;

    std::string m_marker;
    std::string m_text;
    // Where each entry's name line starts; its cost line follows it. Four
    // bytes each: a catalogue file is far smaller than 4 GB.
    std::vector<std::uint32_t> m_entryStarts;
    bool m_readAsUtf8 = false;
    int m_lostCharacters = 0;
    int m_firstLineWithLostCharacter = 0;
};

// Fills a catalogue from a copy of a catalogue file's bytes (see
// Catalogue::assign, which takes them without a copy).
Result parseCatalogue(std::string_view fileBytes, Catalogue& catalogue);

} // namespace kestrix
