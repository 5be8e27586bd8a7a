// Fuzzes the metafile converter's core, libwmf and libemf2svg included, with
// the bytes of a picture file.
//
// Invariants:
// - a conversion either fails with a reason and no document, or gives a
//   document and no reason, never both or neither;
// - a document is one SVG root in the SVG namespace with a viewBox, closed
//   at its end, that draws something;
// - a document passes the allow-list the editor checks it against: no
//   text a metafile holds ever becomes markup, no reference leaves it;
// - a document the converter hands over (one its dry run draws within the
//   budget) is one the editor draws within the budget too: its window's
//   image, and the printed page as a PDF.
//
// The editor never runs this code in its own process: a crash here inside
// the libraries is a finding about them, which the editor survives because
// the converter runs as a separate, limited process.
#include "fuzz/FuzzCheck.h"
#include "svgcheck/SvgAllowList.h"
#include "tools/kestrix-metafile/DrawingBudget.h"
#include "tools/kestrix-metafile/MetafileConversion.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrix {
namespace {

// AddressSanitizer keeps freed memory aside for a while (256 MB at most by
// default), which the process's peak counts as well.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kSanitizerSlack = std::size_t{256} << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kSanitizerSlack = std::size_t{256} << 20;
#else
constexpr std::size_t kSanitizerSlack = 0;
#endif
#else
constexpr std::size_t kSanitizerSlack = 0;
#endif

// The editor's window image of the picture (216 x 316) and the printed page.
void drawAsTheEditorDoes(const QByteArray& svg, bool onPaper) {
    const int savedLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(kEmbeddedImageAllocationMb);
    QSvgRenderer renderer(svg);
    QImageReader::setAllocationLimit(savedLimit);
    if (!onPaper) {
        QImage image(216, 316, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(image.rect()));
        return;
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(300);
    QPainter painter(&writer);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kLargestPictureSize)));
}

bool withinBudgetHere(const DrawingCost& cost) {
    DrawingCost allowed = cost;
    allowed.memoryBytes =
        cost.memoryBytes > kSanitizerSlack ? cost.memoryBytes - kSanitizerSlack : 0;
    return withinDrawingBudget(allowed);
}

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
        if (drawingBudgetViolation(svg).empty()) {
            const QByteArray document(svg.data(), static_cast<qsizetype>(svg.size()));
            for (const bool onPaper : {false, true})
                fuzzCheck(withinBudgetHere(costOf([&] { drawAsTheEditorDoes(document, onPaper); })),
                          "a picture handed over draws within the budget");
        }
    }
    return 0;
}
