#include "svgcheck/SvgAllowList.h"

#include <gtest/gtest.h>
#include <string>

namespace kestrix {
namespace {

const std::string kRoot = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                          "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" "
                          "width=\"10\" height=\"10\" viewBox=\"0 0 10 10\">";

std::string document(const std::string& inside) {
    return kRoot + inside + "</svg>\n";
}

// A 1 x 1 PNG and a 1 x 1 BMP.
const std::string kPng = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX"
                         "8jx0gAAAABJRU5ErkJggg==";
const std::string kBmp =
    "Qk06AAAAAAAAADYAAAAoAAAAAQAAAAEAAAABABgAAAAAAAQAAAATCwAAEwsAAAAAAAAAAAAAAAD/AA==";

std::string image(const std::string& href) {
    return document("<image x=\"0\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"" + href +
                    "\"/>");
}

std::string chunk(const std::string& type, const std::string& data) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((data.size() >> shift) & 0xFF);
    // The check reads no CRC: four zero bytes stand in.
    return bytes + type + data + std::string(4, '\0');
}

std::string base64(const std::string& bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n =
            static_cast<unsigned char>(bytes[i]) << 16 |
            (i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) << 8 : 0) |
            (i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0);
        out += alphabet[(n >> 18) & 63];
        out += alphabet[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[n & 63] : '=';
    }
    return out;
}

