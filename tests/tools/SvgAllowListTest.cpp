#include "SvgAllowList.h"

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

// A PNG header claiming a size, base64 encoded by hand: signature, IHDR.
std::string pngClaiming(std::uint32_t width, std::uint32_t height) {
    std::string bytes("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    for (const std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += static_cast<char>((v >> shift) & 0xFF);
    bytes += std::string("\x08\x06\0\0\0\0\0\0\0", 9);
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
        image("data:image/bmp;base64," + kBmp),
        image("data:image/png;base64," + pngClaiming(kMaxEmbeddedImageSide, 1)),
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
