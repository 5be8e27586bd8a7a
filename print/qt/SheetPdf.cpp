#include "print/qt/SheetPdf.h"

#include "print/PrintSheet.h"
#include "print/qt/QtPrintCanvas.h"

#include <QPdfWriter>

namespace kestrix {
namespace {

// The printed layout draws one page as one job. In a PDF of many pages the
// first page's begin opens the document, each later begin only turns the
// page, and only the writer's owner ends the document.
class PdfPagesCanvas : public PrintCanvas {
public:
    PdfPagesCanvas(QPdfWriter& writer, QtPrintCanvas& canvas)
        : m_writer(writer), m_canvas(canvas) {}

    bool beginDocument() override {
        if (!m_begun) {
            m_begun = true;
            return m_canvas.beginDocument();
        }
        if (!m_writer.newPage()) {
            m_error = Error{0, QtPrintCanvas::kPrintingFailed};
            return false;
        }
        return !failed();
    }
    bool endDocument() override { return !failed(); }
    void abortDocument() override { m_canvas.abortDocument(); }
    bool finish() { return !m_begun || m_canvas.endDocument(); }

    void drawPicture(const PrintPicture& picture, const PrintRect& rect) override {
        m_canvas.drawPicture(picture, rect);
    }
    void drawRectangle(const PrintRect& rect) override { m_canvas.drawRectangle(rect); }
    void drawText(int x, int y, const std::string& text) override { m_canvas.drawText(x, y, text); }
    int textHeight(const std::string& text) override { return m_canvas.textHeight(text); }
    void setFontFace(const std::string& face) override { m_canvas.setFontFace(face); }
    void setFontSize(int points) override { m_canvas.setFontSize(points); }
    void setFontStyle(FontStyle style) override { m_canvas.setFontStyle(style); }
    void setPenWidth(int width) override { m_canvas.setPenWidth(width); }
    Result error() const override { return m_error ? m_error : m_canvas.error(); }

private:
    QPdfWriter& m_writer;
    QtPrintCanvas& m_canvas;
    bool m_begun = false;
    Result m_error;
};

} // namespace

QPageSize localePaperSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QPageLayout sheetPageLayout(const QPageSize& paper) {
    const double offset = kPdfPrintableOffsetInches;
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(offset, offset, offset, offset),
                       QPageLayout::Inch);
}

Result writeSheetPdf(QIODevice& device, const std::vector<SheetPdfPage>& pages,
                     const QtPrintPicture& emblem, const SheetPdfInfo& info) {
    QPdfWriter writer(&device);
    writer.setResolution(kPrintResolution);
    writer.setPageLayout(sheetPageLayout(info.paper));
    writer.setTitle(info.title);
    writer.setCreator(info.creator);

    Result error;
    {
        QtPrintCanvas canvas(writer);
        PdfPagesCanvas pagesCanvas(writer, canvas);
        const PrintPicture emblemHandle = canvas.addPicture(emblem);
        for (const SheetPdfPage& page : pages) {
            const PrintSheetInput input{*page.sheet, canvas.addPicture(page.picture), emblemHandle};
            error = PrintSheet(pagesCanvas, input);
            if (error)
                break;
        }
        if (!error && !pagesCanvas.finish())
            error = pagesCanvas.error();
    }
    return error;
}

} // namespace kestrix
