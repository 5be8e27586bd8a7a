#include "PrintCommand.h"

#include "Document.h"
#include "MetafilePicture.h"
#include "PrintDialogSetup.h"
#include "PrintJob.h"
#include "SheetPdfFile.h"
#include "SheetPrintDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kestrix {

QtPrintPicture toPrintPicture(const Picture& picture) {
    if (picture.isEmpty())
        return QtPrintPicture::none();
    if (picture.kind == Picture::Kind::Icon)
        return QtPrintPicture::icon(picture.image);
    if (picture.kind == Picture::Kind::Metafile) {
        // Played as vector shapes at the printer's resolution, not as the
        // window's small image blown up.
        return QtPrintPicture::metafile([svg = picture.svg](QPainter& painter, const QRectF& rect) {
            playMetafile(svg, painter, rect);
        });
    }
    return QtPrintPicture::bitmap(picture.image);
}

QString printJobTitle(const Document& document) {
    const QString name = sheetPdfTitle(document.sheet);
    if (!name.isEmpty())
        return name;
    const std::string& file = document.file.currentFileName();
    if (!file.empty())
        return QFileInfo(QFile::decodeName(file.c_str())).completeBaseName();
    return QStringLiteral("Personagem");
}

PrintCommand::PrintCommand(QWidget* parent) : m_parent(parent) {}

PrintCommand::~PrintCommand() = default;

bool PrintCommand::askUser() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setCopyCount(1);
        m_printer->setCollateCopies(false);
        m_dialog = new SheetPrintDialog(m_printer.get(), m_parent);
        m_dialog->setObjectName("PRNDLG");
    }
    // Without a default, Qt would leave the dialog on no printer at all.
    if (!QPrinterInfo::availablePrinterNames().contains(m_printer->printerName()))
        m_printer->setPrinterName(initialPrinterName());
    if (!m_nextAnswers.empty()) {
        const bool accept = m_nextAnswers.front();
        m_nextAnswers.pop_front();
        return accept;
    }
    return m_dialog->exec() == QDialog::Accepted;
}

Result PrintCommand::run(const Document& document, const Picture& picture, const QImage& emblem) {
    if (Result noPrinter = noPrinterError())
        return noPrinter;
    if (!askUser())
        return std::nullopt;
    m_printer->setDocName(printJobTitle(document));
    return printCharacterSheet(*m_printer, document.sheet, toPrintPicture(picture),
                               QtPrintPicture::bitmap(emblem));
}

} // namespace kestrix
