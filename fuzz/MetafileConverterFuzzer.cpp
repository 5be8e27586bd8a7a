// Fuzzes the metafile converter's core, libwmf and libemf2svg included, with
// the bytes of a picture file.
//
// Invariants:
// - a conversion either fails with a reason and no document, or gives a
//   document and no reason, never both or neither;
// - a document is one SVG root in the SVG namespace with a viewBox, closed
//   at its end, that draws something;
// - a document passes the allow-list the editor checks it against: no
//   text a metafile holds ever becomes markup, no reference leaves it.
//
// The editor never runs this code in its own process: a crash here inside
// the libraries is a finding about them, which the editor survives because
// the converter runs as a separate, limited process.
#include "FuzzCheck.h"
#include "MetafileConversion.h"
#include "SvgAllowList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrix {
namespace {

bool endsWithRoot(std::string_view svg) {
    const std::size_t last = svg.find_last_not_of(" \t\r\n");
    return last != std::string_view::npos && svg.substr(0, last + 1).size() >= 6 &&
           svg.substr(last - 5, 6) == "</svg>";
}

} // namespace
} // namespace kestrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrix;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MetafileConversion result = convertMetafile(bytes);
    fuzzCheck(result.ok() != result.svg.empty(), "a document exactly when there is no error");
    if (result.ok()) {
        const std::string_view svg = result.svg;
        fuzzCheck(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\"") != std::string_view::npos,
                  "the root is in the SVG namespace");
        fuzzCheck(svg.find("viewBox=\"0 0 ") != std::string_view::npos, "the root has a viewBox");
        fuzzCheck(endsWithRoot(svg), "the document ends with its root");
        fuzzCheck(passesSvgAllowList(svg), "the document passes the allow-list");
    }
    return 0;
}
