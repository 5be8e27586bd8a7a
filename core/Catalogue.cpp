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

void Catalogue::assign(std::string fileBytes) {
    const auto end = fileBytes.find(kCtrlZ);
    if (end != std::string::npos)
        fileBytes.resize(end);
    const bool utf8 = isUtf8WithMultiByteSequence(fileBytes);
    if (utf8)
        fileBytes = utf8ToWindows1252(fileBytes);

    // One walk; the vector's growth costs less than counting the entries first.
    std::vector<std::size_t> entryStarts;
    const std::size_t size = fileBytes.size();
    bool nameLine = true;
    for (std::size_t pos = 0; pos < size; nameLine = !nameLine) {
        if (nameLine)
            entryStarts.push_back(pos);
        pos = nextLineStart(fileBytes, lineEnd(fileBytes, pos));
    }

    // Nothing above touched the catalogue, so a failure leaves it as it was.
    m_text = std::move(fileBytes);
    m_entryStarts = std::move(entryStarts);
    m_readAsUtf8 = utf8;
}

void parseCatalogue(std::string_view fileBytes, Catalogue& catalogue) {
    catalogue.assign(std::string(fileBytes));
}

} // namespace kestrix
