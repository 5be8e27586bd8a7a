#include "core/CharacterSheet.h"

#include "core/Int32.h"
#include "core/LeadingNumber.h"

#include <cstdint>

namespace kestrix {
namespace {

template <typename Texts> std::int32_t sumOfValues(const Texts& texts) {
    std::int32_t sum = 0;
    for (const auto& text : texts)
        sum = wrappingAdd(sum, leadingNumberValue(text));
    return sum;
}

bool removeAt(std::vector<std::string>& lines, int index) {
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return false;
    lines.erase(lines.begin() + index);
    return true;
}

} // namespace

std::string CharacterSheet::itemLine(const std::string& cost, const std::string& name) {
    return cost + " " + name;
}

void CharacterSheet::setName(std::string text) {
    m_data.name = std::move(text);
    m_modified = true;
}

void CharacterSheet::setAttribute(Attribute which, std::string text) {
    m_data.attributes[static_cast<int>(which)] = std::move(text);
    m_modified = true;
    recomputeAttributes();
    recomputeGrand();
}

void CharacterSheet::setMagicPath(MagicPath which, std::string text) {
    m_data.magicPaths[static_cast<int>(which)] = std::move(text);
    m_modified = true;
    recomputeMagic();
    recomputeGrand();
}

void CharacterSheet::addAdvantage(const std::string& cost, const std::string& name) {
    m_data.advantages.push_back(itemLine(cost, name));
    recomputeAdvantages();
    recomputeGrand();
}

void CharacterSheet::addDisadvantage(const std::string& cost, const std::string& name) {
    m_data.disadvantages.push_back(itemLine(cost, name));
    recomputeDisadvantages();
    recomputeGrand();
}

void CharacterSheet::removeAdvantage(int index) {
    m_modified = true;
    removeAt(m_data.advantages, index);
    recomputeAdvantages();
    recomputeGrand();
}

void CharacterSheet::removeDisadvantage(int index) {
    m_modified = true;
    removeAt(m_data.disadvantages, index);
    recomputeDisadvantages();
    recomputeGrand();
}

void CharacterSheet::setObservations(std::vector<std::string> lines) {
    m_data.observations = std::move(lines);
}

void CharacterSheet::setPicturePath(std::string path) {
    m_data.picturePath = std::move(path);
}

void CharacterSheet::replaceData(CharacterData data) {
    m_data = std::move(data);
    recomputeAll();
}

void CharacterSheet::recomputeAll() {
    recomputeAttributes();
    recomputeAdvantages();
    recomputeDisadvantages();
    recomputeMagic();
    recomputeGrand();
}

void CharacterSheet::recomputeAttributes() {
    m_totals.attributes = sumOfValues(m_data.attributes);
}
void CharacterSheet::recomputeAdvantages() {
    m_totals.advantages = sumOfValues(m_data.advantages);
}
void CharacterSheet::recomputeDisadvantages() {
    m_totals.disadvantages = sumOfValues(m_data.disadvantages);
}
void CharacterSheet::recomputeMagic() {
    m_totals.magic = sumOfValues(m_data.magicPaths);
}

void CharacterSheet::recomputeGrand() {
    const std::int32_t gains = wrappingAdd(m_totals.attributes, m_totals.advantages);
    m_totals.grand = wrappingSubtract(wrappingAdd(gains, m_totals.magic), m_totals.disadvantages);
}

} // namespace kestrix
