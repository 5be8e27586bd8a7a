#include "print/qt/SheetPrintDialog.h"

#include "print/qt/PrintDialogSetup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace kestrix {
namespace {

// Names of the page-choice controls in Qt's print dialog form.
const char* const kRangeGroup = "gbPrintRange";
const char* const kAllPages = "printAll";
const char* const kPagesList = "pagesLineEdit";
const char* const kPageSetCombo = "pageSetCombo";
const char* const kPageSetLabel = "pageSetLabel";

} // namespace

SheetPrintDialog::SheetPrintDialog(QPrinter* printer, QWidget* parent)
    : QPrintDialog(printer, parent) {
    configurePrintDialog(*this);
}

void SheetPrintDialog::setVisible(bool visible) {
    if (visible) {
        configurePrintDialog(*this);
        resetPageChoice();
    }
    // Qt shows the range group and the page set again while it shows the
    // dialog, so they are hidden afterwards.
    QPrintDialog::setVisible(visible);
    if (visible)
        hidePageChoice();
}

void SheetPrintDialog::resetPageChoice() {
    if (auto* all = findChild<QRadioButton*>(kAllPages))
        all->setChecked(true);
    if (auto* pages = findChild<QLineEdit*>(kPagesList))
        pages->clear();
    if (auto* pageSet = findChild<QComboBox*>(kPageSetCombo))
        pageSet->setCurrentIndex(0);
}

void SheetPrintDialog::hidePageChoice() {
    for (const char* name : {kRangeGroup, kPageSetCombo, kPageSetLabel}) {
        if (auto* control = findChild<QWidget*>(name))
            control->hide();
    }
}

} // namespace kestrix
