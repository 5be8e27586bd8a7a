#include "tools/kestrix-metafile/WmfSvgDevice.h"

#include "tools/kestrix-metafile/SvgDocument.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <libwmf/defs.h>
#include <libwmf/macro.h>
#include <limits>
#include <string>

namespace kestrix {
namespace {

constexpr unsigned kLoMetric = 2; // through kTwips = 6: fixed units, y upwards
constexpr unsigned kTwips = 6;
constexpr unsigned kIsotropic = 7;
constexpr unsigned kAnisotropic = 8;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr double kPi = 3.14159265358979323846;

std::string number(double value) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.4f", value);
    return buffer.data();
}

std::string colour(const wmfRGB& rgb) {
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
    return buffer.data();
}

struct Point {
    double x = 0;
    double y = 0;
};

thread_local WmfSvgDevice::Impl* tDevice = nullptr;

} // namespace

double WmfRect::width() const {
    return std::abs(right - left);
}

double WmfRect::height() const {
    return std::abs(bottom - top);
}

bool WmfRect::usable() const {
    return std::isfinite(width()) && std::isfinite(height()) && width() >= 1 && height() >= 1 &&
           width() < 1e6 && height() < 1e6;
}

struct WmfSvgDevice::Impl {
    Impl(std::optional<WmfRect> placeable, const WmfMappings& mappings)
        : placeable(placeable), mappings(mappings) {}

    std::optional<WmfRect> placeable;
    const WmfMappings& mappings;
    std::size_t record = 0;

    bool frameSet = false;
    bool framed = false; // false: no usable frame, the ink decides
    double width = 0;    // the frame's size in picture units
    double height = 0;
    double inkLeft = std::numeric_limits<double>::infinity();
    double inkTop = std::numeric_limits<double>::infinity();
    double inkRight = -std::numeric_limits<double>::infinity();
    double inkBottom = -std::numeric_limits<double>::infinity();

    std::string body;
    int shapes = 0;

    // How the metafile's logical units land in the picture: picture =
    // logical * scale + offset, as the drawing interface maps window to
    // viewport. The player's device is the frame: the viewport covers it
    // and the window is the placeable box until the metafile sets its own,
    // so a window of any extent (of either sign) is drawn onto the frame.
    struct Page {
        Point scale{1, 1};
        Point offset;
    };

    Page page() const {
        const WmfMapping& m = mappings.at(record);
        const bool windowed =
            m.mode == kIsotropic || m.mode == kAnisotropic || (m.mode == 0 && m.windowExtentSet);
        Page p;
        if (windowed) {
            const WmfPair frame = framed ? WmfPair{width, height} : WmfPair{1, 1};
            const WmfPair window = m.windowExtentSet ? m.windowExtent : frame;
            const WmfPair viewport =
                m.viewportExtentSet
                    ? m.viewportExtent
                    : (framed ? frame : WmfPair{std::abs(window.x), std::abs(window.y)});
            p.scale = {viewport.x / window.x, viewport.y / window.y};
            if (m.mode == kIsotropic) {
                const double smaller = std::min(std::abs(p.scale.x), std::abs(p.scale.y));
                p.scale = {std::copysign(smaller, p.scale.x), std::copysign(smaller, p.scale.y)};
            }
        } else if (m.mode >= kLoMetric && m.mode <= kTwips) {
            p.scale = {1, -1};
        }
        // Without a window origin of its own, the box's corner that the
        // scale turns to the top left is the frame's top left.
        WmfPair origin = m.windowOrigin;
        if (!m.windowOriginSet && placeable)
            origin = {p.scale.x >= 0 ? std::min(placeable->left, placeable->right)
                                     : std::max(placeable->left, placeable->right),
                      p.scale.y >= 0 ? std::min(placeable->top, placeable->bottom)
                                     : std::max(placeable->top, placeable->bottom)};
        p.offset = {m.viewportOrigin.x - origin.x * p.scale.x,
                    m.viewportOrigin.y - origin.y * p.scale.y};
        return p;
    }

    // The size of one logical unit in libwmf's device units, with the sign
    // libwmf gives it: libwmf's points are (logical - window origin) * unit.
    static Point libwmfUnit(const wmfDC* dc) {
        if (dc->map_mode == kIsotropic || dc->map_mode == kAnisotropic)
            return {dc->pixel_width, dc->pixel_height};
        return {dc->Window.width < 0 ? -dc->pixel_width : dc->pixel_width,
                dc->Window.height < 0 ? -dc->pixel_height : dc->pixel_height};
    }

