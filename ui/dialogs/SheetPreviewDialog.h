#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QPaintDevice;
class QPrinter;
class QPrintPreviewWidget;

namespace kestrix {

// "Visualizar Impressão ...": the page as it will print, on the paper of the
// exported PDF, with zoom. Its "Imprimir ..." closes the preview and asks
// the window to print the normal way, so a print from here goes through the
// same dialog, job and error reporting as "Imprimir ...".
class SheetPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // `drawPage` draws the current sheet on the device it is given.
    SheetPreviewDialog(std::function<void(QPaintDevice&)> drawPage, QWidget* parent);
    ~SheetPreviewDialog() override;

    // Draws the current sheet afresh; the dialog stays for the whole run.
    void refresh();
    QPrintPreviewWidget* preview() const { return m_preview; }

signals:
    void printRequested();

private:
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    std::function<void(QPaintDevice&)> m_drawPage;
};

} // namespace kestrix
