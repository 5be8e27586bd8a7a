#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// What the character file holds of the observations: ten lines of at most
// 255 characters each.
constexpr std::size_t kMaxObservationLines = 10;
constexpr std::size_t kMaxObservationLineLength = 255;

// The text's own lines, split at its line breaks only. The empty line after
// a final line break is not a line of its own.
std::vector<std::string> ownLines(std::string_view text);

// Whether the file holds these lines whole.
bool observationLinesFit(const std::vector<std::string>& lines);

// The observation lines a save stores: the lines as the memo displays them
// (wrapped at its width) when the file holds them; otherwise the text's own
// lines, which load back and wrap exactly as they were; nothing when the
// file holds neither. `text` has '\n' between its lines.
std::optional<std::vector<std::string>>
observationLinesToStore(const std::vector<std::string>& displayedLines, std::string_view text);

} // namespace kestrix