    // libwmf's device point back to the metafile's logical units, then
    // through our own window and viewport into picture units.
    Point map(const wmfDC* dc, wmfD_Coord d) const {
        const Point unit = libwmfUnit(dc);
        const Page p = page();
        const double x = d.x / unit.x + dc->Window.Ox;
        const double y = d.y / unit.y + dc->Window.Oy;
        return {x * p.scale.x + p.offset.x, y * p.scale.y + p.offset.y};
    }

    // A displacement along each axis, from libwmf's device units to
    // picture units, with its sign.
    Point along(const wmfDC* dc, double dx, double dy) const {
        const Point unit = libwmfUnit(dc);
        const Page p = page();
        return {dx / unit.x * p.scale.x, dy / unit.y * p.scale.y};
    }

    // A length along each axis, from device units to picture units.
    Point size(const wmfDC* dc, double dx, double dy) const {
        const Point d = along(dc, dx, dy);
        return {std::abs(d.x), std::abs(d.y)};
    }

    bool usableDc(const wmfDC* dc) const {
        return dc != nullptr && std::isfinite(dc->pixel_width) && std::isfinite(dc->pixel_height) &&
               dc->pixel_width != 0 && dc->pixel_height != 0;
    }

    // The frame is the placeable box; a plain metafile's is the window
    // it has set by its first shape.
    void setFrame() {
        if (frameSet)
            return;
        frameSet = true;
        if (placeable) {
            width = std::round(placeable->width());
            height = std::round(placeable->height());
            framed = true;
            return;
        }
        const WmfMapping& m = mappings.at(record);
        const WmfRect window{0, 0, m.windowExtent.x, m.windowExtent.y};
        if (!m.windowExtentSet || !window.usable())
            return;
        width = std::round(window.width());
        height = std::round(window.height());
        framed = true;
    }

    // Starts a shape: false when nothing can be drawn with this context.
    bool begin(const wmfDC* dc) {
        if (!usableDc(dc))
            return false;
        setFrame();
        return true;
    }

