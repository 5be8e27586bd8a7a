// The print module (kestrix-print.so): the print command and the preview,
// with Qt's print support, behind the PrintModule interface.
#include "ui/dialogs/SheetPreviewDialog.h"
#include "ui/main/PrintCommand.h"
#include "ui/main/PrintModule.h"

namespace kestrix {
namespace {

class LoadedPrintModule : public PrintModule {
public:
    explicit LoadedPrintModule(QWidget* parent) : m_parent(parent), m_command(parent) {}

    Result print(const CharacterSheet& sheet, const QString& title, const QtPrintPicture& picture,
                 const QtPrintPicture& emblem) override {
        return m_command.run(sheet, title, picture, emblem);
    }

    void preview(std::function<void(QPaintDevice&)> drawPage,
                 std::function<void()> print) override {
        m_print = std::move(print);
        if (m_preview == nullptr) {
            m_preview = new SheetPreviewDialog(std::move(drawPage), m_parent);
            // Queued: the preview closes before the print dialog opens.
            QObject::connect(
                m_preview, &SheetPreviewDialog::printRequested, m_preview,
                [this] {
                    if (m_print)
                        m_print();
                },
                Qt::QueuedConnection);
        }
        m_preview->refresh();
        m_preview->open();
    }

    PrintCommand& command() override { return m_command; }
    SheetPreviewDialog* previewDialog() override { return m_preview; }

private:
    QWidget* m_parent;
    PrintCommand m_command;
    // A child of the window, deleted with it.
    SheetPreviewDialog* m_preview = nullptr;
    std::function<void()> m_print;
};

} // namespace
} // namespace kestrix

extern "C" Q_DECL_EXPORT kestrix::PrintModule* kestrixCreatePrintModule(QWidget* parent) {
    return new kestrix::LoadedPrintModule(parent);
}
