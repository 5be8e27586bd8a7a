#pragma once

// Writes small metafiles record by record for the tests: Windows metafiles
// (placeable or plain) and enhanced metafiles. Little-endian throughout.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace kestrix::test {

struct Rgb {
    std::uint8_t r, g, b;
};

inline std::uint32_t colorref(Rgb c) {
    return c.r | c.g << 8 | static_cast<std::uint32_t>(c.b) << 16;
}

inline void put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

inline void put32(std::string& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// A Windows metafile. Parameters are given in the order the records store
// them (y before x, bottom-right before top-left).
class WmfWriter {
public:
    WmfWriter& record(std::uint16_t function, const std::vector<std::int16_t>& words,
                      std::string bytes = {}) {
        std::string params;
        for (const std::int16_t word : words)
            put16(params, static_cast<std::uint16_t>(word));
        params += bytes;
        if (params.size() % 2 != 0)
            params += '\0';
        std::string out;
        put32(out, static_cast<std::uint32_t>(3 + params.size() / 2));
        put16(out, function);
        m_records.push_back(out + params);
        return *this;
    }

    WmfWriter& mapMode(std::int16_t mode) { return record(0x0103, {mode}); }
    WmfWriter& windowOrg(std::int16_t x, std::int16_t y) { return record(0x020B, {y, x}); }
    WmfWriter& windowExt(std::int16_t x, std::int16_t y) { return record(0x020C, {y, x}); }
    WmfWriter& viewportOrg(std::int16_t x, std::int16_t y) { return record(0x020D, {y, x}); }
    WmfWriter& viewportExt(std::int16_t x, std::int16_t y) { return record(0x020E, {y, x}); }
    WmfWriter& saveDc() { return record(0x001E, {}); }
    WmfWriter& nullPen() { return pen(5, 0, {0, 0, 0}); }
    WmfWriter& restoreDc() { return record(0x0127, {-1}); }
    // Creates the next object (the tests never delete one) and selects it.
    WmfWriter& pen(std::uint16_t style, std::int16_t width, Rgb colour) {
        std::string rgb;
        put32(rgb, colorref(colour));
        record(0x02FA, {static_cast<std::int16_t>(style), width, 0}, rgb);
        return select();
    }
    WmfWriter& brush(std::uint16_t style, Rgb colour) {
        std::string params;
        put16(params, style);
        put32(params, colorref(colour));
        put16(params, 0);
        record(0x02FC, {}, params);
        return select();
    }
    WmfWriter& font(std::int16_t height, const std::string& face) {
        std::string name = face.substr(0, 31);
        name.resize(32, '\0');
        record(0x02FB, {static_cast<std::int16_t>(-height), 0, 0, 0, 400},
               std::string(8, '\0') + name);
        return select();
    }
    WmfWriter& textColour(Rgb colour) {
        std::string rgb;
        put32(rgb, colorref(colour));
        return record(0x0209, {}, rgb);
    }
    WmfWriter& rectangle(std::int16_t left, std::int16_t top, std::int16_t right,
                         std::int16_t bottom) {
        return record(0x041B, {bottom, right, top, left});
    }
    // TEXTOUT with the text in Windows-1252, cell's top-left at (x, y).
    WmfWriter& text(std::int16_t x, std::int16_t y, const std::string& windows1252) {
        std::string padded = windows1252;
        if (padded.size() % 2 != 0)
            padded += '\0';
        std::string params;
        put16(params, static_cast<std::uint16_t>(windows1252.size()));
        params += padded;
        put16(params, static_cast<std::uint16_t>(y));
        put16(params, static_cast<std::uint16_t>(x));
        return record(0x0521, {}, params);
    }

    std::string plain() const { return header() + body(); }

    std::string placeable(std::int16_t left, std::int16_t top, std::int16_t right,
                          std::int16_t bottom, std::uint16_t inch = 1000) const {
        std::string fields;
        put32(fields, 0x9AC6CDD7);
        put16(fields, 0);
        for (const std::int16_t value : {left, top, right, bottom})
            put16(fields, static_cast<std::uint16_t>(value));
        put16(fields, inch);
        put32(fields, 0);
        std::uint16_t checksum = 0;
        for (std::size_t at = 0; at < fields.size(); at += 2)
            checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(fields[at]) |
                                                   static_cast<unsigned char>(fields[at + 1]) << 8);
        put16(fields, checksum);
        return fields + header() + body();
    }

private:
    WmfWriter& select() { return record(0x012D, {static_cast<std::int16_t>(m_objects++)}); }

    std::string body() const {
        std::string out;
        for (const std::string& r : m_records)
            out += r;
        put32(out, 3);
        put16(out, 0);
        return out;
    }

    std::string header() const {
        std::size_t largest = 3;
        for (const std::string& r : m_records)
            largest = std::max(largest, r.size() / 2);
        std::string out;
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, static_cast<std::uint32_t>((18 + body().size()) / 2));
        put16(out, static_cast<std::uint16_t>(m_objects));
        put32(out, static_cast<std::uint32_t>(largest));
        put16(out, 0);
        return out;
    }

    std::vector<std::string> m_records;
    int m_objects = 0;
};

