#pragma once

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
    // UTF-8 and held as Windows-1252, like every other text.
    void assign(std::string fileBytes);
    // Whether the last assign took its bytes as UTF-8.
    bool readAsUtf8() const { return m_readAsUtf8; }

private:
    std::size_t entryStart(int index) const;

    std::string m_marker;
    std::string m_text;
    // Where each entry's name line starts; its cost line follows it. Four
    // bytes each: a catalogue file is far smaller than 4 GB.
    std::vector<std::uint32_t> m_entryStarts;
    bool m_readAsUtf8 = false;
};

// Fills a catalogue from a copy of a catalogue file's bytes (see
// Catalogue::assign, which takes them without a copy).
void parseCatalogue(std::string_view fileBytes, Catalogue& catalogue);

} // namespace kestrix
