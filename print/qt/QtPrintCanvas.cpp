#include "print/qt/QtPrintCanvas.h"

#include "core/Windows1252.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPen>
#include <QRectF>
#include <cmath>

namespace kestrix {
namespace {

QString fromWindows1252(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char byte : text) {
        result.append(
            QChar(static_cast<char16_t>(windows1252ToUnicode(static_cast<unsigned char>(byte)))));
    }
    return result;
}

QRectF toRectF(const PrintRect& rect) {
    return QRectF(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

} // namespace

QtPrintCanvas::QtPrintCanvas(QPaintDevice& device, DeviceJob job)
    : m_device(device), m_job(std::move(job)) {
    updateFont();
}

PrintPicture QtPrintCanvas::addPicture(const QtPrintPicture& picture) {
    if (picture.kind == PrintPicture::Kind::None) {
        return {};
    }
    m_pictures.push_back(picture);
    return {picture.kind, static_cast<int>(m_pictures.size() - 1)};
}

bool QtPrintCanvas::beginDocument() {
    m_error.reset();
    if (!m_painter.begin(&m_device)) {
        fail(kPrinterNotValid);
        return false;
    }
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    setPenWidth(1);
    updateFont();
    checkDevice();
    return !failed();
}

bool QtPrintCanvas::endDocument() {
    if (m_painter.isActive() && !m_painter.end()) {
        fail(kPrintingFailed);
    }
    checkDevice();
    return !failed();
}

void QtPrintCanvas::abortDocument() {
    // Qt's PDF engine cannot cancel a job; ending the painter then at least
    // closes it, so the printer is free for the next one (a page for a print
    // queue is only sent once drawn, see CupsJob).
    if (m_job.abort && m_painter.isActive()) {
        m_job.abort();
    }
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

void QtPrintCanvas::drawPicture(const PrintPicture& picture, const PrintRect& rect) {
    if (!drawing() || picture.handle < 0 || picture.handle >= static_cast<int>(m_pictures.size())) {
        return;
    }
    const QtPrintPicture& source = m_pictures[static_cast<std::size_t>(picture.handle)];
    const QRectF target = toRectF(rect);
    // No picture draws outside its frame, whatever it holds: a metafile's
    // shapes beyond its own frame, an icon larger than the frame.
    m_painter.save();
    m_painter.setClipRect(target, Qt::IntersectClip);
    switch (picture.kind) {
    case PrintPicture::Kind::None:
        break;
    case PrintPicture::Kind::Icon:
        if (!source.image.isNull()) {
            m_painter.drawImage(target.topLeft(), source.image);
        }
        break;
    case PrintPicture::Kind::Bitmap:
        // A rectangle turned inside out (a name font taller than the space
        // above the attribute table) would mirror the picture; leave it blank.
        if (!source.image.isNull() && target.width() > 0 && target.height() > 0) {
            m_painter.drawImage(target, source.image);
        }
        break;
    case PrintPicture::Kind::Metafile:
        if (source.player && target.width() > 0 && target.height() > 0) {
            source.player(m_painter, target);
        }
        break;
    }
    m_painter.restore();
    checkDevice();
}

void QtPrintCanvas::drawRectangle(const PrintRect& rect) {
    if (!drawing()) {
        return;
    }
    m_painter.drawRect(toRectF(rect));
    checkDevice();
}

void QtPrintCanvas::drawText(int x, int y, const std::string& text) {
    if (!drawing()) {
        return;
    }
    // QPainter places text on its baseline; the layout gives the top of the
    // character cell.
    const QFontMetrics metrics(m_font, &m_device);
    m_painter.drawText(QPointF(x, y + metrics.ascent()), fromWindows1252(text));
    checkDevice();
}

int QtPrintCanvas::textHeight(const std::string&) {
    // Every line of one font has the same cell height, whatever its letters;
    // an empty text too.
    return QFontMetrics(m_font, &m_device).height();
}

void QtPrintCanvas::setFontFace(const std::string& face) {
    m_face = fromWindows1252(face);
    updateFont();
}

void QtPrintCanvas::setFontSize(int points) {
    m_points = points;
    updateFont();
}

void QtPrintCanvas::setFontStyle(FontStyle style) {
    m_style = style;
    updateFont();
}

void QtPrintCanvas::setPenWidth(int width) {
    m_penWidth = width;
    QPen pen(Qt::black);
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (m_painter.isActive()) {
        m_painter.setPen(pen);
    }
}

void QtPrintCanvas::updateFont() {
    // Before the layout names a face, the application's: a font with no
    // family at all crashes Qt's recording of a page for the print preview.
    QFont font;
    if (!m_face.isEmpty())
        font.setFamily(m_face);
    // Points become device dots through the device's vertical resolution,
    // so text keeps its size on paper whatever the printer's resolution.
    const long pixels = std::lround(m_points * m_device.logicalDpiY() / 72.0);
    font.setPixelSize(static_cast<int>(pixels > 0 ? pixels : 1));
    font.setBold(m_style == FontStyle::Bold);
    font.setItalic(m_style == FontStyle::Italic);
    m_font = font;
    if (m_painter.isActive()) {
        m_painter.setFont(m_font);
    }
}

void QtPrintCanvas::checkDevice() {
    if (failed()) {
        return;
    }
    if (m_job.failed && m_job.failed()) {
        fail(kPrintingFailed);
    }
}

void QtPrintCanvas::fail(const char* message) {
    if (!m_error) {
        m_error = Error{0, message};
    }
}

bool QtPrintCanvas::drawing() const {
    return m_painter.isActive() && !failed();
}

} // namespace kestrix
