#include "tools/kestrix-metafile/SvgDocument.h"

#include "core/Utf8.h"
#include "core/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

// The element name a tag's text starts with.
std::string_view elementName(std::string_view tag) {
    std::size_t length = 0;
    while (length < tag.size() && !isTagEnd(tag[length]))
        ++length;
    return tag.substr(0, length);
}

// The numbers an attribute of a start tag holds, in order; none when the
// tag does not have it.
std::vector<double> numbersOf(std::string_view tag, std::string_view attribute, bool& present) {
    std::vector<double> numbers;
    present = false;
    for (std::size_t at = tag.find(attribute); at != std::string_view::npos;
         at = tag.find(attribute, at + 1)) {
        const std::size_t after = at + attribute.size();
        if (at == 0 || !isTagEnd(tag[at - 1]) || tag.substr(after, 2) != "=\"")
            continue;
        const std::size_t close = tag.find('"', after + 2);
        if (close == std::string_view::npos)
            return numbers;
        present = true;
        const std::string value(tag.substr(after + 2, close - after - 2));
        const char* cursor = value.c_str();
        while (*cursor != '\0') {
            char* next = nullptr;
            const double number = std::strtod(cursor, &next);
            if (next == cursor) {
                ++cursor;
                continue;
            }
            numbers.push_back(number);
            cursor = next;
        }
        return numbers;
    }
    return numbers;
}

// Whether a length attribute is there and not above zero (or no number).
bool flat(std::string_view tag, std::string_view attribute) {
    bool present = false;
    const std::vector<double> numbers = numbersOf(tag, attribute, present);
    return present && (numbers.empty() || !(numbers.front() > 0));
}

// Whether every point a list of coordinates names is one and the same.
bool onePoint(const std::vector<double>& numbers) {
    const auto equal = [](double a, double b) { return a == b || (a != a && b != b); };
    bool allSame = true;
    for (const double n : numbers)
        allSame = allSame && equal(n, numbers.front());
    if (allSame)
        return true;
    if (numbers.size() % 2 != 0)
        return false;
    for (std::size_t i = 2; i < numbers.size(); i += 2) {
        if (!equal(numbers[i], numbers[0]) || !equal(numbers[i + 1], numbers[1]))
            return false;
    }
    return true;
}

// Whether a shape covers more than a point. What it does not say is taken
// to draw: only sizes written as nothing and points that all coincide make
// a shape that shows nothing, as a converter that mapped everything onto
// one point writes them.
bool hasExtent(std::string_view name, std::string_view tag) {
    bool present = false;
    if (name == "rect")
        return !(flat(tag, "width") && flat(tag, "height"));
    if (name == "image")
        return !(flat(tag, "width") || flat(tag, "height"));
    if (name == "ellipse")
        return !(flat(tag, "rx") && flat(tag, "ry"));
    if (name == "circle")
        return !flat(tag, "r");
    if (name == "line") {
        std::vector<double> ends;
        for (const std::string_view attribute : {"x1", "y1", "x2", "y2"}) {
            const std::vector<double> value = numbersOf(tag, attribute, present);
            if (!present || value.empty())
                return true;
            ends.push_back(value.front());
        }
        return !onePoint(ends);
    }
    const std::vector<double> points = numbersOf(tag, name == "path" ? "d" : "points", present);
    return !present || points.empty() || !onePoint(points);
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
    // Shapes inside these only ever clip or fill others.
    static constexpr std::array<std::string_view, 3> kNotDrawn = {"defs", "clipPath", "pattern"};
    int hidden = 0;
    bool collapsed = false;
    bool texts = false;
    bool sizedTexts = false;
    for (std::size_t at = document.find('<'); at != std::string_view::npos;
         at = document.find('<', at + 1)) {
        const std::size_t end = document.find('>', at);
        if (end == std::string_view::npos)
            break;
        const std::string_view tag = document.substr(at + 1, end - at - 1);
        const bool closing = !tag.empty() && tag.front() == '/';
        const std::string_view name = elementName(closing ? tag.substr(1) : tag);
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        if (std::find(kNotDrawn.begin(), kNotDrawn.end(), name) != kNotDrawn.end()) {
            if (closing)
                --hidden;
            else if (!selfClosing)
                ++hidden;
            continue;
        }
        if (closing || hidden > 0 ||
            std::find(kShapes.begin(), kShapes.end(), name) == kShapes.end())
            continue;
        if (name == "text") {
            // QtSvg draws a text of no size at a size of its own, as the
            // drawing interface draws one without a font in its stock
            // font; it draws nothing only beside shapes that collapsed.
            sizedTexts = sizedTexts || !flat(tag, "font-size");
            texts = true;
        } else if (hasExtent(name, tag)) {
            return true;
        } else {
            collapsed = true;
        }
    }
    return sizedTexts || (texts && !collapsed);
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
