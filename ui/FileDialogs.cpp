#include "FileDialogs.h"

#include <QFileDialog>

namespace kestrix {
namespace {

// Patterns match regardless of case, as they would on the file systems these
// characters come from.
const char* const kCharacterFilters = "Personagem (*.[Qq][Ss][Zz]);;Todos os Arquivos (*)";
const char* const kPictureFilters =
    "Figura (*.[Bb][Mm][Pp] *.[Ww][Mm][Ff] *.[Ii][Cc][Oo]);;Todos os Arquivos (*)";

QFileDialog* makeDialog(QWidget* parent, const char* title, const char* filters,
                        QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent, QString::fromUtf8(title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(QString::fromUtf8(filters).split(";;"));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setModal(true);
    return dialog;
}

} // namespace

FileDialogs::FileDialogs(QWidget* parent)
    : m_open(makeDialog(parent, "Abrir Arquivo ...", kCharacterFilters, QFileDialog::AcceptOpen)),
      m_save(makeDialog(parent, "Salvar Arquivo ...", kCharacterFilters, QFileDialog::AcceptSave)),
      m_picture(makeDialog(parent, "Abrir Figura ...", kPictureFilters, QFileDialog::AcceptOpen)) {
    m_open->setObjectName("opendlg");
    m_save->setObjectName("savedlg");
    m_picture->setObjectName("opendlgFigura");
    m_open->setDefaultSuffix("QsZ");
    m_save->setDefaultSuffix("QsZ");
}

void FileDialogs::setNextFileName(const QString& answer) {
    m_nextAnswers.push_back(answer);
}

std::optional<QString> FileDialogs::run(QFileDialog* dialog, const QString& offered) {
    if (!m_nextAnswers.empty()) {
        const QString answer = m_nextAnswers.front();
        m_nextAnswers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    dialog->selectNameFilter(dialog->nameFilters().constFirst());
    if (!offered.isEmpty())
        dialog->selectFile(offered);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> FileDialogs::askOpenCharacter() {
    auto chosen = run(m_open, m_lastOpened);
    if (chosen)
        m_lastOpened = *chosen;
    return chosen;
}

std::optional<QString> FileDialogs::askSaveCharacter(const QString& suggestedName) {
    return run(m_save, suggestedName);
}

std::optional<QString> FileDialogs::askPicture() {
    auto chosen = run(m_picture, m_lastPicture);
    if (chosen)
        m_lastPicture = *chosen;
    return chosen;
}

} // namespace kestrix
