#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// The outcome of turning a metafile into SVG: the document, or why not.
struct MetafileConversion {
    std::string svg;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Largest metafile the converter reads; a picture beside a character sheet
// has no business being bigger.
constexpr std::size_t kMaxMetafileBytes = 16 * 1024 * 1024;

// Converts the bytes of a Windows metafile (placeable or plain) or an
// enhanced metafile, told apart by their content, into a standalone SVG 1.1
// document in UTF-8 whose viewBox is the metafile's own frame. Damaged,
// truncated or empty drawings are errors. This runs third-party parsers over
// outside bytes: the editor calls it only in a separate, limited process.
MetafileConversion convertMetafile(std::string_view bytes);

} // namespace kestrix
