#include "WmfConversion.h"

#include "SvgDocument.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>
#include <string>
#include <vector>

namespace kestrix {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr unsigned kIsotropic = 7;
constexpr unsigned kAnisotropic = 8;

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::int16_t s16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(u16(bytes, at));
}

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

struct Frame {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double width() const { return std::abs(right - left); }
    double height() const { return std::abs(bottom - top); }
    bool usable() const {
        return std::isfinite(width()) && std::isfinite(height()) && width() >= 1 && height() >= 1;
    }
};

// libwmf's SVG layer is used as it is, with a thin adapter around its
// drawing functions that mends what it gets wrong for us:
//  - it fits the picture to the ink it finds, not to the metafile's frame:
//    the adapter hands it the frame, in device units, before the first shape;
//  - it fills shapes half transparent whenever the background mode is
//    TRANSPARENT, which only concerns hatch gaps and text backgrounds;
//  - it writes texts as the raw bytes of the file, unescaped.
// libwmf calls the device layer through plain function pointers with no
// user data, so the adapter's state lives in one thread-local pointer.
struct Adapter {
    wmfFunctionReference svg{};
    wmfD_Rect ink{};
    bool placeable = false;
    Frame placeableFrame;
    bool frameSet = false;
    Frame output;
    int shapes = 0;
    std::string text;
};

thread_local Adapter* tAdapter = nullptr;

bool playing(wmfAPI* api) {
    return WMF_SVG_GetData(api)->out != nullptr;
}

// The device scale libwmf applies to logical units in this DC.
double scale(double pixel, std::int32_t extent, unsigned mapMode) {
    if (mapMode == kIsotropic || mapMode == kAnisotropic)
        return pixel;
    return extent < 0 ? -pixel : pixel;
}

void setFrame(wmfAPI* api, wmfDC* dc) {
    Adapter& adapter = *tAdapter;
    if (adapter.frameSet || dc == nullptr)
        return;
    adapter.frameSet = true;
    wmf_svg_t* device = WMF_SVG_GetData(api);

    Frame logical;
    if (adapter.placeable) {
        logical = adapter.placeableFrame;
    } else {
        logical = {static_cast<double>(dc->Window.Ox), static_cast<double>(dc->Window.Oy),
                   static_cast<double>(dc->Window.Ox) + dc->Window.width,
                   static_cast<double>(dc->Window.Oy) + dc->Window.height};
    }
    const double sx = scale(dc->pixel_width, dc->Window.width, dc->map_mode);
    const double sy = scale(dc->pixel_height, dc->Window.height, dc->map_mode);
    const double x1 = (logical.left - dc->Window.Ox) * sx;
    const double x2 = (logical.right - dc->Window.Ox) * sx;
    const double y1 = (logical.top - dc->Window.Oy) * sy;
    const double y2 = (logical.bottom - dc->Window.Oy) * sy;
    const Frame deviceFrame{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};

    if (logical.usable() && deviceFrame.usable() && logical.width() < 1e6 &&
        logical.height() < 1e6) {
        device->bbox.TL = {static_cast<float>(deviceFrame.left),
                           static_cast<float>(deviceFrame.top)};
        device->bbox.BR = {static_cast<float>(deviceFrame.right),
                           static_cast<float>(deviceFrame.bottom)};
        adapter.output = {0, 0, std::round(logical.width()), std::round(logical.height())};
    } else {
        // No frame worth the name (a plain metafile that never sets its
        // window): the ink is all there is.
        device->bbox = adapter.ink;
        const Frame ink{adapter.ink.TL.x, adapter.ink.TL.y, adapter.ink.BR.x, adapter.ink.BR.y};
        adapter.output = {0, 0, std::max(1.0, std::round(ink.width())),
                          std::max(1.0, std::round(ink.height()))};
    }
    device->width = static_cast<unsigned>(adapter.output.right);
    device->height = static_cast<unsigned>(adapter.output.bottom);
}

// Runs one of the SVG layer's functions for a shape, with the frame in place
// and, for filled shapes, an opaque background mode.
template <typename Draw>
void shape(wmfAPI* api, wmfDC* dc, void (*draw)(wmfAPI*, Draw*), Draw* what, bool filled) {
    if (draw == nullptr)
        return;
    setFrame(api, dc);
    if (playing(api))
        ++tAdapter->shapes;
    const U16 mode = dc != nullptr ? dc->bgmode : 0;
    if (filled && dc != nullptr)
        dc->bgmode = OPAQUE;
    draw(api, what);
    if (filled && dc != nullptr)
        dc->bgmode = mode;
}

