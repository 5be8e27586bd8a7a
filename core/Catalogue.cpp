#include "Catalogue.h"

#include <stdexcept>

namespace kestrix {
namespace {

constexpr char kCtrlZ = 26;

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// The length of the line break that ends just before `end` and after
// `lineStart`: CR LF, a lone CR, a lone LF, or none. No line holds CR or LF
// itself, so whatever breaks precede `end` belong to the break.
std::size_t breakLengthBefore(const std::string& text, std::size_t lineStart, std::size_t end) {
    if (end == lineStart || !isLineBreak(text[end - 1]))
        return 0;
    if (text[end - 1] == '\n' && end - 1 > lineStart && text[end - 2] == '\r')
        return 2;
    return 1;
}

} // namespace

std::string_view Catalogue::line(std::size_t number) const {
    const std::size_t start = m_lineStarts[number];
    const std::size_t end =
        number + 1 < m_lineStarts.size() ? m_lineStarts[number + 1] : m_text.size();
    return std::string_view(m_text).substr(start,
                                           end - start - breakLengthBefore(m_text, start, end));
}

std::size_t Catalogue::entryIndex(int index) const {
    if (index < 0 || index >= size())
        throw std::out_of_range("catalogue entry " + std::to_string(index));
    return static_cast<std::size_t>(index) * 2;
}

std::string_view Catalogue::name(int index) const {
    return line(entryIndex(index));
}

std::string_view Catalogue::costText(int index) const {
    const std::size_t costLine = entryIndex(index) + 1;
    return costLine < m_lineStarts.size() ? line(costLine) : std::string_view();
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

    // Two walks over the text: counting first lets the starts go into one
    // allocation of the right size.
    const auto forEachLineStart = [&text = fileBytes](auto&& visit) {
        const std::size_t size = text.size();
        const char* const bytes = text.data();
        for (std::size_t pos = 0; pos < size;) {
            visit(pos);
            // One comparison per byte for the bytes that cannot end a line;
            // the string's terminating NUL stops the walk at the end.
            while (static_cast<unsigned char>(bytes[pos]) > '\r' ||
                   (bytes[pos] != '\r' && bytes[pos] != '\n' && pos < size))
                ++pos;
            if (pos < size) {
                const bool carriageReturn = text[pos] == '\r';
                ++pos;
                if (carriageReturn && pos < size && text[pos] == '\n')
                    ++pos;
            }
        }
    };
    std::size_t lines = 0;
    forEachLineStart([&lines](std::size_t) { ++lines; });
    std::vector<std::size_t> lineStarts;
    lineStarts.reserve(lines);
    forEachLineStart([&lineStarts](std::size_t start) { lineStarts.push_back(start); });

    // Nothing above touched the catalogue, so a failure leaves it as it was.
    m_text = std::move(fileBytes);
    m_lineStarts = std::move(lineStarts);
}

void parseCatalogue(std::string_view fileBytes, Catalogue& catalogue) {
    catalogue.assign(std::string(fileBytes));
}

} // namespace kestrix
