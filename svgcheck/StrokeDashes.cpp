#include "svgcheck/StrokeDashes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrix {
namespace {

constexpr double kPi = 3.14159265358979323846;

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',';
}

// Reads numbers and single flag digits from a list, as SVG writes them:
// separated by blanks or commas, or by nothing but a sign or a second point.
class NumberList {
public:
    explicit NumberList(std::string_view text) : m_text(text) {}

    void skipSeparators() {
        while (m_at < m_text.size() && isSeparator(m_text[m_at]))
            ++m_at;
    }

    bool atEnd() {
        skipSeparators();
        return m_at >= m_text.size();
    }

    char peek() {
        skipSeparators();
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }

    void skip() { ++m_at; }

    bool number(double& value) {
        skipSeparators();
        std::size_t start = m_at;
        if (start < m_text.size() && m_text[start] == '+')
            ++start;
        if (start >= m_text.size())
            return false;
        const char first = m_text[start];
        // from_chars would also read "inf" and "nan", which no list holds.
        if (!(first == '-' || first == '.' || (first >= '0' && first <= '9')))
            return false;
        const char* begin = m_text.data() + start;
        const char* end = m_text.data() + m_text.size();
        const auto [next, error] = std::from_chars(begin, end, value);
        if (error != std::errc() || !std::isfinite(value))
            return false;
        m_at = static_cast<std::size_t>(next - m_text.data());
        return true;
    }