void floodInterior(wmfAPI* api, wmfFlood_t* f) {
    shape(api, f->dc, tAdapter->svg.flood_interior, f, true);
}
void floodExterior(wmfAPI* api, wmfFlood_t* f) {
    shape(api, f->dc, tAdapter->svg.flood_exterior, f, true);
}
void drawPixel(wmfAPI* api, wmfDrawPixel_t* p) {
    shape(api, p->dc, tAdapter->svg.draw_pixel, p, true);
}
void drawPie(wmfAPI* api, wmfDrawArc_t* a) {
    shape(api, a->dc, tAdapter->svg.draw_pie, a, true);
}
void drawChord(wmfAPI* api, wmfDrawArc_t* a) {
    shape(api, a->dc, tAdapter->svg.draw_chord, a, true);
}
void drawArc(wmfAPI* api, wmfDrawArc_t* a) {
    shape(api, a->dc, tAdapter->svg.draw_arc, a, false);
}
void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) {
    shape(api, a->dc, tAdapter->svg.draw_ellipse, a, true);
}
void drawLine(wmfAPI* api, wmfDrawLine_t* l) {
    shape(api, l->dc, tAdapter->svg.draw_line, l, false);
}
void polyLine(wmfAPI* api, wmfPolyLine_t* l) {
    shape(api, l->dc, tAdapter->svg.poly_line, l, false);
}
void drawPolygon(wmfAPI* api, wmfPolyLine_t* l) {
    shape(api, l->dc, tAdapter->svg.draw_polygon, l, true);
}
void drawPolypolygon(wmfAPI* api, wmfPolyPoly_t* l) {
    shape(api, l->dc, tAdapter->svg.draw_polypolygon, l, true);
}
void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r) {
    shape(api, r->dc, tAdapter->svg.draw_rectangle, r, true);
}
void ropDraw(wmfAPI* api, wmfROP_Draw_t* r) {
    shape(api, r->dc, tAdapter->svg.rop_draw, r, true);
}
void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* b) {
    shape(api, b->dc, tAdapter->svg.bmp_draw, b, false);
}
void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r) {
    shape(api, r->dc, tAdapter->svg.region_frame, r, false);
}
void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r) {
    shape(api, r->dc, tAdapter->svg.region_paint, r, true);
}

void drawText(wmfAPI* api, wmfDrawText_t* t) {
    if (tAdapter->svg.draw_text == nullptr || t->str == nullptr)
        return;
    setFrame(api, t->dc);
    if (playing(api))
        ++tAdapter->shapes;
    // Metafile texts are in the writer's code page; ours is Windows-1252.
    tAdapter->text = windows1252ToXmlText(t->str);
    char* const original = t->str;
    t->str = tAdapter->text.data();
    tAdapter->svg.draw_text(api, t);
    t->str = original;
}

void adaptedSvgDevice(wmfAPI* api) {
    wmf_svg_function(api);
    if (api->err != wmf_E_None)
        return;
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    tAdapter->svg = *functions;
    functions->flood_interior = floodInterior;
    functions->flood_exterior = floodExterior;
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
    functions->draw_text = drawText;
    functions->region_frame = regionFrame;
    functions->region_paint = regionPaint;
}

MetafileConversion failed(const char* why) {
    return {std::string(), why};
}

// Owns one libwmf instance and points the drawing hooks at our adapter
// for as long as it lives.
class LibraryScope {
public:
    explicit LibraryScope(Adapter& adapter) { tAdapter = &adapter; }
    ~LibraryScope() {
        if (m_api != nullptr)
            wmf_api_destroy(m_api);
        tAdapter = nullptr;
    }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;

    wmfAPI*& api() { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

} // namespace

bool looksLikeWmf(std::string_view bytes) {
    if (bytes.size() >= kPlaceableHeaderSize && u32(bytes, 0) == kPlaceableKey)
        return true;
    if (bytes.size() < kHeaderSize)
        return false;
    const std::uint16_t type = u16(bytes, 0);
    const std::uint16_t headerWords = u16(bytes, 2);
    const std::uint16_t version = u16(bytes, 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

MetafileConversion convertWmf(std::string_view bytes) {
    if (!looksLikeWmf(bytes))
        return failed("not a Windows metafile");
    // libwmf allocates a buffer of the largest record size the header
    // claims before it reads a record; no record can be larger than the file.
    const std::size_t header = u32(bytes, 0) == kPlaceableKey ? kPlaceableHeaderSize : 0;
    if (bytes.size() < header + kHeaderSize ||
        std::uint64_t{u32(bytes, header + 12)} * 2 > bytes.size())
        return failed("the metafile is damaged");

    Adapter adapter;
    if (u32(bytes, 0) == kPlaceableKey) {
        adapter.placeable = true;
        adapter.placeableFrame = {
            static_cast<double>(s16(bytes, 6)), static_cast<double>(s16(bytes, 8)),
            static_cast<double>(s16(bytes, 10)), static_cast<double>(s16(bytes, 12))};
        if (!adapter.placeableFrame.usable())
            return failed("the placeable header has an empty frame");
    }

    LibraryScope scope(adapter);
    wmfAPI_Options options{};
    options.function = adaptedSvgDevice;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&scope.api(), flags, &options) != wmf_E_None)
        return failed("libwmf could not start");
    wmfAPI* api = scope.api();

    // libwmf reads from the buffer and never writes to it.
    std::vector<unsigned char> input(bytes.begin(), bytes.end());
    if (wmf_mem_open(api, input.data(), static_cast<long>(input.size())) != wmf_E_None)
        return failed("libwmf could not open the metafile");
    if (wmf_scan(api, 0, &adapter.ink) != wmf_E_None)
        return failed("the metafile is damaged");

    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->out = wmf_stream_create(api, nullptr);
    if (device->out == nullptr)
        return failed("out of memory");
    device->bbox = adapter.ink;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    device->Description = nullptr;

    wmfD_Rect played{};
    const wmf_error_t playError = wmf_play(api, 0, &played);

    char* buffer = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &buffer, &length);
    device->out = nullptr;
    const std::string document = buffer != nullptr ? std::string(buffer, length) : std::string();
    if (buffer != nullptr)
        wmf_free(api, buffer);

    if (playError != wmf_E_None)
        return failed("the metafile is damaged");
    if (adapter.shapes == 0 || !adapter.frameSet || !drawsSomething(document))
        return failed("the metafile draws nothing");
    std::string svg = withSvgRoot(document, adapter.output.right, adapter.output.bottom);
    if (svg.empty())
        return failed("libwmf wrote no SVG document");
    return {std::move(svg), std::string()};
}

} // namespace kestrix
