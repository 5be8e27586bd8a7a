#pragma once

#include "print/PrintCanvas.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// Everything a canvas was asked to do that shows on paper or moves the page:
// drawing, measuring and the job's edges, each with the font and pen that were
// current at that moment.
struct CanvasEvent {
    enum class Type { Begin, End, Abort, Picture, Rectangle, Text, Measure };

    Type type = Type::Begin;
    PrintRect rect;
    PrintPicture picture;
    int x = 0;
    int y = 0;
    std::string text;
    std::string face;
    int points = 0;
    FontStyle style = FontStyle::None;
    int penWidth = 0;
};

// A canvas that records instead of drawing. Heights come from heightOf (by
// default one constant); it can be told to fail at begin, at end, or at the
// n-th drawing operation.
class RecordingCanvas : public PrintCanvas {
public:
    std::vector<CanvasEvent> events;
    std::function<int(const std::string&)> heightOf = [](const std::string&) { return 40; };
    bool failBegin = false;
    bool failEnd = false;
    int failAtDrawing = -1;

    bool beginDocument() override {
        record(CanvasEvent::Type::Begin);
        if (failBegin) {
            m_error = Error{0, "cannot begin"};
        }
        return !m_error;
    }
    bool endDocument() override {
        record(CanvasEvent::Type::End);
        if (failEnd) {
            m_error = Error{0, "cannot end"};
        }
        return !m_error;
    }
    void abortDocument() override { record(CanvasEvent::Type::Abort); }

    void drawPicture(const PrintPicture& picture, const PrintRect& rect) override {
        CanvasEvent& event = record(CanvasEvent::Type::Picture);
        event.picture = picture;
        event.rect = rect;
        countDrawing();
    }
    void drawRectangle(const PrintRect& rect) override {
        record(CanvasEvent::Type::Rectangle).rect = rect;
        countDrawing();
    }
    void drawText(int x, int y, const std::string& text) override {
        CanvasEvent& event = record(CanvasEvent::Type::Text);
        event.x = x;
        event.y = y;
        event.text = text;
        countDrawing();
    }
    int textHeight(const std::string& text) override {
        record(CanvasEvent::Type::Measure).text = text;
        return heightOf(text);
    }

    void setFontFace(const std::string& face) override { m_face = face; }
    void setFontSize(int points) override { m_points = points; }
    void setFontStyle(FontStyle style) override { m_style = style; }
    void setPenWidth(int width) override { m_penWidth = width; }

    Result error() const override { return m_error; }

    std::vector<CanvasEvent> eventsOf(CanvasEvent::Type type) const {
        std::vector<CanvasEvent> result;
        for (const CanvasEvent& event : events) {
            if (event.type == type) {
                result.push_back(event);
            }
        }
        return result;
    }

private:
    CanvasEvent& record(CanvasEvent::Type type) {
        CanvasEvent event;
        event.type = type;
        event.face = m_face;
        event.points = m_points;
        event.style = m_style;
        event.penWidth = m_penWidth;
        events.push_back(event);
        return events.back();
    }
    void countDrawing() {
        if (m_drawings++ == failAtDrawing) {
            m_error = Error{0, "lost the printer"};
        }
    }

    std::string m_face;
    int m_points = 0;
    FontStyle m_style = FontStyle::None;
    int m_penWidth = 0;
    int m_drawings = 0;
    Result m_error;
};

} // namespace kestrix
