#include "ui/main/PrintCommand.h"

#include "print/qt/PrintDialogSetup.h"
#include "print/qt/PrintJob.h"
#include "print/qt/SheetPrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kestrix {

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

Result PrintCommand::run(const CharacterSheet& sheet, const QString& title,
                         const QtPrintPicture& picture, const QtPrintPicture& emblem) {
    if (Result noPrinter = noPrinterError())
        return noPrinter;
    if (!askUser())
        return std::nullopt;
    m_printer->setDocName(title);
    return printCharacterSheet(*m_printer, sheet, picture, emblem);
}

} // namespace kestrix