    void ink(Point p, double margin = 0) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return;
        inkLeft = std::min(inkLeft, p.x - margin);
        inkTop = std::min(inkTop, p.y - margin);
        inkRight = std::max(inkRight, p.x + margin);
        inkBottom = std::max(inkBottom, p.y + margin);
    }

    static bool finite(std::initializer_list<double> values) {
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    }

    std::string fill(const wmfDC* dc) const {
        const wmfBrush* brush = dc->brush;
        if (brush == nullptr || brush->lbStyle == BS_NULL)
            return "fill=\"none\"";
        return "fill=\"" + colour(brush->lbColor) + "\"";
    }

    double penWidth(const wmfDC* dc) const {
        const wmfPen* pen = dc->pen;
        const Point widths = size(dc, pen->width, pen->height);
        const double width = (widths.x + widths.y) / 2;
        // A pen of width 0 is one device pixel wide, however the picture scales.
        return std::isfinite(width) && width > 0 ? width : 1;
    }

    std::string stroke(const wmfDC* dc) const {
        const wmfPen* pen = dc->pen;
        if (pen == nullptr || (pen->lopnStyle & PS_STYLE_MASK) == PS_NULL)
            return "stroke=\"none\"";
        const double width = penWidth(dc);
        std::string out =
            "stroke=\"" + colour(pen->lopnColor) + "\" stroke-width=\"" + number(width) + "\"";
        switch (pen->lopnStyle & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE:
            out += " stroke-linecap=\"square\"";
            break;
        case PS_ENDCAP_FLAT:
            out += " stroke-linecap=\"butt\"";
            break;
        default:
            out += " stroke-linecap=\"round\"";
            break;
        }
        switch (pen->lopnStyle & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL:
            out += " stroke-linejoin=\"bevel\"";
            break;
        case PS_JOIN_MITER:
            out += " stroke-linejoin=\"miter\"";
            break;
        default:
            out += " stroke-linejoin=\"round\"";
            break;
        }
        const std::string dash = number(width * 3);
        const std::string dot = number(width);
        switch (pen->lopnStyle & PS_STYLE_MASK) {
        case PS_DASH:
            out += " stroke-dasharray=\"" + dash + " " + dot + "\"";
            break;
        case PS_DOT:
        case PS_ALTERNATE:
            out += " stroke-dasharray=\"" + dot + " " + dot + "\"";
            break;
        case PS_DASHDOT:
            out += " stroke-dasharray=\"" + dash + " " + dot + " " + dot + " " + dot + "\"";
            break;
        case PS_DASHDOTDOT:
            out += " stroke-dasharray=\"" + dash + " " + dot + " " + dot + " " + dot + " " + dot +
                   " " + dot + "\"";
            break;
        default:
            break;
        }
        return out;
    }

    std::string fillRule(const wmfDC* dc) const {
        return dc->polyfillmode == WINDING ? " fill-rule=\"nonzero\"" : " fill-rule=\"evenodd\"";
    }

    void emit(const std::string& element) {
        body += element;
        body += '\n';
        ++shapes;
    }

    std::string points(const wmfDC* dc, const wmfD_Coord* pt, unsigned count, double margin) {
        std::string out;
        for (unsigned i = 0; i < count; ++i) {
            const Point p = map(dc, pt[i]);
            if (!finite({p.x, p.y}))
                return {};
            ink(p, margin);
            out += number(p.x) + "," + number(p.y) + " ";
        }
        return out;
    }

    double strokeMargin(const wmfDC* dc) const {
        const wmfPen* pen = dc->pen;
        return pen == nullptr || (pen->lopnStyle & PS_STYLE_MASK) == PS_NULL ? 0 : penWidth(dc) / 2;
    }

    void rectangle(const wmfDC* dc, wmfD_Coord tl, wmfD_Coord br, const std::string& style,
                   double cornerX = 0, double cornerY = 0) {
        const Point a = map(dc, tl);
        const Point b = map(dc, br);
        if (!finite({a.x, a.y, b.x, b.y}))
            return;
        const double margin = strokeMargin(dc);
        ink(a, margin);
        ink(b, margin);
        std::string element = "<rect x=\"" + number(std::min(a.x, b.x)) + "\" y=\"" +
                              number(std::min(a.y, b.y)) + "\" width=\"" +
                              number(std::abs(b.x - a.x)) + "\" height=\"" +
                              number(std::abs(b.y - a.y)) + "\"";
        if (cornerX > 0 && cornerY > 0 && finite({cornerX, cornerY}))
            element += " rx=\"" + number(cornerX / 2) + "\" ry=\"" + number(cornerY / 2) + "\"";
        emit(element + " " + style + "/>");
    }

    enum class ArcKind { Open, Pie, Chord };

    void arc(const wmfDrawArc_t* a, ArcKind kind) {
        const wmfDC* dc = a->dc;
        const Point tl = map(dc, a->TL);
        const Point br = map(dc, a->BR);
        const Point centre{(tl.x + br.x) / 2, (tl.y + br.y) / 2};
        const double rx = std::abs(br.x - tl.x) / 2;
        const double ry = std::abs(br.y - tl.y) / 2;
        // libwmf hands the ends relative to the centre.
        const Point startOffset = along(dc, a->start.x, a->start.y);
        const Point endOffset = along(dc, a->end.x, a->end.y);
        const Point unitOffset = along(dc, 1, 1);
        const Point start{centre.x + startOffset.x, centre.y + startOffset.y};
        const Point end{centre.x + endOffset.x, centre.y + endOffset.y};
        if (!finite({tl.x, tl.y, br.x, br.y, start.x, start.y, end.x, end.y}))
            return;
        const double margin = strokeMargin(dc);
        ink(tl, margin);
        ink(br, margin);
        const double from = std::atan2(start.y - centre.y, start.x - centre.x);
        const double to = std::atan2(end.y - centre.y, end.x - centre.x);
        // Counterclockwise as seen, unless the mapping mirrors the picture.
        const bool mirrored = (unitOffset.x < 0) != (unitOffset.y < 0);
        double sweep = mirrored ? to - from : from - to;
        while (sweep <= 0)
            sweep += 2 * kPi;
        if (sweep >= 2 * kPi - 1e-9) {
            ellipse(tl, br,
                    kind == ArcKind::Open ? "fill=\"none\" " + stroke(dc)
                                          : fill(dc) + " " + stroke(dc));
            return;
        }
        std::string d = "M" + number(start.x) + "," + number(start.y) + " A" + number(rx) + "," +
                        number(ry) + " 0 " + (sweep > kPi ? "1" : "0") + "," +
                        (mirrored ? "1" : "0") + " " + number(end.x) + "," + number(end.y);
        if (kind == ArcKind::Pie)
            d += " L" + number(centre.x) + "," + number(centre.y);
        if (kind != ArcKind::Open)
            d += " Z";
        const std::string style =
            kind == ArcKind::Open ? "fill=\"none\" " + stroke(dc) : fill(dc) + " " + stroke(dc);
        emit("<path d=\"" + d + "\" " + style + "/>");
    }

    void ellipse(Point tl, Point br, const std::string& style) {
        emit("<ellipse cx=\"" + number((tl.x + br.x) / 2) + "\" cy=\"" + number((tl.y + br.y) / 2) +
             "\" rx=\"" + number(std::abs(br.x - tl.x) / 2) + "\" ry=\"" +
             number(std::abs(br.y - tl.y) / 2) + "\" " + style + "/>");
    }

    void text(const wmfDrawText_t* t) {
        const wmfDC* dc = t->dc;
        const Point at = map(dc, t->pt);
        const Point heights = size(dc, t->font_height, t->font_height);
        const double fontSize = heights.y;
        if (!finite({at.x, at.y, fontSize}) || fontSize <= 0)
            return;
        ink(at, fontSize);
        std::string element = "<text x=\"" + number(at.x) + "\" y=\"" + number(at.y) + "\"";
        const wmfFont* font = dc->font;
        if (font != nullptr) {
            if (font->lfFaceName != nullptr && font->lfFaceName[0] != '\0')
                element += " font-family=\"" + windows1252ToXmlText(font->lfFaceName) + "\"";
            if (font->lfWeight >= 100 && font->lfWeight <= 900)
                element += " font-weight=\"" + std::to_string(font->lfWeight / 100 * 100) + "\"";
            if (font->lfItalic != 0)
                element += " font-style=\"italic\"";
            if (font->lfUnderline != 0 || font->lfStrikeOut != 0)
                element += std::string(" text-decoration=\"") +
                           (font->lfUnderline != 0 ? "underline" : "") +
                           (font->lfUnderline != 0 && font->lfStrikeOut != 0 ? " " : "") +
                           (font->lfStrikeOut != 0 ? "line-through" : "") + "\"";
            if (font->lfEscapement != 0) {
                const double degrees = -font->lfEscapement / 10.0;
                element += " transform=\"rotate(" + number(degrees) + " " + number(at.x) + " " +
                           number(at.y) + ")\"";
            }
        }
        element += " font-size=\"" + number(fontSize) + "\" fill=\"" + colour(dc->textcolor) +
                   "\">" + windows1252ToXmlText(t->str) + "</text>";
        emit(element);
    }

    void image(wmfAPI* api, wmfBMP_Draw_t* b) {
        const wmfDC* dc = b->dc;
        if (b->bmp.data == nullptr || b->crop.w == 0 || b->crop.h == 0)
            return;
        const Point at = map(dc, b->pt);
        const Point extent = size(dc, b->pixel_width * b->crop.w, b->pixel_height * b->crop.h);
        if (!finite({at.x, at.y, extent.x, extent.y}))
            return;
        std::string data;
        wmfStream stream{&data, appendToString, resetString};
        wmf_ipa_bmp_b64(api, b, &stream);
        if (data.empty())
            return;
        const Point topLeft = at;
        ink(topLeft);
        ink({topLeft.x + extent.x, topLeft.y + extent.y});
        emit("<image x=\"" + number(topLeft.x) + "\" y=\"" + number(topLeft.y) + "\" width=\"" +
             number(extent.x) + "\" height=\"" + number(extent.y) +
             "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," + data + "\"/>");
    }

    static int appendToString(char* text, void* context) {
        static_cast<std::string*>(context)->append(text);
        return 0;
    }
    static int resetString(void* context) {
        static_cast<std::string*>(context)->clear();
        return 0;
    }
};

