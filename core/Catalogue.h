#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// One catalogue of things a character can acquire: parallel lists of names and
// cost texts, in file order, never sorted. Each catalogue knows the one cost
// text that marks a variable cost, shown to the user as "Var.".
class Catalogue {
public:
    static constexpr std::string_view kAdvantageMarker = "-1";
    static constexpr std::string_view kDisadvantageMarker = "--1";
    static constexpr std::string_view kVariableCostText = "Var.";

    explicit Catalogue(std::string variableCostMarker)
        : m_marker(std::move(variableCostMarker)) {}

    static Catalogue advantages() { return Catalogue(std::string(kAdvantageMarker)); }
    static Catalogue disadvantages() { return Catalogue(std::string(kDisadvantageMarker)); }

    int size() const { return static_cast<int>(m_names.size()); }
    bool empty() const { return m_names.empty(); }
    const std::string& name(int index) const { return m_names.at(index); }
    const std::string& costText(int index) const { return m_costs.at(index); }
    std::string shownCost(int index) const;
    const std::vector<std::string>& names() const { return m_names; }
    const std::vector<std::string>& costTexts() const { return m_costs; }
    const std::string& variableCostMarker() const { return m_marker; }

    // A name is appended as soon as it is read; its cost follows. Until then
    // the entry's cost text reads as empty.
    void appendName(std::string name);
    void setLastCost(std::string cost);
    void clear();

private:
    std::string m_marker;
    std::vector<std::string> m_names;
    std::vector<std::string> m_costs;
};

// Fills a catalogue from the bytes of a catalogue file: a name line, then a
// cost line, per entry. A line ends at CR LF, a lone CR or a lone LF; the
// first Ctrl-Z ends the file.
void parseCatalogue(std::string_view fileBytes, Catalogue& catalogue);

} // namespace kestrix