// An enhanced metafile on a reference device of one unit per pixel and four
// pixels to the millimetre.
class EmfWriter {
public:
    EmfWriter(std::int32_t width, std::int32_t height) : m_width(width), m_height(height) {}

    EmfWriter& record(std::uint32_t type, const std::string& payload) {
        std::string out;
        put32(out, type);
        put32(out, static_cast<std::uint32_t>(8 + payload.size()));
        m_body += out + payload;
        ++m_count;
        return *this;
    }

    EmfWriter& textColour(Rgb colour) {
        std::string p;
        put32(p, colorref(colour));
        return record(24, p);
    }

    EmfWriter& mapMode(std::uint32_t mode) { return values(17, {static_cast<std::int32_t>(mode)}); }
    EmfWriter& windowExt(std::int32_t x, std::int32_t y) { return values(9, {x, y}); }
    EmfWriter& windowOrg(std::int32_t x, std::int32_t y) { return values(10, {x, y}); }
    EmfWriter& viewportExt(std::int32_t x, std::int32_t y) { return values(11, {x, y}); }
    EmfWriter& viewportOrg(std::int32_t x, std::int32_t y) { return values(12, {x, y}); }
    EmfWriter& saveDc() { return record(33, {}); }
    EmfWriter& restoreDc() { return values(34, {-1}); }
    // SETWORLDTRANSFORM: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
    EmfWriter& worldTransform(float m11, float m12, float m21, float m22, float dx, float dy) {
        std::string p;
        for (const float v : {m11, m12, m21, m22, dx, dy}) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            put32(p, bits);
        }
        return record(35, p);
    }
    // CREATEPEN (a width of 0 is one device pixel whatever the mapping),
    // then selects it.
    EmfWriter& pen(std::uint32_t style, std::int32_t width, Rgb colour) {
        const std::int32_t handle = ++m_handles;
        values(38, {handle, static_cast<std::int32_t>(style), width, 0,
                    static_cast<std::int32_t>(colorref(colour))});
        return values(37, {handle});
    }
    EmfWriter& nullPen() { return values(37, {static_cast<std::int32_t>(0x80000008)}); }
    EmfWriter& brush(Rgb colour) {
        const std::int32_t handle = ++m_handles;
        values(39, {handle, 0, static_cast<std::int32_t>(colorref(colour)), 0});
        return values(37, {handle});
    }
    EmfWriter& rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) {
        return values(43, {left, top, right, bottom});
    }
    EmfWriter& polyline(const std::vector<std::pair<std::int32_t, std::int32_t>>& points) {
        std::vector<std::int32_t> v{0, 0, 0, 0, static_cast<std::int32_t>(points.size())};
        for (const auto& [x, y] : points) {
            v.push_back(x);
            v.push_back(y);
        }
        return values(4, v);
    }

    // EXTTEXTOUTW, or EXTTEXTOUTA when the text is given as Windows-1252
    // bytes; the reference point is the cell's top-left.
    EmfWriter& text(std::int32_t x, std::int32_t y, const std::u16string& text) {
        std::string chars;
        for (const char16_t c : text)
            put16(chars, c);
        return textRecord(84, x, y, chars, text.size());
    }
    EmfWriter& ansiText(std::int32_t x, std::int32_t y, const std::string& windows1252) {
        return textRecord(83, x, y, windows1252, windows1252.size());
    }

    std::string bytes() const {
        std::string body = m_body;
        std::string eof;
        put32(eof, 0);
        put32(eof, 16);
        put32(eof, 20);
        std::string end;
        put32(end, 14);
        put32(end, 20);
        body += end + eof;

        std::string header;
        for (const std::int32_t v : {0, 0, m_width, m_height})
            put32(header, static_cast<std::uint32_t>(v));
        const std::int32_t mmX = m_width / 4;
        const std::int32_t mmY = m_height / 4;
        for (const std::int32_t v : {0, 0, mmX * 100, mmY * 100})
            put32(header, static_cast<std::uint32_t>(v));
        put32(header, 0x464D4520);
        put32(header, 0x10000);
        put32(header, static_cast<std::uint32_t>(108 + body.size()));
        put32(header, static_cast<std::uint32_t>(m_count + 2));
        put16(header, static_cast<std::uint16_t>(m_handles + 1));
        put16(header, 0);
        put32(header, 0);
        put32(header, 0);
        put32(header, 0);
        for (const std::int32_t v : {m_width, m_height, mmX, mmY})
            put32(header, static_cast<std::uint32_t>(v));
        put32(header, 0);
        put32(header, 0);
        put32(header, 0);
        put32(header, static_cast<std::uint32_t>(mmX * 1000));
        put32(header, static_cast<std::uint32_t>(mmY * 1000));
        std::string out;
        put32(out, 1);
        put32(out, static_cast<std::uint32_t>(8 + header.size()));
        return out + header + body;
    }

