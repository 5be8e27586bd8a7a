#pragma once

// Metafiles that cost the editor dearly unless they are stopped: bitmaps
// whose PNG carries compressed texts, thin dashed pens over a large frame,
// floods of shapes, pattern brushes; and the bitmaps a metafile embeds.
#include "tests/tools/MetafileWriter.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>

namespace kestrix::test {

inline std::uint32_t crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

inline void putBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A PNG chunk with its length and CRC.
inline std::string pngChunk(const std::string& type, const std::string& data) {
    std::string out;
    putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    out += type + data;
    putBigEndian32(out, crc32(type + data));
    return out;
}

// The zlib stream of the bytes, as PNG and its compressed texts hold them.
inline std::string deflated(const std::string& bytes) {
    const QByteArray packed =
        qCompress(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), 9);
    return packed.mid(4).toStdString(); // qCompress puts the length first
}

inline std::string encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

inline QImage filledImage(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A PNG of the image with more chunks right after its header.
inline std::string pngWith(const QImage& image, const std::string& chunks) {
    const std::string png = encoded(image, "PNG");
    constexpr std::size_t kAfterHeader = 8 + 12 + 13;
    return png.substr(0, kAfterHeader) + chunks + png.substr(kAfterHeader);
}

// A compressed text chunk that inflates to `inflated` bytes.
inline std::string compressedTextChunk(std::size_t inflated) {
    return pngChunk("zTXt", std::string("Comment\0\0", 9) + deflated(std::string(inflated, '\0')));
}

// The enhanced metafile with room for `count` objects in its header.
inline std::string withHandles(std::string emf, std::uint16_t count) {
    constexpr std::size_t kHandles = 56;
    emf[kHandles] = static_cast<char>(count & 0xFF);
    emf[kHandles + 1] = static_cast<char>(count >> 8);
    return emf;
}

// Bitmap compressions of a DIB.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;

// EMR_STRETCHDIBITS drawing a bitmap of bitmapWidth x bitmapHeight into
// (x, y, width, height); bits are the pixels (BI_RGB, 24 bits a pixel,
// bottom-up) or the JPEG or PNG file.
inline EmfWriter& stretchDib(EmfWriter& emf, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, std::uint32_t compression,
                             const std::string& bits, std::int32_t bitmapWidth,
                             std::int32_t bitmapHeight) {
    constexpr std::uint32_t kFixed = 80;
    constexpr std::uint32_t kInfo = 40;
    std::string p;
    for (const std::int32_t v :
         {x, y, x + width, y + height, x, y, 0, 0, bitmapWidth, bitmapHeight})
        put32(p, static_cast<std::uint32_t>(v));
    put32(p, kFixed);
    put32(p, kInfo);
    put32(p, kFixed + kInfo);
    put32(p, static_cast<std::uint32_t>(bits.size()));
    put32(p, 0);          // DIB_RGB_COLORS
    put32(p, 0x00CC0020); // SRCCOPY
    put32(p, static_cast<std::uint32_t>(width));
    put32(p, static_cast<std::uint32_t>(height));
    // BITMAPINFOHEADER
    put32(p, kInfo);
    put32(p, static_cast<std::uint32_t>(bitmapWidth));
    put32(p, static_cast<std::uint32_t>(bitmapHeight));
    put16(p, 1);
    put16(p, compression == kBiRgb ? 24 : 0);
    put32(p, compression);
    put32(p, static_cast<std::uint32_t>(bits.size()));
    for (int i = 0; i < 4; ++i)
        put32(p, 0);
    p += bits;
    p.append((4 - p.size() % 4) % 4, '\0');
    return emf.record(81, p);
}

// An enhanced metafile of 1000 x 1000 units with one bitmap over most of it.
inline std::string bitmapEmf(std::uint32_t compression, const std::string& bits,
                             std::int32_t bitmapWidth, std::int32_t bitmapHeight) {
    EmfWriter emf(1000, 1000);
    stretchDib(emf, 100, 100, 800, 800, compression, bits, bitmapWidth, bitmapHeight);
    return emf.bytes();
}

// BI_RGB pixels of one colour, rows padded to four bytes.
inline std::string dibPixels(int width, int height, Rgb colour) {
    std::string row;
    for (int x = 0; x < width; ++x)
        row +=
            {static_cast<char>(colour.b), static_cast<char>(colour.g), static_cast<char>(colour.r)};
    row.append((4 - row.size() % 4) % 4, '\0');
    std::string pixels;
    for (int y = 0; y < height; ++y)
        pixels += row;
    return pixels;
}

// A PNG bitmap whose compressed texts inflate to chunks x inflated bytes.
inline std::string chunkBombEmf(int chunks, std::size_t inflated) {
    const std::string text = compressedTextChunk(inflated);
    std::string texts;
    for (int i = 0; i < chunks; ++i)
        texts += text;
    return bitmapEmf(kBiPng, pngWith(filledImage(2, 2, Qt::magenta), texts), 2, 2);
}

// A dashed pen one unit wide drawing a zig-zag of `segments` lines across a
// square frame `side` units wide.
inline std::string dashedZigZagEmf(int segments, std::int16_t side) {
    EmfWriter emf(side, side);
    std::string pen;
    for (const std::uint32_t v : {1u, 1u /* PS_DASH */, 1u, 0u, 0u})
        put32(pen, v);
    emf.record(38, pen); // CREATEPEN
    std::string select;
    put32(select, 1);
    emf.record(37, select);
    std::string line;
    for (const std::int32_t v : {0, 0, std::int32_t{side}, std::int32_t{side}})
        put32(line, static_cast<std::uint32_t>(v));
    put32(line, static_cast<std::uint32_t>(segments + 1));
    for (int i = 0; i <= segments; ++i) {
        put16(line, static_cast<std::uint16_t>(i % 2 == 0 ? 0 : side));
        put16(line, static_cast<std::uint16_t>(static_cast<long>(i) * side / (segments + 1)));
    }
    emf.record(87, line); // POLYLINE16
    return withHandles(emf.bytes(), 2);
}

inline std::string dashedZigZagWmf(int segments, std::int16_t side) {
    WmfWriter wmf;
    wmf.mapMode(8).windowOrg(0, 0).windowExt(side, side);
    wmf.pen(1 /* PS_DASH */, 1, Rgb{0, 0, 0});
    std::vector<std::int16_t> words{static_cast<std::int16_t>(segments + 1)};
    for (int i = 0; i <= segments; ++i) {
        words.push_back(static_cast<std::int16_t>(i % 2 == 0 ? 0 : side));
        words.push_back(static_cast<std::int16_t>(static_cast<long>(i) * side / (segments + 1)));
    }
    wmf.record(0x0325, words); // POLYLINE
    return wmf.placeable(0, 0, side, side);
}

// `count` small filled rectangles scattered over a frame of 1000 x 1000.
inline std::string rectangleFloodEmf(int count) {
    EmfWriter emf(1000, 1000);
    std::string brush;
    for (const std::uint32_t v : {1u, 0u, colorref(kRed), 0u})
        put32(brush, v);
    emf.record(39, brush); // CREATEBRUSHINDIRECT
    std::string select;
    put32(select, 1);
    emf.record(37, select);
    for (int i = 0; i < count; ++i) {
        const std::int32_t x = (i * 7) % 990;
        const std::int32_t y = (i * 13) % 990;
        std::string box;
        for (const std::int32_t v : {x, y, x + 10, y + 10})
            put32(box, static_cast<std::uint32_t>(v));
        emf.record(43, box); // RECTANGLE
    }
    return withHandles(emf.bytes(), 2);
}

// `count` pattern brushes of their own bitmaps, each filling a rectangle:
// what makes libemf2svg write <use> elements.
inline std::string patternBrushesEmf(int count) {
    EmfWriter emf(1000, 1000);
    for (int i = 0; i < count; ++i) {
        const std::string pixels = dibPixels(
            2, 2, Rgb{static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)});
        std::string p;
        for (const std::uint32_t v : {static_cast<std::uint32_t>(i + 1), 0u, 32u, 40u, 72u,
                                      static_cast<std::uint32_t>(pixels.size())})
            put32(p, v);
        for (const std::uint32_t v : {40u, 2u, 2u})
            put32(p, v);
        put16(p, 1);
        put16(p, 24);
        for (int k = 0; k < 6; ++k)
            put32(p, 0);
        emf.record(94, p + pixels); // CREATEDIBPATTERNBRUSHPT
        std::string select;
        put32(select, static_cast<std::uint32_t>(i + 1));
        emf.record(37, select);
        std::string box;
        for (const std::int32_t v : {i, i, i + 100, i + 100})
            put32(box, static_cast<std::uint32_t>(v));
        emf.record(43, box);
    }
    return withHandles(emf.bytes(), static_cast<std::uint16_t>(count + 1));
}

} // namespace kestrix::test
