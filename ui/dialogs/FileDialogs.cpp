#include "ui/dialogs/FileDialogs.h"

#include "ui/dialogs/PdfFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace kestrix {
namespace {

// Patterns match regardless of case, as they would on the file systems these
// characters come from.
const char* const kCharacterFilters = "Personagem (*.[Qq][Ss][Zz]);;Todos os Arquivos (*)";
const char* const kPictureFilters =
    "Figura (*.[Bb][Mm][Pp] *.[Ww][Mm][Ff] *.[Ii][Cc][Oo]);;Todos os Arquivos (*);;"
    "Foto PNG, JPEG ou GIF (*.[Pp][Nn][Gg] *.[Jj][Pp][Gg] *.[Jj][Pp][Ee][Gg] *.[Gg][Ii][Ff])";
const char* const kPdfFilters = "PDF (*.[Pp][Dd][Ff])";

QFileDialog* setUpDialog(QFileDialog* dialog, const char* name, const char* filters,
                         QFileDialog::AcceptMode mode) {
    dialog->setObjectName(name);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(QString::fromUtf8(filters).split(";;"));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setModal(true);
    return dialog;
}

QFileDialog* makeDialog(QWidget* parent, const QString& directory, const char* name,
                        const char* title, const char* filters, QFileDialog::AcceptMode mode) {
    return setUpDialog(new QFileDialog(parent, QString::fromUtf8(title), directory), name, filters,
                       mode);
}

} // namespace

// Start-up makes the program's directory current only after this runs.
FileDialogs::FileDialogs(QWidget* parent)
    : m_parent(parent), m_startDirectory(QDir::currentPath()) {}

QFileDialog* FileDialogs::openDialog() {
    if (!m_open) {
        m_open = makeDialog(m_parent, m_startDirectory, "opendlg", "Abrir Arquivo ...",
                            kCharacterFilters, QFileDialog::AcceptOpen);
        m_open->setDefaultSuffix("QsZ");
    }
    return m_open;
}

QFileDialog* FileDialogs::saveDialog() {
    if (!m_save) {
        m_save = makeDialog(m_parent, m_startDirectory, "savedlg", "Salvar Arquivo ...",
                            kCharacterFilters, QFileDialog::AcceptSave);
        m_save->setDefaultSuffix("QsZ");
    }
    return m_save;
}

QFileDialog* FileDialogs::pictureDialog() {
    if (!m_picture) {
        m_picture = makeDialog(m_parent, m_startDirectory, "opendlgFigura", "Abrir Figura ...",
                               kPictureFilters, QFileDialog::AcceptOpen);
    }
    return m_picture;
}

QFileDialog* FileDialogs::pdfDialog() {
    if (!m_pdf) {
        // A save dialog asks before it writes over an existing PDF; this one
        // refuses any other file.
        m_pdf = new PdfFileDialog(m_parent, m_startDirectory);
        setUpDialog(m_pdf, "exportpdfdlg", kPdfFilters, QFileDialog::AcceptSave);
        m_pdf->setDefaultSuffix("pdf");
    }
    return m_pdf;
}

void FileDialogs::setNextFileName(const QString& answer) {
    m_nextAnswers.push_back(answer);
}

std::optional<QString> FileDialogs::run(QFileDialog* (FileDialogs::*dialogOf)(),
                                        const QString& offered) {
    if (!m_nextAnswers.empty()) {
        const QString answer = m_nextAnswers.front();
        m_nextAnswers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    QFileDialog* dialog = (this->*dialogOf)();
    dialog->selectNameFilter(dialog->nameFilters().constFirst());
    if (!offered.isEmpty())
        dialog->selectFile(offered);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> FileDialogs::askOpenCharacter() {
    auto chosen = run(&FileDialogs::openDialog, m_lastOpened);
    if (chosen)
        m_lastOpened = *chosen;
    return chosen;
}

std::optional<QString> FileDialogs::askSaveCharacter(const QString& suggestedName) {
    return run(&FileDialogs::saveDialog, suggestedName);
}

std::optional<QString> FileDialogs::askPicture() {
    auto chosen = run(&FileDialogs::pictureDialog, m_lastPicture);
    if (chosen)
        m_lastPicture = *chosen;
    return chosen;
}

std::optional<QString> FileDialogs::askExportPdf(const QString& suggestedPath,
                                                 const std::string& characterFile) {
    if (m_nextAnswers.empty()) {
        pdfDialog();
        m_pdf->setCharacterFile(characterFile);
    }
    return run(&FileDialogs::pdfDialog, suggestedPath);
}

} // namespace kestrix
