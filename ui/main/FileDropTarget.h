#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace kestrix {

// What a drag brings that the main window takes: one local file, either a
// character (.QsZ) or a picture (bmp, ico, wmf, emf, png, jpg, jpeg, gif),
// told by its suffix.
struct DroppedFile {
    enum class Kind { None, Character, Picture };
    Kind kind = Kind::None;
    QString path;
};
DroppedFile droppedFile(const QMimeData* data);

// Takes files dropped on a window: a character anywhere on it, a picture
// only on its picture box. Other drags (text on an edit) go on as before.
// The file is handed over once the drop has finished, so that a prompt it
// leads to does not keep the program the file came from waiting. A drop is
// always taken as a copy, and anything but a regular file is refused
// unopened, with the error box.
class FileDropTarget : public QObject {
public:
    using Take = std::function<void(const QString& path)>;

    FileDropTarget(QWidget* window, QWidget* pictureBox, Take openCharacter, Take setPicture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QWidget* m_pictureBox;
    Take m_openCharacter;
    Take m_setPicture;
};

} // namespace kestrix
