#include "Catalogue.h"

#include "Windows1252.h"

#include <stdexcept>

namespace kestrix {
namespace {

constexpr char kCtrlZ = 26;

// Where the line starting at `pos` ends: at its CR or LF, or at the end of
// the text. One comparison per byte for the bytes that cannot end a line;
// the string's terminating NUL stops the walk at the end.
std::size_t lineEnd(const std::string& text, std::size_t pos) {
    const char* const bytes = text.data();
    const std::size_t size = text.size();
    while (static_cast<unsigned char>(bytes[pos]) > '\r' ||
           (bytes[pos] != '\r' && bytes[pos] != '\n' && pos < size))
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

    // One walk; the vector's growth costs less than counting the entries first.
    // It stops at the first entry past the limit, before the vector grows
    // further.
    std::vector<std::size_t> entryStarts;
    const std::size_t size = fileBytes.size();
    bool nameLine = true;
    for (std::size_t pos = 0; pos < size; nameLine = !nameLine) {
        if (nameLine) {
            if (entryStarts.size() == static_cast<std::size_t>(kMaxEntries))
                return Error{0, "Catalogue file has too many entries (at most " +
                                    withThousandsSeparators(kMaxEntries) + ")"};
            entryStarts.push_back(pos);
        }
        pos = nextLineStart(fileBytes, lineEnd(fileBytes, pos));
    }

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
