#pragma once

#include <QPrintDialog>

namespace kestrix {

// The print dialog of the one-page sheet. Qt's own dialog offers a page
// range, a "Pages:" list and an odd/even page set even when the range is
// turned off (it hands them to the print system), and any of them leaves the
// single page out of the job. They are hidden and put back to "all pages"
// every time the dialog is shown, so that no earlier choice carries over.
class SheetPrintDialog : public QPrintDialog {
public:
    explicit SheetPrintDialog(QPrinter* printer, QWidget* parent = nullptr);

    void setVisible(bool visible) override;

private:
    void resetPageChoice();
    void hidePageChoice();
};

} // namespace kestrix
