// Fuzzes the catalogue reader with the bytes of a catalogue file.
//
// Invariants: names and cost texts stay parallel; no text holds a carriage
// return or a Ctrl-Z, or more bytes than the file had before its first
// Ctrl-Z; only an empty file (up to a Ctrl-Z) gives an empty catalogue; every
// entry has a shown cost; and reading the file through the file layer gives
// exactly the entries of parsing its bytes. Against a lowered size limit, a
// file above it is refused, naming the file, and leaves the catalogue as it
// was; a file up to it loads. The editor's entries of the catalogue hold no
// line longer than an item line, and what it writes reads back as the same
// entries.
#include "core/Catalogue.h"
#include "core/CatalogueEntries.h"
#include "core/Windows1252.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFile.h"
#include "storage/CatalogueFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {
namespace {

constexpr char kCtrlZ = 26;
// Stands in for the real limit of 64 MB, so that inputs of a fuzzing run
// fall on both sides of it.
constexpr std::size_t kLoweredLimit = 1024;

void checkText(std::string_view text) {
    fuzzCheck(text.find('\r') == std::string::npos, "no text holds a carriage return");
    fuzzCheck(text.find(kCtrlZ) == std::string::npos, "no text holds a Ctrl-Z");
}

void checkEditorEntries(const Catalogue& parsed) {
    const CatalogueEntries entries(parsed);
    fuzzCheck(entries.size() == parsed.size(), "the editor takes every entry");
    for (int i = 0; i < entries.size(); ++i) {
        fuzzCheck(entries.name(i).size() <= CatalogueEntries::kLongestLine &&
                      entries.fileCost(i).size() <= CatalogueEntries::kLongestLine,
                  "no line of the editor's is longer than an item line");
        fuzzCheck(parsed.name(i).substr(0, CatalogueEntries::kLongestLine) == entries.name(i),
                  "the editor's name is the file's, cut");
    }
    const std::string written = entries.fileBytes();
    // Windows-1252 bytes that happen to be UTF-8 are read as UTF-8: a rule of
    // the format, not of the editor.
    if (isUtf8WithMultiByteSequence(written))
        return;
    Catalogue reread = Catalogue::advantages();
    // What the editor wrote is within every limit the reader has.
    fuzzCheck(!parseCatalogue(written, reread), "what the editor writes reads back");
    bool same = reread.size() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i)
        same = reread.name(i) == entries.name(i) && reread.costText(i) == entries.fileCost(i);
    fuzzCheck(same, "what the editor writes reads back as its entries");
}

void checkCatalogue(std::string_view input) {
    Catalogue parsed = Catalogue::advantages();
    // A refused input leaves the catalogue as it was: checked below all the same.
    (void)parseCatalogue(input, parsed);
    fuzzCheck(parsed.names().size() == parsed.costTexts().size(),
              "names and cost texts stay parallel");

    const std::size_t contentSize = std::min(input.find(kCtrlZ), input.size());
    fuzzCheck(parsed.empty() == (contentSize == 0), "only an empty file gives no entries");
    fuzzCheck(static_cast<std::size_t>(parsed.size()) <= contentSize,
              "every entry takes at least one byte");
    std::size_t textBytes = 0;
    for (int i = 0; i < parsed.size(); ++i) {
        checkText(parsed.name(i));
        checkText(parsed.costText(i));
        textBytes += parsed.name(i).size() + parsed.costText(i).size();
        const std::string shown = parsed.shownCost(i);
        fuzzCheck(shown == parsed.costText(i) || (shown == "Var." && parsed.costText(i) == "-1"),
                  "the shown cost is the cost text or Var. for the marker");
    }
    fuzzCheck(textBytes <= contentSize, "the texts come from the file's bytes");
    checkEditorEntries(parsed);

    const MemoryFile file(input);
    Catalogue loaded = Catalogue::advantages();
    fuzzCheck(!loadCatalogueFile(file.path(), loaded), "a readable catalogue file loads");
    fuzzCheck(loaded.names() == parsed.names() && loaded.costTexts() == parsed.costTexts(),
              "the file layer reads what the parser reads");

    Catalogue limited = Catalogue::advantages();
    fuzzCheck(!parseCatalogue("kept", limited), "a one-line catalogue reads");
    const Result refused = loadCatalogueFile(file.path(), limited, kLoweredLimit);
    if (input.size() <= kLoweredLimit) {
        fuzzCheck(!refused, "a file up to the limit loads");
        fuzzCheck(limited.names() == parsed.names(), "a file up to the limit loads whole");
    } else {
        const std::string name = file.path().substr(file.path().rfind('/') + 1);
        fuzzCheck(refused && refused->message == name + ": Catalogue file too large (at most 1 KB)",
                  "a file above the limit is refused, naming it");
        fuzzCheck(limited.names() == std::vector<std::string>{"kept"},
                  "a refused file leaves the catalogue as it was");
    }
}

} // namespace
} // namespace kestrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrix::checkCatalogue(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
