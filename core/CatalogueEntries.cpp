#include "core/CatalogueEntries.h"

#include <algorithm>
#include <stdexcept>

namespace kestrix {
namespace {

// The plain lower-case letter of each of Windows-1252's bytes C0..FF; 0 for
// the two signs among them (multiplication, division), which stay as they
// are. The ligatures (C6, DF, E6) are spelt out before this table is asked.
constexpr char kLatinFold[64 + 1] = "aaaaaaaceeeeiiii"
                                    "dnooooo\0ouuuuyts"
                                    "aaaaaaaceeeeiiii"
                                    "dnooooo\0ouuuuyty";

// Below this much unused text, reclaiming it is not worth a pass.
constexpr std::size_t kReclaimFloor = 64 * 1024;

void appendAlphabeticalKey(std::string& key, std::string_view name) {
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
}

std::string_view cut(std::string_view text) {
    return text.substr(0, CatalogueEntries::kLongestLine);
}

// A key's first eight bytes as one number that orders as the bytes do, so
// that most comparisons of a sort are one comparison of two numbers.
std::uint64_t keyPrefix(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

} // namespace

CatalogueEntries::CatalogueEntries(std::string variableCostMarker)
    : m_marker(std::move(variableCostMarker)) {}

CatalogueEntries::CatalogueEntries(const Catalogue& catalogue)
    : m_marker(catalogue.variableCostMarker()) {
    // The texts' size first: a buffer that grew by doubling could hold twice
    // what it needs at its peak.
    std::size_t textBytes = 0;
    for (int i = 0; i < catalogue.size(); ++i) {
        const std::string_view cost = catalogue.costText(i);
        textBytes += cut(catalogue.name(i)).size() + (cost == m_marker ? 0 : cut(cost).size());
    }
    m_text.reserve(textBytes);
    m_records.reserve(static_cast<std::size_t>(catalogue.size()));
    for (int i = 0; i < catalogue.size(); ++i) {
        const std::string_view name = catalogue.name(i);
        const std::string_view cost = catalogue.costText(i);
        m_cutLines += (name.size() > kLongestLine) + (cost.size() > kLongestLine);
        const bool variable = cost == m_marker;
        m_records.push_back(store(cut(name), variable ? std::string_view() : cut(cost), variable));
    }
}

const CatalogueEntries::Record& CatalogueEntries::record(int row) const {
    if (row < 0 || row >= size())
        throw std::out_of_range("catalogue row " + std::to_string(row));
    return m_records[static_cast<std::size_t>(row)];
}

std::string_view CatalogueEntries::name(int row) const {
    const Record& entry = record(row);
    return std::string_view(m_text).substr(entry.start, entry.nameLength);
}

std::string_view CatalogueEntries::cost(int row) const {
    const Record& entry = record(row);
    return std::string_view(m_text).substr(entry.start + entry.nameLength, entry.costLength);
}

bool CatalogueEntries::isVariable(int row) const {
    return record(row).variable;
}

std::string_view CatalogueEntries::fileCost(int row) const {
    return isVariable(row) ? std::string_view(m_marker) : cost(row);
}

CatalogueEntries::Record CatalogueEntries::store(std::string_view name, std::string_view cost,
                                                 bool variable) {
    Record entry;
    entry.start = static_cast<std::uint32_t>(m_text.size());
    entry.nameLength = static_cast<std::uint8_t>(name.size());
    entry.costLength = static_cast<std::uint8_t>(cost.size());
    entry.variable = variable;
    m_text.append(name);
    m_text.append(cost);
    return entry;
}

void CatalogueEntries::restore(int row, std::string_view name, std::string_view cost) {
    Record& entry = m_records[static_cast<std::size_t>(row)];
    m_unusedBytes += entry.nameLength + entry.costLength;
    // The texts may be views into m_text: copied before it grows.
    const std::string texts = std::string(name) + std::string(cost);
    entry = store(std::string_view(texts).substr(0, name.size()),
                  std::string_view(texts).substr(name.size()), entry.variable);
    reclaimIfWasteful();
}

void CatalogueEntries::setName(int row, std::string_view name) {
    restore(row, cut(name), cost(row));
}

void CatalogueEntries::setCost(int row, std::string_view cost) {
    if (record(row).variable || cost != m_marker) {
        restore(row, name(row), cut(cost));
        return;
    }
    m_records[static_cast<std::size_t>(row)].variable = true;
}

void CatalogueEntries::setVariable(int row, bool variable) {
    record(row);
    m_records[static_cast<std::size_t>(row)].variable = variable;
}

void CatalogueEntries::insert(int row, std::string_view name, std::string_view cost) {
    if (row < 0 || row > size())
        throw std::out_of_range("catalogue row " + std::to_string(row));
    if (size() >= Catalogue::kMaxEntries)
        throw std::length_error("catalogue full");
    const bool variable = cost == m_marker;
    const Record entry = store(cut(name), variable ? std::string_view() : cut(cost), variable);
    m_records.insert(m_records.begin() + row, entry);
}

void CatalogueEntries::remove(int row) {
    const Record& entry = record(row);
    m_unusedBytes += entry.nameLength + entry.costLength;
    m_records.erase(m_records.begin() + row);
    reclaimIfWasteful();
}

void CatalogueEntries::swap(int first, int second) {
    record(first);
    record(second);
    std::swap(m_records[static_cast<std::size_t>(first)],
              m_records[static_cast<std::size_t>(second)]);
}

std::vector<int> CatalogueEntries::sortAlphabetically() {
    struct Keyed {
        std::uint64_t prefix;
        std::uint32_t keyStart;
        std::uint32_t keyLength;
        std::uint32_t row;
    };
    // Every key in one buffer: one allocation for the whole list.
    std::string keys;
    keys.reserve(m_text.size() - m_unusedBytes);
    std::vector<Keyed> order;
    order.reserve(m_records.size());
    for (int row = 0; row < size(); ++row) {
        const std::size_t start = keys.size();
        appendAlphabeticalKey(keys, name(row));
        const std::string_view key = std::string_view(keys).substr(start);
        order.push_back({keyPrefix(key), static_cast<std::uint32_t>(start),
                         static_cast<std::uint32_t>(key.size()), static_cast<std::uint32_t>(row)});
    }
    const std::string_view allKeys(keys);
    // The row breaks ties, so the sort keeps the order of equal keys.
    std::sort(order.begin(), order.end(), [allKeys](const Keyed& a, const Keyed& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int byKey = allKeys.substr(a.keyStart, a.keyLength)
                              .compare(allKeys.substr(b.keyStart, b.keyLength));
        return byKey != 0 ? byKey < 0 : a.row < b.row;
    });
    std::vector<Record> sorted;
    sorted.reserve(m_records.size());
    std::vector<int> newRows(m_records.size());
    for (const Keyed& keyed : order) {
        newRows[keyed.row] = static_cast<int>(sorted.size());
        sorted.push_back(m_records[keyed.row]);
    }
    m_records = std::move(sorted);
    return newRows;
}

int CatalogueEntries::firstWithoutName() const {
    const auto found = std::find_if(m_records.begin(), m_records.end(),
                                    [](const Record& entry) { return entry.nameLength == 0; });
    return found == m_records.end() ? -1 : static_cast<int>(found - m_records.begin());
}

std::string CatalogueEntries::fileBytes() const {
    std::string bytes;
    bytes.reserve(m_text.size() - m_unusedBytes + m_records.size() * (4 + m_marker.size()));
    for (int row = 0; row < size(); ++row) {
        bytes += name(row);
        bytes += "\r\n";
        bytes += fileCost(row);
        bytes += "\r\n";
    }
    return bytes;
}

std::size_t CatalogueEntries::heldBytes() const {
    return sizeof(*this) + m_text.capacity() + m_records.capacity() * sizeof(Record) +
           m_marker.capacity();
}

void CatalogueEntries::reclaimIfWasteful() {
    if (m_unusedBytes < kReclaimFloor || m_unusedBytes < m_text.size() - m_unusedBytes)
        return;
    std::string text;
    text.reserve(m_text.size() - m_unusedBytes);
    for (Record& entry : m_records) {
        const std::size_t start = text.size();
        text.append(m_text, entry.start, entry.nameLength + entry.costLength);
        entry.start = static_cast<std::uint32_t>(start);
    }
    m_text = std::move(text);
    m_unusedBytes = 0;
}

std::string alphabeticalKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    appendAlphabeticalKey(key, name);
    return key;
}

} // namespace kestrix