namespace {

WmfSvgDevice::Impl* playing(wmfAPI*) {
    return tDevice;
}

void noDevice(wmfAPI*) {}
void noFlood(wmfAPI*, wmfFlood_t*) {}
void noUserData(wmfAPI*, wmfUserData_t*) {}
void noClip(wmfAPI*, wmfPolyRectangle_t*) {}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* p) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || !device->begin(p->dc))
        return;
    const wmfD_Coord br{static_cast<float>(p->pt.x + p->pixel_width),
                        static_cast<float>(p->pt.y + p->pixel_height)};
    device->rectangle(p->dc, p->pt, br, "fill=\"" + colour(p->color) + "\" stroke=\"none\"");
}

void drawPie(wmfAPI* api, wmfDrawArc_t* a) {
    if (WmfSvgDevice::Impl* device = playing(api); device != nullptr && device->begin(a->dc))
        device->arc(a, WmfSvgDevice::Impl::ArcKind::Pie);
}

void drawChord(wmfAPI* api, wmfDrawArc_t* a) {
    if (WmfSvgDevice::Impl* device = playing(api); device != nullptr && device->begin(a->dc))
        device->arc(a, WmfSvgDevice::Impl::ArcKind::Chord);
}

void drawArc(wmfAPI* api, wmfDrawArc_t* a) {
    if (WmfSvgDevice::Impl* device = playing(api); device != nullptr && device->begin(a->dc))
        device->arc(a, WmfSvgDevice::Impl::ArcKind::Open);
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || !device->begin(a->dc))
        return;
    const auto tl = device->map(a->dc, a->TL);
    const auto br = device->map(a->dc, a->BR);
    if (!WmfSvgDevice::Impl::finite({tl.x, tl.y, br.x, br.y}))
        return;
    const double margin = device->strokeMargin(a->dc);
    device->ink(tl, margin);
    device->ink(br, margin);
    device->ellipse(tl, br, device->fill(a->dc) + " " + device->stroke(a->dc));
}

