#pragma once

#include "core/Error.h"
#include "print/qt/QtPrintPicture.h"
#include "ui/main/PrintSource.h"

#include <QString>
#include <deque>
#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace kestrix {

class CharacterSheet;

// "Imprimir ...": the print dialog, then one job of one page. The printer
// and the settings the user confirms (copies among them) stay for later
// jobs. Tests queue the dialog's answer with setNextAnswer(). Part of the
// print module (PrintModule.h).
class PrintCommand {
public:
    explicit PrintCommand(QWidget* parent);
    ~PrintCommand();

    // Prints the sheet as a job titled `title`. Fails with the error to
    // report; succeeds when the page was printed or the user cancelled.
    Result run(const CharacterSheet& sheet, const QString& title, const QtPrintPicture& picture,
               const QtPrintPicture& emblem);

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