// A PNG claiming a size, base64 encoded by hand: signature, IHDR, the
// chunks given, an empty IDAT and IEND. The check decodes no pixels.
std::string pngClaiming(std::uint32_t width, std::uint32_t height,
                        const std::string& moreChunks = {}) {
    std::string header;
    for (const std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            header += static_cast<char>((v >> shift) & 0xFF);
    header += std::string("\x08\x06\0\0\0", 5);
    return base64(std::string("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) + moreChunks +
                  chunk("IDAT", "") + chunk("IEND", ""));
}

// A zig-zag of `segments` lines across a frame `side` units wide.
std::string zigZag(int segments, int side) {
    std::string points;
    for (int i = 0; i <= segments; ++i)
        points += std::to_string(i % 2 == 0 ? 0 : side) + "," + std::to_string(i) + " ";
    return "points=\"" + points + "\"";
}

std::string nestedGroups(int depth) {
    std::string groups;
    for (int i = 0; i < depth; ++i)
        groups += "<g>";
    for (int i = 0; i < depth; ++i)
        groups += "</g>";
    return groups;
}

TEST(SvgAllowListTest, WhatTheConversionsWritePasses) {
    const std::string cases[] = {
        document("<rect x=\"1\" y=\"1\" width=\"8\" height=\"8\" fill=\"#00CCFF\" "
                 "stroke=\"#123456\" stroke-width=\"2.0000\"/>"),
        document("<text x=\"1\" y=\"9\" font-family=\"Liberation Sans\" font-size=\"3\" "
                 "fill=\"#FF8000\">]]&gt;&lt;image xlink:href=&quot;x&quot;/&gt; &#233;</text>"),
        document("<defs><clipPath id=\"clip-1\"><path d=\"M 0,0 L 5,5 Z\"/></clipPath></defs>"
                 "<g clip-path=\"url(#clip-1)\"><ellipse cx=\"5\" cy=\"5\" rx=\"2\" ry=\"2\" "
                 "style=\"fill:url(#img-1-ref);\"/></g>"),
        document("<defs><image id=\"img-1\" x=\"0\" y=\"0\" width=\"1\" height=\"1\" "
                 "xlink:href=\"data:image/png;base64," +
                 kPng +
                 "\"/></defs>"
                 "<use id=\"img-1-ign\" xlink:href=\"#img-1\"/>"),
        image("data:image/png;base64,\n" + kPng.substr(0, 40) + "\n" + kPng.substr(40)),
        image("data:image/png;base64," + pngClaiming(kMaxEmbeddedImageSide, 1)),
        image("data:image/png;base64," +
              pngClaiming(2, 2, chunk("PLTE", std::string(6, 'x')) + chunk("tRNS", "x"))),
        // Dashed outlines within the cap, in attributes, styles and groups.
        document("<polyline " + zigZag(30, 1000) +
                 " stroke=\"#000000\" stroke-dasharray=\"3.0000 1.0000\"/>"),
        document("<g stroke-dasharray=\"5,5\"><rect width=\"1000\" height=\"1000\"/>"
                 "<path d=\"M0,0 h1000 v1000 C 0,0 0,0 0,0 Z\"/></g>"),
        document("<path d=\"M0,0 L100000,0\" style=\"stroke:#000;stroke-dasharray:none\"/>"),
        document("<path d=\"M0,0 L100000,0\" stroke-dasharray=\"0,0\"/>"),
        document("<image width=\"1\" height=\"1\" xlink:href=\"data:image/png;base64," +
                 pngClaiming(kMaxEmbeddedImageSide, kMaxEmbeddedImageSide / 2) +
                 "\"/><image width=\"1\" height=\"1\" xlink:href=\"data:image/png;base64," +
                 pngClaiming(kMaxEmbeddedImageSide, kMaxEmbeddedImageSide / 2) + "\"/>"),
        "<svg xmlns=\"http://www.w3.org/2000/svg\"><!-- a note --><g/></svg>",
        document(nestedGroups(200)),
    };
    for (const std::string& svg : cases)
        EXPECT_EQ(svgAllowListViolation(svg), "") << svg;
}

TEST(SvgAllowListTest, AnythingElseFails) {
    const std::string cases[] = {
        // References outside the document.
        image("/home/jogador/foto.png"),
        image("file:///home/jogador/foto.png"),
        image("http://example.com/foto.png"),
        image("data:image/jpeg;base64," + kPng),
        // The converter writes every image again as a plain PNG.
        image("data:image/bmp;base64," + kBmp),
        image("data:image/svg+xml;base64,PHN2Zy8+"),
        image("data:image/png;base64,Qk06AAAA;base64," + kPng),
        image("data:image/png;base64," + kBmp),
        image("data:image/bmp;base64," + kPng),
        image("data:image/png;base64,not*base64"),
        image("&#100;ata:image/jpeg;base64," + kPng),
        document("<use xlink:href=\"outra.svg#a\"/>"),
        document("<rect width=\"1\" height=\"1\" fill=\"url(outra.svg#a)\"/>"),
        document("<rect width=\"1\" height=\"1\" style=\"fill:url( #a)\"/>"),
        document("<rect width=\"1\" height=\"1\" style=\"fill:u\\72l(x.svg)\"/>"),
        document("<rect width=\"1\" height=\"1\" style=\"@import 'x.css'\"/>"),
        document("<rect width=\"1\" height=\"1\" xlink:href=\"#a\"/>"),
        // Images over the cap.
        image("data:image/png;base64," + pngClaiming(kMaxEmbeddedImageSide + 1, 1)),
        image("data:image/png;base64," + pngClaiming(1, 100000)),
        document([] {
            // Each within the cap, together over it.
            std::string images;
            for (int i = 0; i < 2; ++i)
                images += "<image width=\"1\" height=\"1\" xlink:href=\"data:image/png;base64," +
                          pngClaiming(kMaxEmbeddedImageSide, kMaxEmbeddedImageSide / 2 + 1) +
                          "\"/>";
            return images;
        }()),
        image("data:image/png;base64," + kPng +
              std::string(kMaxEmbeddedImageBytes * 4 / 3 + 8, 'A')),
        // Chunks a reader inflates or interprets, and bytes after the end.
        image("data:image/png;base64," +
              pngClaiming(1, 1, chunk("zTXt", std::string("Comment\0\0", 9) + "xx"))),
        image("data:image/png;base64," + pngClaiming(1, 1, chunk("iCCP", "x"))),
        image("data:image/png;base64," + pngClaiming(1, 1, chunk("tEXt", "a\0b"))),
        image("data:image/png;base64," + pngClaiming(1, 1, chunk("prVt", "x"))),
        image("data:image/png;base64," + kPng.substr(0, kPng.size() - 2) + "AAAAA"),
        image("data:image/png;base64," + kPng.substr(0, 40)),
        // More dashes than a renderer strokes in a second, however spelt.
        document("<polyline " + zigZag(4000, 30000) +
                 " stroke=\"#000000\" stroke-width=\"1.0000\" "
                 "stroke-dasharray=\"5.0000,5.0000\"/>"),
        document("<g stroke-dasharray=\"3\"><g><polygon " + zigZag(2000, 30000) + "/></g></g>"),
        document("<path d=\"M0,0 l30000,0 0,1 -30000,0 0,1 30000,0 0,1 -30000,0 0,1 30000,0\" "
                 "style=\"fill:none;stroke-dasharray: 0.5 .5\"/>"),
        document("<ellipse rx=\"1e9\" ry=\"1\" stroke-dasharray=\"4,4\"/>"),
        document("<path d=\"M0,0 a1e9,1e9 0 11 1,0\" stroke-dasharray=\"4,4\"/>"),
        document("<line x1=\"-1e9\" x2=\"1e9\" stroke-dasharray=\"1e-300\"/>"),
        document("<rect width=\"10\" height=\"10\" stroke-dasharray=\"-5,5\"/>"),
        document("<rect width=\"10\" height=\"10\" stroke-dasharray=\"5%\"/>"),
        // <use> of anything but an image, inside <use>, or over the cap.
        document("<defs><g id=\"a\"><rect width=\"1\" height=\"1\"/></g></defs>"
                 "<use xlink:href=\"#a\"/>"),
        document("<use xlink:href=\"#nothing\"/>"),
        document("<image id=\"i\" width=\"1\" height=\"1\" xlink:href=\"data:image/png;base64," +
                 kPng +
                 "\"/><g id=\"b\"><use xlink:href=\"#i\"/><use xlink:href=\"#i\"/></g>"
                 "<use xlink:href=\"#b\"/>"),
        document("<image id=\"i\" width=\"1\" height=\"1\" xlink:href=\"data:image/png;base64," +
                 kPng + "\"/><use xlink:href=\"#i\"><use xlink:href=\"#i\"/></use>"),
        document([] {
            std::string uses = "<image id=\"i\" width=\"1\" height=\"1\" "
                               "xlink:href=\"data:image/png;base64," +
                               kPng + "\"/>";
            for (std::size_t i = 0; i <= kMaxUses; ++i)
                uses += "<use xlink:href=\"#i\"/>";
            return uses;
        }()),
        // Elements and attributes no conversion writes.
        document("<script>alert(1)</script>"),
        document("<style>@import url(x.css);</style>"),
        document("<foreignObject/>"),
        document("<a xlink:href=\"http://example.com\"><rect/></a>"),
        document("<rect onload=\"x\"/>"),
        document("<rect xml:base=\"file:///\"/>"),
        document("<rect xmlns=\"http://www.w3.org/2000/svg\"/>"),
        document("<rect xmlns:l=\"http://www.w3.org/1999/xlink\" l:href=\"x.png\"/>"),
        document("<svg:rect/>"),
        // Markup that parsers read differently.
        "<!DOCTYPE svg [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + document("<text>&x;</text>"),
        document("<text><![CDATA[x]]></text>"),
        document("<?xml-stylesheet href=\"x.css\"?>"),
        document("<text>&unknown;</text>"),
        document("<text>&#0;</text>"),
        document("<text>]]></text>"),
        document("<text>a</tspan>"),
        document("<!-- a -- b -->"),
        document("<rect width=\"1\" width=\"2\"/>"),
        document("<rect x=\"1\""),
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><svg xmlns=\"http://www.w3.org/2000/svg\"/>",
        "<svg xmlns=\"http://www.w3.org/2000/svg\"/><svg xmlns=\"http://www.w3.org/2000/svg\"/>",
        "<svg xmlns=\"http://example.com/\"/>",
        "<svg/>",
        "<g xmlns=\"http://www.w3.org/2000/svg\"/>",
        document("<text>\xC3(</text>"),
        document("<text>\x01</text>"),
        document("") + "trailing text",
        document(nestedGroups(300)),
        "",
    };
    for (const std::string& svg : cases)
        EXPECT_NE(svgAllowListViolation(svg), "") << svg.substr(0, 300);
}

} // namespace
} // namespace kestrix