private:
    EmfWriter& values(std::uint32_t type, const std::vector<std::int32_t>& values) {
        std::string p;
        for (const std::int32_t v : values)
            put32(p, static_cast<std::uint32_t>(v));
        return record(type, p);
    }

    EmfWriter& textRecord(std::uint32_t type, std::int32_t x, std::int32_t y,
                          const std::string& chars, std::size_t count) {
        std::string padded = chars;
        padded.append((4 - padded.size() % 4) % 4, '\0');
        std::string p;
        for (const std::int32_t v : {x, y, x + 60 * static_cast<std::int32_t>(count), y + 100})
            put32(p, static_cast<std::uint32_t>(v));
        put32(p, 1);
        put32(p, 0);
        put32(p, 0);
        put32(p, static_cast<std::uint32_t>(x));
        put32(p, static_cast<std::uint32_t>(y));
        put32(p, static_cast<std::uint32_t>(count));
        put32(p, 76);
        put32(p, 0);
        for (const std::int32_t v : {0, 0, -1, -1})
            put32(p, static_cast<std::uint32_t>(v));
        put32(p, static_cast<std::uint32_t>(76 + padded.size()));
        p += padded;
        for (std::size_t i = 0; i < count; ++i)
            put32(p, 60);
        return record(type, p);
    }

    std::int32_t m_width;
    std::int32_t m_height;
    std::string m_body;
    std::uint32_t m_count = 0;
    std::int32_t m_handles = 0;
};

// Colours no named SVG colour matches, and a metafile that sets its own
// viewport origin.
constexpr Rgb kOutline{0x12, 0x34, 0x56};
constexpr Rgb kSkyFill{0x00, 0xCC, 0xFF};
constexpr Rgb kTextOrange{0xFF, 0x80, 0x00};
constexpr Rgb kRed{0xFF, 0x00, 0x00};

// A placeable metafile in a frame of 1000 x 1000 units whose viewport origin
// is (100, 100): the rectangle (0, 0)-(800, 300) lands at (100, 100)-(900,
// 400), filled kSkyFill with a kOutline outline 20 units wide; the
// kTextOrange text "Cor" 150 units high has its cell's top-left at (100,
// 500); a kRed rectangle without outline lands at (600, 700)-(900, 900).
// Without a mapping mode one unit is one unit all the same.
inline std::string exactColoursWmf(bool setsMapMode = true) {
    WmfWriter wmf;
    if (setsMapMode)
        wmf.mapMode(8);
    wmf.windowOrg(0, 0).windowExt(1000, 1000).viewportOrg(100, 100);
    wmf.record(0x0102, {1}); // SETBKMODE TRANSPARENT
    wmf.pen(0, 20, kOutline).brush(0, kSkyFill).rectangle(0, 0, 800, 300);
    wmf.font(150, "Liberation Sans").textColour(kTextOrange).record(0x012E, {0});
    wmf.text(0, 400, "Cor");
    wmf.pen(5, 0, kRed).brush(0, kRed).rectangle(500, 600, 800, 800);
    return wmf.placeable(0, 0, 1000, 1000);
}

} // namespace kestrix::test
