#pragma once

#include "core/Error.h"
#include "print/PrintPicture.h"
#include "print/PrintRect.h"

#include <string>

namespace kestrix {

enum class FontStyle { None, Bold, Italic };

// The drawing surface of one printed page, in device units with the origin at
// the top-left corner of the drawable area. Texts are Windows-1252 bytes.
//
// Errors: a canvas keeps the first failure in error() (empty while all is
// well). After a failure the drawing operations may do nothing; whoever drives
// the canvas checks error() and either ends or aborts the document.
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    // Starts the job and its one page; false (with error() set) if the
    // surface cannot be drawn on at all.
    virtual bool beginDocument() = 0;
    // Ends the page and the job; false (with error() set) if that failed.
    virtual bool endDocument() = 0;
    // Gives up a begun job after a failure, so that the surface is free for
    // the next one.
    virtual void abortDocument() = 0;

    // A bitmap fills the rectangle, an icon keeps its own size at the
    // top-left corner, a metafile plays into the rectangle, no picture draws
    // nothing.
    virtual void drawPicture(const PrintPicture& picture, const PrintRect& rect) = 0;
    // Outline only, the stroke centred on the edges; never filled.
    virtual void drawRectangle(const PrintRect& rect) = 0;
    // One line with its character cell's top-left corner at (x, y),
    // transparent background, never clipped or wrapped.
    virtual void drawText(int x, int y, const std::string& text) = 0;
    // Height of the text's character cell in the current font; 0 if the
    // surface cannot measure it.
    virtual int textHeight(const std::string& text) = 0;

    virtual void setFontFace(const std::string& face) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontStyle(FontStyle style) = 0;
    virtual void setPenWidth(int width) = 0;

    // Why the job failed, once it has; nothing while all goes well.
    virtual Result error() const = 0;
    bool failed() const { return error().has_value(); }
};

} // namespace kestrix
