#pragma once

#include "Picture.h"
#include "QtPrintPicture.h"

#include <QImage>
#include <QString>
#include <deque>
#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace kestrix {

struct Document;

// A picture of the window as the printed sheet draws it.
QtPrintPicture toPrintPicture(const Picture& picture);

// What a print queue lists the job as, so that on a shared printer everyone
// tells whose sheet is whose: the character's name, else its file's name
// without the extension, else "Personagem".
QString printJobTitle(const Document& document);

// "Imprimir ...": the print dialog, then one job of one page. The printer
// and the settings the user confirms (copies among them) stay for later
// jobs. Tests queue the dialog's answer with setNextAnswer().
class PrintCommand {
public:
    explicit PrintCommand(QWidget* parent);
    ~PrintCommand();

    // Prints the document's sheet. Fails with the error to report; succeeds
    // when the page was printed or the user cancelled.
    Result run(const Document& document, const Picture& picture, const QImage& emblem);

    void setNextAnswer(bool accept) { m_nextAnswers.push_back(accept); }
    QPrinter* printer() const { return m_printer.get(); }

private:
    bool askUser();

    QWidget* m_parent;
    // Made on first use: asking the print system for its printers has no
    // place in start-up.
    std::unique_ptr<QPrinter> m_printer;
    QPrintDialog* m_dialog = nullptr;
    std::deque<bool> m_nextAnswers;
};

} // namespace kestrix