void drawLine(wmfAPI* api, wmfDrawLine_t* l) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || !device->begin(l->dc))
        return;
    const wmfD_Coord ends[] = {l->from, l->to};
    const std::string points = device->points(l->dc, ends, 2, device->strokeMargin(l->dc));
    if (!points.empty())
        device->emit("<polyline points=\"" + points + "\" fill=\"none\" " + device->stroke(l->dc) +
                     "/>");
}

void polyLine(wmfAPI* api, wmfPolyLine_t* l) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || l->count < 2 || l->pt == nullptr || !device->begin(l->dc))
        return;
    const std::string points = device->points(l->dc, l->pt, l->count, device->strokeMargin(l->dc));
    if (!points.empty())
        device->emit("<polyline points=\"" + points + "\" fill=\"none\" " + device->stroke(l->dc) +
                     "/>");
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* l) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || l->count < 3 || l->pt == nullptr || !device->begin(l->dc))
        return;
    const std::string points = device->points(l->dc, l->pt, l->count, device->strokeMargin(l->dc));
    if (!points.empty())
        device->emit("<polygon points=\"" + points + "\" " + device->fill(l->dc) +
                     device->fillRule(l->dc) + " " + device->stroke(l->dc) + "/>");
}

void drawPolypolygon(wmfAPI* api, wmfPolyPoly_t* p) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || p->pt == nullptr || p->count == nullptr || !device->begin(p->dc))
        return;
    std::string d;
    for (unsigned polygon = 0; polygon < p->npoly; ++polygon) {
        if (p->count[polygon] < 3 || p->pt[polygon] == nullptr)
            continue;
        const std::string points =
            device->points(p->dc, p->pt[polygon], p->count[polygon], device->strokeMargin(p->dc));
        if (points.empty())
            return;
        d += "M" + points + "Z ";
    }
    if (!d.empty())
        device->emit("<path d=\"" + d + "\" " + device->fill(p->dc) + device->fillRule(p->dc) +
                     " " + device->stroke(p->dc) + "/>");
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || !device->begin(r->dc))
        return;
    const auto corners = device->size(r->dc, r->width, r->height);
    device->rectangle(r->dc, r->TL, r->BR, device->fill(r->dc) + " " + device->stroke(r->dc),
                      corners.x, corners.y);
}

