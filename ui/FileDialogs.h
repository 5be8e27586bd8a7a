#pragma once

#include <QString>
#include <deque>
#include <optional>

class QFileDialog;
class QWidget;

namespace kestrix {

// The three file dialogs of the main window, each one object for the whole
// run. Tests queue answers with setNextFileName() so no dialog blocks them.
class FileDialogs {
public:
    explicit FileDialogs(QWidget* parent);

    // Offers the file chosen the previous time.
    std::optional<QString> askOpenCharacter();
    std::optional<QString> askSaveCharacter(const QString& suggestedName);
    // Offers the picture chosen the previous time.
    std::optional<QString> askPicture();

    // The next dialog returns this instead of showing; a null QString
    // stands for a cancelled dialog.
    void setNextFileName(const QString& answer);

    QFileDialog* openDialog() const { return m_open; }
    QFileDialog* saveDialog() const { return m_save; }
    QFileDialog* pictureDialog() const { return m_picture; }

private:
    std::optional<QString> run(QFileDialog* dialog, const QString& offered);

    QFileDialog* m_open;
    QFileDialog* m_save;
    QFileDialog* m_picture;
    QString m_lastOpened;
    QString m_lastPicture;
    std::deque<QString> m_nextAnswers;
};

} // namespace kestrix