    // An arc's flag: one digit, which may run into what follows.
    bool flag(double& value) {
        skipSeparators();
        if (m_at >= m_text.size() || (m_text[m_at] != '0' && m_text[m_at] != '1'))
            return false;
        value = m_text[m_at++] - '0';
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

struct Point {
    double x = 0;
    double y = 0;
};

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

Point reflect(Point control, Point about) {
    return {2 * about.x - control.x, 2 * about.y - control.y};
}

bool isCommand(char c) {
    return std::string_view("MmLlHhVvCcSsQqTtAaZz").find(c) != std::string_view::npos && c != '\0';
}

// Reads the points of a command, made absolute; false at the first error.
bool readPoint(NumberList& list, bool relative, Point from, Point& point) {
    if (!list.number(point.x) || !list.number(point.y))
        return false;
    if (relative) {
        point.x += from.x;
        point.y += from.y;
    }
    return true;
}

// One arc, bounded by its ellipse: a large arc by the whole ellipse, a small
// one by half of it; radii too small to reach the end point grow to reach it.
double arcBound(double rx, double ry, bool large, Point from, Point to) {
    const double radius = std::max({std::fabs(rx), std::fabs(ry), distance(from, to) / 2});
    return (large ? 2 : 1) * kPi * radius;
}

double pathLength(std::string_view d) {
    NumberList list(d);
    double length = 0;
    Point current;
    Point start;
    Point lastControl;
    char previous = '\0';
    char command = '\0';
    while (!list.atEnd()) {
        if (isCommand(list.peek())) {
            command = list.peek();
            list.skip();
        } else if (command == '\0' || command == 'Z' || command == 'z') {
            return length;
        }
        const bool relative = command >= 'a' && command <= 'z';
        const char upper = static_cast<char>(relative ? command - 'a' + 'A' : command);
        Point point;
        switch (upper) {
        case 'M':
            if (!readPoint(list, relative, current, point))
                return length;
            current = start = point;
            // Further pairs are lines.
            command = relative ? 'l' : 'L';
            break;
        case 'L':
            if (!readPoint(list, relative, current, point))
                return length;
            length += distance(current, point);
            current = point;
            break;
        case 'H':
        case 'V': {
            double value = 0;
            if (!list.number(value))
                return length;
            point = current;
            double& moved = upper == 'H' ? point.x : point.y;
            moved = relative ? moved + value : value;
            length += distance(current, point);
            current = point;
            break;
        }
        case 'C':
        case 'S': {
            Point first =
                (previous == 'C' || previous == 'S') ? reflect(lastControl, current) : current;
            if (upper == 'C' && !readPoint(list, relative, current, first))
                return length;
            Point second;
            if (!readPoint(list, relative, current, second) ||
                !readPoint(list, relative, current, point))
                return length;
            // A curve is no longer than its control polygon.
            length += distance(current, first) + distance(first, second) + distance(second, point);
            lastControl = second;
            current = point;
            break;
        }
        case 'Q':
        case 'T': {
            Point control =
                (previous == 'Q' || previous == 'T') ? reflect(lastControl, current) : current;
            if (upper == 'Q' && !readPoint(list, relative, current, control))
                return length;
            if (!readPoint(list, relative, current, point))
                return length;
            length += distance(current, control) + distance(control, point);
            lastControl = control;
            current = point;
            break;
        }
        case 'A': {
            double rx = 0;
            double ry = 0;
            double rotation = 0;
            double large = 0;
            double sweep = 0;
            if (!list.number(rx) || !list.number(ry) || !list.number(rotation) ||
                !list.flag(large) || !list.flag(sweep) ||
                !readPoint(list, relative, current, point))
                return length;
            length += arcBound(rx, ry, large != 0, current, point);
            current = point;
            break;
        }
        case 'Z':
            length += distance(current, start);
            current = start;
            break;
        default:
            return length;
        }
        previous = upper;
    }
    return length;
}

double pointsLength(std::string_view points, bool closed) {
    NumberList list(points);
    double length = 0;
    Point first;
    Point current;
    bool any = false;
    Point point;
    while (readPoint(list, false, current, point)) {
        if (any)
            length += distance(current, point);
        else
            first = point;
        current = point;
        any = true;
    }
    return closed && any ? length + distance(current, first) : length;
}

const std::string* find(const SvgAttributes& attributes, std::string_view name) {
    for (const auto& [key, value] : attributes) {
        if (key == name)
            return &value;
    }
    return nullptr;
}

double numberOf(const SvgAttributes& attributes, std::string_view name) {
    const std::string* text = find(attributes, name);
    if (text == nullptr)
        return 0;
    NumberList list(*text);
    double value = 0;
    return list.number(value) ? value : 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

double dashPeriod(std::string_view dasharray) {
    const std::string_view value = trimmed(dasharray);
    if (value == "none")
        return 0;
    NumberList list(value);
    double sum = 0;
    std::size_t count = 0;
    while (!list.atEnd()) {
        double dash = 0;
        if (!list.number(dash) || dash < 0)
            return -1;
        sum += dash;
        ++count;
    }
    if (count == 0 || !std::isfinite(sum))
        return -1;
    // An odd list is repeated to make it even.
    return count % 2 != 0 ? 2 * sum : sum;
}

std::string_view dashArrayOf(const SvgAttributes& attributes) {
    if (const std::string* value = find(attributes, "stroke-dasharray"))
        return *value;
    const std::string* style = find(attributes, "style");
    if (style == nullptr)
        return {};
    constexpr std::string_view kProperty = "stroke-dasharray";
    const std::string_view text = *style;
    for (std::size_t at = text.find(kProperty); at != std::string_view::npos;
         at = text.find(kProperty, at + 1)) {
        // A whole property name: at the start or after a semicolon.
        const std::string_view before = trimmed(text.substr(0, at));
        if (!before.empty() && before.back() != ';')
            continue;
        std::size_t colon = at + kProperty.size();
        while (colon < text.size() && isBlank(text[colon]))
            ++colon;
        if (colon >= text.size() || text[colon] != ':')
            continue;
        const std::size_t end = text.find(';', colon);
        return text.substr(colon + 1, end == std::string_view::npos ? end : end - colon - 1);
    }
    return {};
}

double outlineLength(std::string_view element, const SvgAttributes& attributes) {
    const auto text = [&attributes](std::string_view name) {
        const std::string* value = find(attributes, name);
        return value != nullptr ? std::string_view(*value) : std::string_view();
    };
    const auto number = [&attributes](std::string_view name) { return numberOf(attributes, name); };
    const auto size = [&number](std::string_view name) { return std::fabs(number(name)); };
    if (element == "path")
        return pathLength(text("d"));
    if (element == "polyline" || element == "polygon")
        return pointsLength(text("points"), element == "polygon");
    if (element == "line")
        return std::hypot(number("x2") - number("x1"), number("y2") - number("y1"));
    if (element == "rect")
        return 2 * (size("width") + size("height"));
    if (element == "circle")
        return 2 * kPi * size("r");
    if (element == "ellipse")
        return 2 * kPi * std::max(size("rx"), size("ry"));
    return 0;
}

} // namespace kestrix
