#pragma once

#include "core/CharacterData.h"
#include "core/Totals.h"

#include <string>
#include <vector>

namespace kestrix {

// The one character being edited: its texts, the five totals derived from
// them and the modified flag. Setters are what the window forwards edits to;
// they set the flag as users expect. replaceData() is what loading uses: it
// fills every field without touching the flag.
class CharacterSheet {
public:
    static constexpr int kMaxItems = 10;

    const CharacterData& data() const { return m_data; }
    const Totals& totals() const { return m_totals; }
    TotalsText totalsText() const { return totalsAsText(m_totals); }

    bool isModified() const { return m_modified; }
    void setModified() { m_modified = true; }
    void clearModified() { m_modified = false; }

    const std::string& name() const { return m_data.name; }
    const std::string& attribute(Attribute which) const { return m_data.attribute(which); }
    const std::string& magicPath(MagicPath which) const { return m_data.magicPath(which); }
    const std::vector<std::string>& advantages() const { return m_data.advantages; }
    const std::vector<std::string>& disadvantages() const { return m_data.disadvantages; }
    const std::vector<std::string>& observations() const { return m_data.observations; }
    const std::string& picturePath() const { return m_data.picturePath; }

    void setName(std::string text);
    void setAttribute(Attribute which, std::string text);
    void setMagicPath(MagicPath which, std::string text);
    void addAdvantage(const std::string& cost, const std::string& name);
    void addDisadvantage(const std::string& cost, const std::string& name);
    // An index outside the list removes nothing; the flag is set regardless,
    // since the user did ask for a removal.
    void removeAdvantage(int index);
    void removeDisadvantage(int index);
    void setObservations(std::vector<std::string> lines);
    void setPicturePath(std::string path);

    void replaceData(CharacterData data);
    void recomputeAll();

    static std::string itemLine(const std::string& cost, const std::string& name);

private:
    void recomputeAttributes();
    void recomputeAdvantages();
    void recomputeDisadvantages();
    void recomputeMagic();
    void recomputeGrand();

    CharacterData m_data;
    Totals m_totals;
    bool m_modified = false;
};

} // namespace kestrix