void ropDraw(wmfAPI* api, wmfROP_Draw_t* r) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || !device->begin(r->dc))
        return;
    std::string fill;
    if (r->ROP == kBlackness)
        fill = "fill=\"#000000\"";
    else if (r->ROP == kWhiteness)
        fill = "fill=\"#FFFFFF\"";
    else if (r->ROP == kPatCopy)
        fill = device->fill(r->dc);
    else
        return;
    device->rectangle(r->dc, r->TL, r->BR, fill + " stroke=\"none\"");
}

void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* b) {
    if (WmfSvgDevice::Impl* device = playing(api); device != nullptr && device->begin(b->dc))
        device->image(api, b);
}

void drawText(wmfAPI* api, wmfDrawText_t* t) {
    if (WmfSvgDevice::Impl* device = playing(api);
        device != nullptr && t->str != nullptr && device->begin(t->dc))
        device->text(t);
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || r->TL == nullptr || r->BR == nullptr || !device->begin(r->dc))
        return;
    for (unsigned i = 0; i < r->count; ++i)
        device->rectangle(r->dc, r->TL[i], r->BR[i], device->fill(r->dc) + " stroke=\"none\"");
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r) {
    WmfSvgDevice::Impl* device = playing(api);
    if (device == nullptr || r->TL == nullptr || r->BR == nullptr || !device->begin(r->dc))
        return;
    const auto widths = device->size(r->dc, r->width, r->height);
    const double width = std::max((widths.x + widths.y) / 2, 1.0);
    const wmfBrush* brush = r->dc->brush;
    if (brush == nullptr || brush->lbStyle == BS_NULL || !std::isfinite(width))
        return;
    for (unsigned i = 0; i < r->count; ++i)
        device->rectangle(r->dc, r->TL[i], r->BR[i],
                          "fill=\"none\" stroke=\"" + colour(brush->lbColor) +
                              "\" stroke-width=\"" + number(width) + "\"");
}

} // namespace

WmfSvgDevice::WmfSvgDevice(std::optional<WmfRect> placeableFrame, const WmfMappings& mappings)
    : m_impl(std::make_unique<Impl>(placeableFrame, mappings)) {
    tDevice = m_impl.get();
}

WmfSvgDevice::~WmfSvgDevice() {
    tDevice = nullptr;
}

void WmfSvgDevice::install(wmfAPI* api) {
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    functions->device_open = noDevice;
    functions->device_close = noDevice;
    functions->device_begin = noDevice;
    functions->device_end = noDevice;
    functions->flood_interior = noFlood;
    functions->flood_exterior = noFlood;
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArc;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = polyLine;
    functions->draw_polygon = drawPolygon;
    functions->draw_polypolygon = drawPolypolygon;
    functions->draw_rectangle = drawRectangle;
    functions->rop_draw = ropDraw;
    functions->bmp_draw = bmpDraw;
    functions->bmp_read = wmf_ipa_bmp_read;
    functions->bmp_free = wmf_ipa_bmp_free;
    functions->draw_text = drawText;
    functions->udata_init = noUserData;
    functions->udata_copy = noUserData;
    functions->udata_set = noUserData;
    functions->udata_free = noUserData;
    functions->region_frame = regionFrame;
    functions->region_paint = regionPaint;
    functions->region_clip = noClip;
}

int WmfSvgDevice::recordPlayed(void* device, float) {
    ++static_cast<WmfSvgDevice*>(device)->m_impl->record;
    return 0;
}

std::string WmfSvgDevice::document() const {
    const Impl& d = *m_impl;
    if (d.shapes == 0)
        return {};
    std::string svg;
    if (d.framed) {
        svg = "<svg>\n" + d.body + "</svg>\n";
        return withSvgRoot(svg, d.width, d.height);
    }
    // No frame worth the name (a plain metafile that never sets its
    // window): the ink is all there is.
    if (!Impl::finite({d.inkLeft, d.inkTop, d.inkRight, d.inkBottom}))
        return {};
    const double width = std::max(1.0, std::round(d.inkRight - d.inkLeft));
    const double height = std::max(1.0, std::round(d.inkBottom - d.inkTop));
    svg = "<svg>\n<g transform=\"translate(" + number(-d.inkLeft) + " " + number(-d.inkTop) +
          ")\">\n" + d.body + "</g>\n</svg>\n";
    return withSvgRoot(svg, width, height);
}

} // namespace kestrix
