#include "svgcheck/SvgAllowList.h"

#include "core/Utf8.h"
#include "svgcheck/PlainPng.h"
#include "svgcheck/StrokeDashes.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace kestrix {
namespace {

constexpr std::string_view kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr std::string_view kXlinkNamespace = "http://www.w3.org/1999/xlink";
// Deeper nesting than any conversion writes; the renderer recurses per level.
constexpr std::size_t kMaxDepth = 256;

// What the WMF device layer and libemf2svg write, and nothing that makes a
// renderer fetch anything (use is allowed for fragments of the document only).
const std::set<std::string_view, std::less<>> kElements = {
    "svg",     "g",    "defs",     "clipPath", "pattern", "path",  "rect",  "circle",
    "ellipse", "line", "polyline", "polygon",  "text",    "tspan", "image", "use"};

const std::set<std::string_view, std::less<>> kAttributes = {
    "id",
    "version",
    "width",
    "height",
    "viewBox",
    "preserveAspectRatio",
    "x",
    "y",
    "x1",
    "y1",
    "x2",
    "y2",
    "cx",
    "cy",
    "r",
    "rx",
    "ry",
    "d",
    "points",
    "transform",
    "style",
    "fill",
    "fill-opacity",
    "fill-rule",
    "stroke",
    "stroke-width",
    "stroke-opacity",
    "stroke-linecap",
    "stroke-linejoin",
    "stroke-miterlimit",
    "stroke-dasharray",
    "stroke-dashoffset",
    "vector-effect",
    "opacity",
    "clip-path",
    "clip-rule",
    "clipPathUnits",
    "patternUnits",
    "patternContentUnits",
    "patternTransform",
    "font-family",
    "font-size",
    "font-style",
    "font-weight",
    "text-anchor",
    "text-decoration",
    "writing-mode",
    "xml:space",
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
}

bool isXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Whether the bytes are UTF-8 holding only characters XML allows.
bool isXmlUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = 1;
        char32_t c = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0x80) {
            return false;
        }
        if (text.size() - at < length)
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = c << 6 | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || !isXmlChar(c))
            return false;
        at += length;
    }
    return true;
}

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// Decodes base64 with blanks in between; stops past the cap so that a huge
// image costs no more than the cap.
bool decodeBase64(std::string_view text, std::string& out) {
    unsigned bits = 0;
    int count = 0;
    bool padded = false;
    for (const char c : text) {
        if (isSpace(c))
            continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const int value = base64Value(c);
        if (value < 0 || padded)
            return false;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
            if (out.size() > kMaxEmbeddedImageBytes)
                return false;
        }
    }
    return true;
}

bool sideFits(std::uint32_t side) {
    return side >= 1 && side <= kMaxEmbeddedImageSide;
}

// Why an image reference fails, or an empty text; adds its pixels.
std::string imageViolation(std::string_view href, std::uint64_t& pixels) {
    constexpr std::string_view kPng = "data:image/png;base64,";
    if (href.substr(0, kPng.size()) != kPng)
        return "an image that is not embedded PNG data";
    std::string bytes;
    if (!decodeBase64(href.substr(kPng.size()), bytes))
        return bytes.size() > kMaxEmbeddedImageBytes ? "an embedded image over the size cap"
                                                     : "an embedded image that is not base64";
    // Texts, profiles and private chunks are what a reader inflates or
    // interprets beyond the pixels; the converter writes none.
    if (!isPlainPng(bytes))
        return "embedded data that is not a plain PNG image";
    if (!sideFits(bigEndian32(bytes, 16)) || !sideFits(bigEndian32(bytes, 20)))
        return "an embedded image over the size cap";
    pixels += std::uint64_t{bigEndian32(bytes, 16)} * bigEndian32(bytes, 20);
    return pixels <= kMaxEmbeddedPixels ? "" : "embedded images over the size cap";
}

