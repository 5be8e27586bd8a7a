#pragma once

#include "core/Error.h"
#include "print/qt/QtPrintPicture.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <vector>

class QIODevice;

namespace kestrix {

class CharacterSheet;

// The distance of a typical printer's printable area from the paper's edges:
// the printed layout's origin sits this far in from the page's corner, so a
// PDF page matches the printed one.
constexpr double kPdfPrintableOffsetInches = 1.0 / 6.0;

// Letter where the locale measures in US units (LC_MEASUREMENT), A4 anywhere
// else, as the paper of the PDF and of the preview.
QPageSize localePaperSize(const QLocale& locale = QLocale::system());

// Portrait paper with the fixed printable-area offset on every side.
QPageLayout sheetPageLayout(const QPageSize& paper);

// One page of a PDF: a character and the picture its sheet shows.
struct SheetPdfPage {
    const CharacterSheet* sheet = nullptr;
    QtPrintPicture picture = QtPrintPicture::none();
};

struct SheetPdfInfo {
    QString title;   // the document's title, usually the character's name
    QString creator; // the program and its version
    QPageSize paper = localePaperSize();
};

// Writes the pages through the printed sheet's own layout, one after the
// other, as one PDF on `device` (open for writing): the same dots at the
// same 300 dots-per-inch positions, texts as text in embedded fonts,
// metafile pictures as vector drawings. Fails with the error to report.
Result writeSheetPdf(QIODevice& device, const std::vector<SheetPdfPage>& pages,
                     const QtPrintPicture& emblem, const SheetPdfInfo& info);

} // namespace kestrix
