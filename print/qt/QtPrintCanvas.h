#pragma once

#include "print/PrintCanvas.h"
#include "print/qt/QtPrintPicture.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPaintDevice;

namespace kestrix {

// The page is laid out in dots of a 300 dots-per-inch printer.
constexpr int kPrintResolution = 300;

// What a printer adds to a paint device: whether its job has failed, and
// how to cancel it. Plain paint devices (an image, a PDF writer) have
// neither. Kept apart from the canvas so that drawing a page needs no print
// support loaded (PrintJob.h makes one for a QPrinter).
struct DeviceJob {
    std::function<bool()> failed;
    std::function<void()> abort;
};

// The printed page drawn with a QPainter on any paint device (a QPrinter, or
// a QImage for previews and tests), in the device's own units: no margins and
// no scaling, only font sizes follow the device's vertical resolution.
class QtPrintCanvas : public PrintCanvas {
public:
    static constexpr const char* kPrinterNotValid = "Printer selected is not valid";
    static constexpr const char* kPrintingFailed = "Printing failed";

    explicit QtPrintCanvas(QPaintDevice& device, DeviceJob job = {});

    // Makes a picture known to the canvas; the layout gets back the reference
    // it passes to drawPicture().
    PrintPicture addPicture(const QtPrintPicture& picture);

    bool beginDocument() override;
    bool endDocument() override;
    void abortDocument() override;

    void drawPicture(const PrintPicture& picture, const PrintRect& rect) override;
    void drawRectangle(const PrintRect& rect) override;
    void drawText(int x, int y, const std::string& text) override;
    int textHeight(const std::string& text) override;

    void setFontFace(const std::string& face) override;
    void setFontSize(int points) override;
    void setFontStyle(FontStyle style) override;
    void setPenWidth(int width) override;

    Result error() const override { return m_error; }

    // The font as the device sees it; exposed for tests and previews.
    QFont font() const { return m_font; }

private:
    void updateFont();
    void checkDevice();
    void fail(const char* message);
    bool drawing() const;

    QPaintDevice& m_device;
    DeviceJob m_job;
    QPainter m_painter;
    QFont m_font;
    QString m_face;
    int m_points = 12;
    FontStyle m_style = FontStyle::None;
    int m_penWidth = 1;
    std::vector<QtPrintPicture> m_pictures;
    Result m_error;
};

} // namespace kestrix