bool isFragmentName(std::string_view name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return isNameChar(c) && c != ':'; });
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every url( in a value names a fragment of this document: url(#name).
bool referencesOnlyFragments(std::string_view value) {
    for (std::size_t at = 0; at + 4 <= value.size(); ++at) {
        if (lower(value[at]) != 'u' || lower(value[at + 1]) != 'r' || lower(value[at + 2]) != 'l' ||
            value[at + 3] != '(')
            continue;
        const std::size_t close = value.find(')', at + 4);
        if (close == std::string_view::npos || value[at + 4] != '#' ||
            !isFragmentName(value.substr(at + 5, close - at - 5)))
            return false;
    }
    return true;
}

class Checker {
public:
    explicit Checker(std::string_view text) : m_text(text) {}

    std::string run() {
        if (!isXmlUtf8(m_text))
            return "text that is not UTF-8 XML characters";
        if (m_text.substr(0, 5) == "<?xml" && !declaration())
            return fail("a bad XML declaration");
        while (m_error.empty() && m_at < m_text.size()) {
            if (m_text[m_at] == '<')
                markup();
            else
                characters();
        }
        if (m_error.empty() && !m_rootSeen)
            fail("no root element");
        if (m_error.empty() && !m_open.empty())
            fail("an element that is never closed");
        // Only images may be drawn again: a <use> of a group could draw
        // the group's own <use> elements, each as often, level on level.
        for (const std::string& target : m_useTargets) {
            if (m_error.empty() && m_imageIds.find(target) == m_imageIds.end())
                fail("a <use> of something other than an image");
        }
        return m_error;
    }

private:
    std::string fail(std::string why) {
        if (m_error.empty())
            m_error = std::move(why);
        return m_error;
    }

    bool startsWith(std::string_view what) const {
        return m_text.substr(m_at, what.size()) == what;
    }

    void skipSpace() {
        while (m_at < m_text.size() && isSpace(m_text[m_at]))
            ++m_at;
    }

    std::string_view name() {
        const std::size_t start = m_at;
        if (m_at < m_text.size() && isNameStart(m_text[m_at])) {
            while (m_at < m_text.size() && isNameChar(m_text[m_at]))
                ++m_at;
        }
        return m_text.substr(start, m_at - start);
    }

    // A character or entity reference at m_at (on the '&'), appended decoded.
    bool reference(std::string& out) {
        const std::size_t end = m_text.find(';', m_at);
        if (end == std::string_view::npos || end - m_at > 12)
            return false;
        const std::string_view body = m_text.substr(m_at + 1, end - m_at - 1);
        m_at = end + 1;
        static constexpr std::array<std::pair<std::string_view, char>, 5> kNamed = {
            {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};
        for (const auto& [entity, c] : kNamed) {
            if (body == entity) {
                out += c;
                return true;
            }
        }
        if (body.size() < 2 || body[0] != '#')
            return false;
        const bool hex = body[1] == 'x';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty())
            return false;
        char32_t c = 0;
        for (const char d : digits) {
            int value = -1;
            if (d >= '0' && d <= '9')
                value = d - '0';
            else if (hex && lower(d) >= 'a' && lower(d) <= 'f')
                value = lower(d) - 'a' + 10;
            if (value < 0)
                return false;
            c = c * (hex ? 16 : 10) + static_cast<char32_t>(value);
            if (c > 0x10FFFF)
                return false;
        }
        if (!isXmlChar(c))
            return false;
        appendUtf8(out, c);
        return true;
    }

    bool declaration() {
        const std::size_t end = m_text.find("?>");
        if (end == std::string_view::npos)
            return false;
        m_at = 5;
        bool sawVersion = false;
        while (m_at < end) {
            const std::size_t before = m_at;
            skipSpace();
            if (m_at >= end)
                break;
            if (m_at == before)
                return false;
            const std::string_view key = name();
            skipSpace();
            if (m_at >= end || m_text[m_at] != '=')
                return false;
            ++m_at;
            skipSpace();
            if (m_at >= end || (m_text[m_at] != '"' && m_text[m_at] != '\''))
                return false;
            const std::size_t close = m_text.find(m_text[m_at], m_at + 1);
            if (close == std::string_view::npos || close > end)
                return false;
            std::string value(m_text.substr(m_at + 1, close - m_at - 1));
            std::transform(value.begin(), value.end(), value.begin(), lower);
            m_at = close + 1;
            if (key == "version" && value == "1.0" && !sawVersion)
                sawVersion = true;
            else if (!(key == "encoding" && value == "utf-8") &&
                     !(key == "standalone" && (value == "yes" || value == "no")))
                return false;
        }
        m_at = end + 2;
        return sawVersion;
    }

    void characters() {
        while (m_at < m_text.size() && m_text[m_at] != '<') {
            if (m_text[m_at] == '&') {
                std::string ignored;
                if (!reference(ignored)) {
                    fail("a bad character reference");
                    return;
                }
                continue;
            }
            if (startsWith("]]>")) {
                fail("a stray ]]>");
                return;
            }
            if (m_open.empty() && !isSpace(m_text[m_at])) {
                fail("text outside the root element");
                return;
            }
            ++m_at;
        }
    }

    void markup() {
        if (startsWith("<!--")) {
            const std::size_t end = m_text.find("--", m_at + 4);
            if (end == std::string_view::npos || m_text.substr(end, 3) != "-->")
                fail("a bad comment");
            else
                m_at = end + 3;
        } else if (startsWith("</")) {
            endTag();
        } else if (startsWith("<!") || startsWith("<?")) {
            fail("a document type, CDATA section or processing instruction");
        } else {
            startTag();
        }
    }

    void endTag() {
        m_at += 2;
        const std::string_view closed = name();
        skipSpace();
        if (m_open.empty() || closed != m_open.back() || m_at >= m_text.size() ||
            m_text[m_at] != '>') {
            fail("a bad end tag");
            return;
        }
        ++m_at;
        m_open.pop_back();
        m_dashPeriods.pop_back();
    }

    void startTag() {
        ++m_at;
        const std::string_view element = name();
        if (element.empty()) {
            fail("a bad start tag");
            return;
        }
        if (m_rootSeen && m_open.empty()) {
            fail("a second root element");
            return;
        }
        const bool root = !m_rootSeen;
        if (root && element != "svg") {
            fail("a root element that is not svg");
            return;
        }
        if (kElements.find(element) == kElements.end()) {
            fail("the element <" + std::string(element) + ">");
            return;
        }
        if (!m_open.empty() && m_open.back() == "use") {
            fail("an element inside <use>");
            return;
        }
        SvgAttributes attributes;
        bool svgNamespace = false;
        for (;;) {
            const std::size_t before = m_at;
            skipSpace();
            if (m_at >= m_text.size()) {
                fail("a start tag that never ends");
                return;
            }
            if (m_text[m_at] == '>' || startsWith("/>"))
                break;
            const std::string_view attribute = name();
            if (m_at == before || attribute.empty()) {
                fail("a bad attribute in <" + std::string(element) + ">");
                return;
            }
            if (std::any_of(attributes.begin(), attributes.end(),
                            [attribute](const auto& seen) { return seen.first == attribute; })) {
                fail("a repeated attribute");
                return;
            }
            std::string value;
            if (!attributeValue(value)) {
                fail("a bad attribute value");
                return;
            }
            if (root && attribute == "xmlns" && value == kSvgNamespace)
                svgNamespace = true;
            else if (!attributeAllowed(element, root, attribute, value))
                return;
            attributes.emplace_back(attribute, std::move(value));
        }
        if (root && !svgNamespace) {
            fail("a root element outside the SVG namespace");
            return;
        }
        m_rootSeen = true;
        const double dashPeriod = dashPeriodOf(attributes);
        if (!costAllowed(element, attributes, dashPeriod))
            return;
        if (m_text[m_at] == '>') {
            ++m_at;
            if (m_open.size() >= kMaxDepth) {
                fail("elements nested too deeply");
                return;
            }
            m_open.push_back(element);
            m_dashPeriods.push_back(dashPeriod);
        } else {
            m_at += 2;
        }
    }

    // The dash pattern an element strokes with: its own or its parent's.
    double dashPeriodOf(const SvgAttributes& attributes) const {
        const std::string_view own = dashArrayOf(attributes);
        if (own.empty() || own == "inherit")
            return m_dashPeriods.empty() ? 0 : m_dashPeriods.back();
        return dashPeriod(own);
    }

    // What the renderer cannot draw cheaply, counted over the document:
    // the dashes of dashed outlines, each stroked on its own, and <use>,
    // which draws what it names once more.
    bool costAllowed(std::string_view element, const SvgAttributes& attributes, double dashPeriod) {
        if (dashPeriod < 0) {
            fail("a dash pattern that is not a list of lengths");
            return false;
        }
        if (dashPeriod > 0) {
            m_dashes += outlineLength(element, attributes) / dashPeriod;
            if (!(m_dashes <= kMaxDashes)) {
                fail("dashed lines of too many dashes");
                return false;
            }
        }
        for (const auto& [attribute, value] : attributes) {
            if (attribute == "id" && element == "image")
                m_imageIds.insert(value);
            else if (attribute == "xlink:href" && element == "use")
                m_useTargets.push_back(value.substr(1));
        }
        if (m_useTargets.size() > kMaxUses) {
            fail("too many <use> elements");
            return false;
        }
        return true;
    }

    bool attributeValue(std::string& value) {
        skipSpace();
        if (m_at >= m_text.size() || m_text[m_at] != '=')
            return false;
        ++m_at;
        skipSpace();
        if (m_at >= m_text.size() || (m_text[m_at] != '"' && m_text[m_at] != '\''))
            return false;
        const char quote = m_text[m_at++];
        while (m_at < m_text.size() && m_text[m_at] != quote) {
            const char c = m_text[m_at];
            if (c == '<')
                return false;
            if (c == '&') {
                if (!reference(value))
                    return false;
                continue;
            }
            // As XML normalises attribute values.
            value += isSpace(c) ? ' ' : c;
            ++m_at;
        }
        if (m_at >= m_text.size())
            return false;
        ++m_at;
        return true;
    }

    bool attributeAllowed(std::string_view element, bool root, std::string_view attribute,
                          const std::string& value) {
        if (root && attribute == "xmlns:xlink") {
            if (value == kXlinkNamespace)
                return true;
            fail("the xlink prefix bound elsewhere");
            return false;
        }
        if (attribute == "xlink:href") {
            if (element == "image") {
                const std::string why = imageViolation(value, m_pixels);
                if (!why.empty())
                    fail(why);
                return why.empty();
            }
            if (element == "use" && value.size() > 1 && value[0] == '#' &&
                isFragmentName(std::string_view(value).substr(1)))
                return true;
            fail("a reference outside the document");
            return false;
        }
        if (kAttributes.find(attribute) == kAttributes.end()) {
            fail("the attribute " + std::string(attribute) + " in <" + std::string(element) + ">");
            return false;
        }
        if (!referencesOnlyFragments(value)) {
            fail("a reference outside the document");
            return false;
        }
        // CSS escapes and at-rules could spell a reference the check above
        // does not see.
        if (attribute == "style" &&
            (value.find('\\') != std::string::npos || value.find('@') != std::string::npos ||
             value.find("/*") != std::string::npos)) {
            fail("a style with escapes, at-rules or comments");
            return false;
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<std::string_view> m_open;
    bool m_rootSeen = false;
    std::vector<double> m_dashPeriods;
    std::uint64_t m_pixels = 0;
    double m_dashes = 0;
    std::set<std::string, std::less<>> m_imageIds;
    std::vector<std::string> m_useTargets;
    std::string m_error;
};

} // namespace

std::string svgAllowListViolation(std::string_view svg) {
    return Checker(svg).run();
}

} // namespace kestrix
