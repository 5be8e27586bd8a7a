#include "ui/dialogs/PdfFileDialog.h"

#include "storage/PdfOutput.h"
#include "ui/form/WindowFont.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace kestrix {
namespace {

// Why the name was refused, in a sentence naming the file; empty when it
// was not.
QString refusalText(PdfOutputRefusal refusal, const QString& name) {
    const auto text = [&name](const char* utf8) { return QString::fromUtf8(utf8).arg(name); };
    switch (refusal) {
    case PdfOutputRefusal::None:
        break;
    case PdfOutputRefusal::InvalidName:
        return text("“%1” não é um nome de arquivo válido.");
    case PdfOutputRefusal::CharacterFileName:
        return text("“%1” é nome de arquivo de personagem. Escolha outro nome para o PDF.");
    case PdfOutputRefusal::SameAsCharacterFile:
    case PdfOutputRefusal::NotAPdf:
        return text("“%1” já existe e não é um arquivo PDF: ele não será substituído. "
                    "Escolha outro nome.");
    case PdfOutputRefusal::Unreadable:
        return text("“%1” já existe e não pôde ser lido para saber se é um PDF: ele não "
                    "será substituído. Escolha outro nome.");
    }
    return {};
}

} // namespace

PdfFileDialog::PdfFileDialog(QWidget* parent, const QString& directory)
    : QFileDialog(parent, QStringLiteral("Exportar PDF ..."), directory) {}

void PdfFileDialog::setCharacterFile(const std::string& path) {
    m_characterFiles.clear();
    if (!path.empty())
        m_characterFiles.push_back(path);
}

void PdfFileDialog::accept() {
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) {
        const QString path = chosen.constFirst();
        const QString refused =
            refusalText(pdfOutputRefusal(QFile::encodeName(path).toStdString(), m_characterFiles),
                        QFileInfo(path).fileName());
        if (!refused.isEmpty()) {
            QMessageBox notice(QMessageBox::Warning, windowTitle(), refused, QMessageBox::NoButton,
                               this);
            notice.setObjectName("pdfRefusedBox");
            notice.setFont(windowFont());
            notice.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            notice.exec();
            return;
        }
    }
    QFileDialog::accept();
}

} // namespace kestrix
