#include "ui/dialogs/SheetPreviewDialog.h"

#include "print/qt/QtPrintCanvas.h"
#include "print/qt/SheetPdf.h"

#include <QDialogButtonBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace kestrix {

SheetPreviewDialog::SheetPreviewDialog(std::function<void(QPaintDevice&)> drawPage, QWidget* parent)
    : QDialog(parent), m_drawPage(std::move(drawPage)) {
    setObjectName("PreviewDlg");
    setWindowTitle(QString::fromUtf8("Visualizar Impressão"));
    setModal(true);

    // A PDF printer: drawing the preview asks no print system for anything.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setResolution(kPrintResolution);
    m_printer->setPageLayout(sheetPageLayout(localePaperSize()));

    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_drawPage(*printer); });

    auto* tools = new QToolBar(this);
    tools->addAction(QString::fromUtf8("Ampliar"), m_preview, [this] { m_preview->zoomIn(); });
    tools->addAction(QString::fromUtf8("Reduzir"), m_preview, [this] { m_preview->zoomOut(); });
    tools->addAction(QString::fromUtf8("Página Inteira"), m_preview,
                     [this] { m_preview->fitInView(); });
    tools->addAction(QString::fromUtf8("Largura da Página"), m_preview,
                     [this] { m_preview->fitToWidth(); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print =
        buttons->addButton(QString::fromUtf8("&Imprimir ..."), QDialogButtonBox::AcceptRole);
    print->setObjectName("PreviewPrint");
    QPushButton* close =
        buttons->addButton(QString::fromUtf8("&Fechar"), QDialogButtonBox::RejectRole);
    close->setObjectName("PreviewClose");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        accept();
        emit printRequested();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tools);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(720, 820);
}

SheetPreviewDialog::~SheetPreviewDialog() = default;

void SheetPreviewDialog::refresh() {
    m_preview->updatePreview();
    m_preview->fitInView();
}

} // namespace kestrix
