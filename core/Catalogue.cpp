#include "core/Catalogue.h"

#include "core/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace kestrix {
namespace {

constexpr char kCtrlZ = 26;

// The number of the first byte of `word`, as it lay in memory, whose flag
// bit (its high bit) is set in `flags`, which is not 0.
int firstFlaggedByte(std::uint64_t flags) {
#if defined(__GNUC__)
    return __builtin_ctzll(flags) / 8;
#else
    int byte = 0;
    while ((flags & 0x80) == 0) {
        flags >>= 8;
        ++byte;
    }
    return byte;
#endif
}

// Where the line starting at `pos` ends: at its CR or LF, or at the end of
// the text. Eight bytes are looked at together (a catalogue of a hundred
// thousand entries is some 400,000 lines): only a byte below 0x0E can be a
// CR or an LF, and one subtraction finds the first such byte of eight.
inline std::size_t lineEnd(const std::string& text, std::size_t pos) {
    const char* const bytes = text.data();
    const std::size_t size = text.size();
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (pos + sizeof(std::uint64_t) <= size) {
        std::uint64_t word;
        std::memcpy(&word, bytes + pos, sizeof word);
        // The high bit of each byte below 0x0E. A borrow can only flag bytes
        // after a byte that is below 0x0E, so the first flag is always right.
        const std::uint64_t below = (word - kEachByte * 0x0E) & ~word & kHighBits;
        if (below == 0) {
            pos += sizeof word;
            continue;
        }
        pos += static_cast<std::size_t>(firstFlaggedByte(below));
        if (bytes[pos] == '\r' || bytes[pos] == '\n')
            return pos;
        ++pos; // a tab or another control character
    }
#endif
    while (pos < size && bytes[pos] != '\r' && bytes[pos] != '\n')
        ++pos;
    return pos;
}

// Where the next line starts after a line ending at `end`: past its CR LF,
// lone CR or lone LF.
std::size_t nextLineStart(const std::string& text, std::size_t end) {
    if (end >= text.size())
        return text.size();
    const bool carriageReturn = text[end] == '\r';
    ++end;
    if (carriageReturn && end < text.size() && text[end] == '\n')
        ++end;
    return end;
}

// How many bytes the UTF-8 sequence that starts with `lead` takes.
std::size_t sequenceLength(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

struct Losses {
    int count = 0;
    int firstLine = 0;
};

// The characters of well-formed UTF-8 text that its Windows-1252 conversion
// turned into '?': each converted byte stands for one character of the
// original, so the two are walked side by side.
Losses charactersLost(std::string_view utf8, std::string_view converted) {
    Losses losses;
    int line = 1;
    std::size_t from = 0;
    for (std::size_t i = 0; i < converted.size() && from < utf8.size(); ++i) {
        const char c = converted[i];
        if (c == '?' && utf8[from] != '?') {
            if (losses.count++ == 0)
                losses.firstLine = line;
        }
        if (c == '\r' || (c == '\n' && (i == 0 || converted[i - 1] != '\r')))
            ++line;
        from += sequenceLength(static_cast<unsigned char>(utf8[from]));
    }
    return losses;
}

std::string withThousandsSeparators(int number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

// Where each entry of a catalogue's text starts: every other line, from the
// first; at most `limit` + 1 of them, so that a text of more entries than a
// catalogue may hold is known without listing them all. Made in one pass over the text, a line at a
// time, each line's end found as lineEnd() finds it (a catalogue of a hundred thousand entries is
// some 400,000 lines, so what is done per line counts).
std::vector<std::uint32_t> entryStartsOf(const std::string& text, std::size_t limit) {
    const std::size_t size = text.size();
    // A catalogue's text is at most a file's size, far below 4 GB; a larger
    // one is reported as running out of memory.
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    // Every entry takes at least two bytes (two line breaks), so this much
    // room always suffices: the list never grows by copying itself, and the
    // pages of the room left over are never touched, so they take no memory.
    std::vector<std::uint32_t> starts;
    starts.reserve(std::min(size / 2 + 1, limit + 1));
    bool nameLine = true;
    for (std::size_t pos = 0; pos < size; nameLine = !nameLine) {
        if (nameLine) {
            if (starts.size() > limit)
                break;
            starts.push_back(static_cast<std::uint32_t>(pos));
        }
        pos = nextLineStart(text, lineEnd(text, pos));
    }
    return starts;
}

} // namespace

std::size_t Catalogue::entryStart(int index) const {
    if (index < 0 || index >= size())
        throw std::out_of_range("catalogue entry " + std::to_string(index));
    return m_entryStarts[static_cast<std::size_t>(index)];
}

std::string_view Catalogue::name(int index) const {
    const std::size_t start = entryStart(index);
    return std::string_view(m_text).substr(start, lineEnd(m_text, start) - start);
}

std::string_view Catalogue::costText(int index) const {
    const std::size_t nameEnd = lineEnd(m_text, entryStart(index));
    // A name on the file's last line, with no break after it, has no cost line.
    if (nameEnd == m_text.size())
        return {};
    const std::size_t start = nextLineStart(m_text, nameEnd);
    return std::string_view(m_text).substr(start, lineEnd(m_text, start) - start);
}

std::string Catalogue::shownCost(int index) const {
    const std::string_view cost = costText(index);
    return std::string(cost == m_marker ? kVariableCostText : cost);
}

std::vector<std::string> Catalogue::names() const {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(size()));
    for (int i = 0; i < size(); ++i)
        result.emplace_back(name(i));
    return result;
}

std::vector<std::string> Catalogue::costTexts() const {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(size()));
    for (int i = 0; i < size(); ++i)
        result.emplace_back(costText(i));
    return result;
}

Result Catalogue::assign(std::string fileBytes) {
    const auto end = fileBytes.find(kCtrlZ);
    if (end != std::string::npos)
        fileBytes.resize(end);
    const bool utf8 = isUtf8WithMultiByteSequence(fileBytes);
    Losses losses;
    if (utf8) {
        std::string converted = utf8ToWindows1252(fileBytes);
        losses = charactersLost(fileBytes, converted);
        fileBytes = std::move(converted);
    }

    const std::vector<std::uint32_t> entryStarts =
        entryStartsOf(fileBytes, static_cast<std::size_t>(kMaxEntries));
    if (entryStarts.size() > static_cast<std::size_t>(kMaxEntries))
        return Error{0, "Catalogue file has too many entries (at most " +
                            withThousandsSeparators(kMaxEntries) + ")"};

    // Nothing above touched the catalogue, so a failure leaves it as it was.
    m_text = std::move(fileBytes);
    m_entryStarts = std::move(entryStarts);
    m_readAsUtf8 = utf8;
    m_lostCharacters = losses.count;
    m_firstLineWithLostCharacter = losses.firstLine;
    return std::nullopt;
}

bool Catalogue::couldBeCatalogueFile(std::string_view head) {
    for (const char c : head) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\r' && c != '\n' && c != '\t' && c != '\f' && c != kCtrlZ)
            return false;
    }
    return head.substr(0, 5) != "%PDF-";
}

Result parseCatalogue(std::string_view fileBytes, Catalogue& catalogue) {
    return catalogue.assign(std::string(fileBytes));
}

} // namespace kestrix
