#include "svgcheck/PlainPng.h"
#include "svgcheck/SvgAllowList.h"
#include "tests/tools/HostileMetafiles.h"
#include "tools/kestrix-metafile/DrawingCost.h"
#include "tools/kestrix-metafile/MetafileConversion.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kestrix {
namespace {

using test::bitmapEmf;
using test::filledImage;
using test::kBiJpeg;
using test::kBiPng;
using test::kBiRgb;
using test::pngChunk;

// The bytes of every image a document embeds, and whether each is PNG.
struct Embedded {
    std::vector<std::string> images;
    bool allPng = true;
};

Embedded embeddedImages(const std::string& svg) {
    constexpr std::string_view kData = "xlink:href=\"data:image/";
    Embedded found;
    for (std::size_t at = svg.find(kData); at != std::string::npos; at = svg.find(kData, at + 1)) {
        const std::size_t start = at + kData.size();
        const std::size_t end = svg.find('"', start);
        const std::string value = svg.substr(start, end - start);
        found.allPng = found.allPng && value.rfind("png;base64,", 0) == 0;
        const std::string data = value.substr(value.find(',') + 1);
        found.images.push_back(
            QByteArray::fromBase64(QByteArray::fromStdString(data)).toStdString());
    }
    return found;
}

QImage decoded(const std::string& png) {
    return QImage::fromData(QByteArray::fromStdString(png), "PNG");
}

bool near(QColor actual, QColor expected) {
    return std::abs(actual.red() - expected.red()) <= 24 &&
           std::abs(actual.green() - expected.green()) <= 24 &&
           std::abs(actual.blue() - expected.blue()) <= 24;
}

std::string jpegOf(int width, int height, QColor colour) {
    return test::encoded(filledImage(width, height, colour), "JPG");
}

TEST(EmbeddedImagesTest, EveryBitmapIsWrittenAgainAsAPlainPng) {
    struct Case {
        const char* what;
        std::string emf;
        QColor colour;   // at the middle of the image; invalid: left out
        QSize largest{}; // the image is no larger than this, when given
    };
    const std::string texts =
        pngChunk("tEXt", std::string("Comment\0hello", 13)) + test::compressedTextChunk(1000) +
        pngChunk("iCCP", std::string("perfil\0\0", 8) + test::deflated("not a profile")) +
        pngChunk("prVt", "private");
    const Case cases[] = {
        {"PNG with texts, a profile and a private chunk",
         bitmapEmf(kBiPng, test::pngWith(filledImage(4, 4, Qt::magenta), texts), 4, 4),
         Qt::magenta},
        {"PNG whose texts inflate to two gigabytes", test::chunkBombEmf(256, 8 << 20), Qt::magenta},
        {"JPEG photo", bitmapEmf(kBiJpeg, jpegOf(16, 16, Qt::green), 16, 16), Qt::green},
        {"JPEG photo larger than the printed picture",
         bitmapEmf(kBiJpeg, jpegOf(3000, 2000, Qt::blue), 3000, 2000), Qt::blue, QSize(1024, 1024)},
        {"uncompressed bitmap", bitmapEmf(kBiRgb, test::dibPixels(4, 4, test::kRed), 4, 4),
         Qt::red},
        {"PNG whose pixels do not decode",
         bitmapEmf(kBiPng,
                   std::string("\x89PNG\r\n\x1A\n", 8) +
                       pngChunk("IHDR", std::string("\0\0\0\4\0\0\0\4\x08\x02\0\0\0", 13)) +
                       pngChunk("IDAT", "no zlib stream") + pngChunk("IEND", ""),
                   4, 4),
         QColor()},
        {"JPEG that is no JPEG", bitmapEmf(kBiJpeg, "not a photo at all", 16, 16), QColor()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MetafileConversion result;
        // The texts are never inflated, here nor in the editor.
        const DrawingCost cost = costOf([&] { result = convertMetafile(c.emf); });
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_LT(cost.memoryBytes, std::size_t{128} << 20);
        const Embedded embedded = embeddedImages(result.svg);
        ASSERT_EQ(embedded.images.size(), 1u) << result.svg.substr(0, 600);
        EXPECT_TRUE(embedded.allPng);
        const std::string& png = embedded.images.front();
        EXPECT_TRUE(isPlainPng(png));
        const QImage image = decoded(png);
        ASSERT_FALSE(image.isNull());
        if (c.largest.isValid()) {
            EXPECT_TRUE(c.largest.expandedTo(image.size()) == c.largest) << image.width();
        }
        const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
        if (c.colour.isValid())
            EXPECT_TRUE(near(middle, c.colour)) << middle.name().toStdString();
        else
            EXPECT_EQ(middle.alpha(), 0) << "an image that does not decode shows nothing";
        EXPECT_EQ(svgAllowListViolation(result.svg), "");
    }
}

TEST(EmbeddedImagesTest, ABitmapOverTheCapsFailsThePicture) {
    const std::string wide =
        test::encoded(filledImage(kMaxEmbeddedImageSide + 1, 1, Qt::red), "PNG");
    const std::string widePhoto = jpegOf(4 * kMaxEmbeddedImageSide + 8, 8, Qt::red);
    const std::string tall =
        test::encoded(filledImage(1, kMaxEmbeddedImageSide + 1, Qt::red), "PNG");
    const std::string cases[] = {
        bitmapEmf(kBiPng, wide, kMaxEmbeddedImageSide + 1, 1),
        bitmapEmf(kBiPng, tall, 1, kMaxEmbeddedImageSide + 1),
        bitmapEmf(kBiJpeg, widePhoto, 4 * kMaxEmbeddedImageSide + 8, 8),
        bitmapEmf(kBiPng, std::string(kMaxEmbeddedImageBytes + 16, 'x'), 4, 4),
    };
    for (const std::string& emf : cases) {
        const MetafileConversion result = convertMetafile(emf);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.svg.empty());
    }
}

} // namespace
} // namespace kestrix
