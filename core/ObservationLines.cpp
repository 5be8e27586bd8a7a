#include "core/ObservationLines.h"

#include <algorithm>

namespace kestrix {

std::vector<std::string> ownLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

bool observationLinesFit(const std::vector<std::string>& lines) {
    return lines.size() <= kMaxObservationLines &&
           std::all_of(lines.begin(), lines.end(), [](const std::string& line) {
               return line.size() <= kMaxObservationLineLength;
           });
}

std::optional<std::vector<std::string>>
observationLinesToStore(const std::vector<std::string>& displayedLines, std::string_view text) {
    if (observationLinesFit(displayedLines))
        return displayedLines;
    std::vector<std::string> own = ownLines(text);
    if (observationLinesFit(own))
        return own;
    return std::nullopt;
}

} // namespace kestrix
