#include "SvgDocument.h"

#include "Windows1252.h"

#include <array>
#include <cstdio>

namespace kestrix {
namespace {

std::string number(double value) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.4f", value);
    return buffer.data();
}

bool isTagEnd(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '>' || c == '/';
}

// Offset of the first start tag named `name`, or npos.
std::size_t findStartTag(std::string_view document, std::string_view name, std::size_t from = 0) {
    const std::string open = "<" + std::string(name);
    for (std::size_t at = document.find(open, from); at != std::string_view::npos;
         at = document.find(open, at + 1)) {
        const std::size_t after = at + open.size();
        if (after < document.size() && isTagEnd(document[after]))
            return at;
    }
    return std::string_view::npos;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string withSvgRoot(std::string_view document, double width, double height) {
    const std::size_t root = findStartTag(document, "svg");
    if (root == std::string_view::npos)
        return {};
    const std::size_t rootEnd = document.find('>', root);
    if (rootEnd == std::string_view::npos || document[rootEnd - 1] == '/')
        return {};
    const std::string w = number(width);
    const std::string h = number(height);
    std::string result = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
                         w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">";
    result.append(document.substr(rootEnd + 1));
    return result;
}

bool drawsSomething(std::string_view document) {
    static constexpr std::array<std::string_view, 9> kShapes = {
        "path", "rect", "ellipse", "circle", "line", "polyline", "polygon", "text", "image"};
    for (std::string_view shape : kShapes) {
        if (findStartTag(document, shape) != std::string_view::npos)
            return true;
    }
    return false;
}

std::string cdataAsText(std::string_view document, std::string_view greaterStandIn) {
    constexpr std::string_view kOpen = "<![CDATA[";
    constexpr std::string_view kClose = "]]>";
    std::string out;
    out.reserve(document.size());
    std::size_t at = 0;
    for (std::size_t open = document.find(kOpen); open != std::string_view::npos;
         open = document.find(kOpen, at)) {
        const std::size_t start = open + kOpen.size();
        const std::size_t close = document.find(kClose, start);
        if (close == std::string_view::npos)
            return {};
        out.append(document.substr(at, open - at));
        for (std::size_t i = start; i < close; ++i) {
            if (!greaterStandIn.empty() &&
                document.substr(i, greaterStandIn.size()) == greaterStandIn) {
                out += "&gt;";
                i += greaterStandIn.size() - 1;
                continue;
            }
            const char c = document[i];
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                           ? ' '
                           : c;
                break;
            }
        }
        at = close + kClose.size();
    }
    out.append(document.substr(at));
    return out;
}

std::string windows1252ToXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        const char32_t c = windows1252ToUnicode(static_cast<unsigned char>(byte));
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            // C0 controls are not XML characters; the five bytes the code
            // page leaves undefined come back as C1 controls, no better.
            appendUtf8(out, (c < 0x20 || (c >= 0x7F && c < 0xA0)) ? U' ' : c);
            break;
        }
    }
    return out;
}

} // namespace kestrix
