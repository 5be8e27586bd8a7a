#include "tools/kestrix-metafile/EmbeddedImages.h"

#include "svgcheck/PlainPng.h"
#include "svgcheck/SvgAllowList.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSize>
#include <cstdint>

namespace kestrix {
namespace {

constexpr std::string_view kHref = "xlink:href=\"";
constexpr std::string_view kData = "data:image/";
constexpr std::string_view kBase64 = ";base64,";
// A photo is written again no larger than this: the longest side of the
// printed picture box at 300 dots to the inch, rounded up, which keeps its
// PNG within the allow-list's cap on encoded bytes.
constexpr QSize kLargestPhoto(1024, 1024);

enum class Decoding { Decoded, Undecodable, OverCap };

// The reader's format for a data URL's image type; none for other types.
const char* readerFormat(std::string_view type) {
    if (type == "png")
        return "png";
    if (type == "jpg" || type == "jpeg")
        return "jpeg";
    if (type == "bmp")
        return "bmp";
    return nullptr;
}

// Holds the image reader's allocation limit while images are decoded.
struct AllocationLimit {
    AllocationLimit() : saved(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(kEmbeddedImageAllocationMb);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(saved); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
    int saved;
};

Decoding decode(QByteArray bytes, const char* format, std::uint64_t& pixels, QImage& image) {
    if (qstrcmp(format, "png") == 0) {
        // The reader never sees what a plain PNG leaves out.
        const std::string plain = plainPngChunks(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (plain.empty())
            return Decoding::Undecodable;
        bytes = QByteArray(plain.data(), static_cast<qsizetype>(plain.size()));
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return Decoding::Undecodable;
    // A photo is decoded straight to its smaller size, which costs the
    // decoder little whatever its own size (its bytes are capped).
    const bool photo = qstrcmp(format, "jpeg") == 0;
    const std::uint32_t sideCap = photo ? 4 * kMaxEmbeddedImageSide : kMaxEmbeddedImageSide;
    if (static_cast<std::uint32_t>(size.width()) > sideCap ||
        static_cast<std::uint32_t>(size.height()) > sideCap)
        return Decoding::OverCap;
    QSize written = size;
    if (photo && (size.width() > kLargestPhoto.width() || size.height() > kLargestPhoto.height())) {
        written = size.scaled(kLargestPhoto, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        reader.setScaledSize(written);
    }
    pixels += std::uint64_t(written.width()) * std::uint64_t(written.height());
    if (pixels > kMaxEmbeddedPixels)
        return Decoding::OverCap;
    image = reader.read();
    return image.isNull() ? Decoding::Undecodable : Decoding::Decoded;
}

std::string plainPng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    // The writer adds the resolution, the image's texts and its colour
    // profile: all of them chunks the allow-list refuses.
    return plainPngChunks(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

const std::string& emptyPng() {
    static const std::string png = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return plainPng(image);
    }();
    return png;
}

std::string base64(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64().toStdString();
}

} // namespace

MetafileConversion withPlainPngImages(std::string_view svg) {
    const AllocationLimit limit;
    std::string out;
    std::uint64_t pixels = 0;
    std::size_t at = 0;
    for (std::size_t href = svg.find(kHref); href != std::string_view::npos;
         href = svg.find(kHref, at)) {
        const std::size_t start = href + kHref.size();
        const std::size_t end = svg.find('"', start);
        if (end == std::string_view::npos)
            return {std::string(), "an image reference that never ends"};
        out.append(svg.substr(at, start - at));
        at = end;
        const std::string_view value = svg.substr(start, end - start);
        if (value.substr(0, kData.size()) != kData) {
            out.append(value);
            continue;
        }
        const std::size_t typeEnd = value.find(kBase64);
        const char* format = typeEnd == std::string_view::npos
                                 ? nullptr
                                 : readerFormat(value.substr(kData.size(), typeEnd - kData.size()));
        if (format == nullptr)
            return {std::string(), "an embedded image of an unknown kind"};
        const std::string_view encoded = value.substr(typeEnd + kBase64.size());
        // Base64 holds three bytes in four characters.
        if (encoded.size() / 4 * 3 > kMaxEmbeddedImageBytes + 3)
            return {std::string(), "an embedded image over the size cap"};
        QImage image;
        const Decoding decoding =
            decode(QByteArray::fromBase64(
                       QByteArray(encoded.data(), static_cast<qsizetype>(encoded.size()))),
                   format, pixels, image);
        if (decoding == Decoding::OverCap)
            return {std::string(), "an embedded image over the size cap"};
        const std::string png = decoding == Decoding::Decoded ? plainPng(image) : emptyPng();
        if (png.empty())
            return {std::string(), "an embedded image that cannot be written as PNG"};
        out.append("data:image/png;base64,");
        out.append(base64(png));
    }
    out.append(svg.substr(at));
    return {std::move(out), std::string()};
}

} // namespace kestrix
