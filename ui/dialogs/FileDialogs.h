#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace kestrix {

class PdfFileDialog;

// The file dialogs of the main window, each one object for the whole
// run. Tests queue answers with setNextFileName() so no dialog blocks them.
//
// A dialog is built the first time it is needed: building one costs more
// than the rest of start-up together (its icons, its file model and the
// directory scan behind it). Each still opens where the program was started,
// as it would have had it been built with the main window.
class FileDialogs {
public:
    explicit FileDialogs(QWidget* parent);

    // Offers the file chosen the previous time.
    std::optional<QString> askOpenCharacter();
    std::optional<QString> askSaveCharacter(const QString& suggestedName);
    // Offers the picture chosen the previous time.
    std::optional<QString> askPicture();
    // "Exportar PDF ...": `suggestedPath` names the file and, when it holds
    // a folder, where the dialog opens. The dialog refuses a name that would
    // replace `characterFile` or any other file that is not a PDF.
    std::optional<QString> askExportPdf(const QString& suggestedPath,
                                        const std::string& characterFile = {});

    // The next dialog returns this instead of showing; a null QString
    // stands for a cancelled dialog.
    void setNextFileName(const QString& answer);

    QFileDialog* openDialog();
    QFileDialog* saveDialog();
    QFileDialog* pictureDialog();
    QFileDialog* pdfDialog();

private:
    std::optional<QString> run(QFileDialog* (FileDialogs::*dialogOf)(), const QString& offered);

    QWidget* m_parent;
    QString m_startDirectory;
    QFileDialog* m_open = nullptr;
    QFileDialog* m_save = nullptr;
    QFileDialog* m_picture = nullptr;
    PdfFileDialog* m_pdf = nullptr;
    QString m_lastOpened;
    QString m_lastPicture;
    std::deque<QString> m_nextAnswers;
};

} // namespace kestrix
