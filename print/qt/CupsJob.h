#pragma once

#include "core/Error.h"
#include "print/qt/CupsLibrary.h"

#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QPrinter;
class QTemporaryFile;

namespace kestrix {

using CupsOptions = std::vector<std::pair<std::string, std::string>>;

// One page for a CUPS queue, handed to the queue by this program. Qt's CUPS
// engine sends its PDF itself but ignores what the print system answers, so a
// refused job (a queue that does not accept jobs, a server gone since the
// dialog) looked printed. While a CupsJob lives, the printer writes its PDF to
// a temporary file instead; submit() sends that file and reports a refusal.
// A job never submitted (drawing failed) is simply dropped.
class CupsJob {
public:
    // The print system's library is loaded from `cupsLibrary` when the job is
    // sent (tests name one that is missing).
    explicit CupsJob(QPrinter& printer, const char* cupsLibrary = CupsLibrary::kFileName);
    ~CupsJob();
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    // False when the printer is no print queue (a PDF file, for instance),
    // or the temporary file cannot be made: the printer then works as Qt's
    // engine does, and submit() has nothing to do.
    bool takesOver() const { return m_file != nullptr; }

    // Sends the finished page to the queue, titled with the printer's
    // document name. Fails with the print system's own message when it
    // refuses the job, or when the print system cannot be loaded.
    Result submit();

private:
    QPrinter& m_printer;
    const char* m_cupsLibrary;
    std::unique_ptr<QTemporaryFile> m_file;
};

// The options a job on this printer goes with: paper, copies, collation,
// sides, orientation and the options chosen in the printer's properties, as
// Qt's engine sends them, without any page range or page set: the sheet is
// one page and always printed whole.
CupsOptions cupsJobOptions(const QPrinter& printer);

// The printer's document name as the title of a job in a queue: control
// characters become spaces (queue listings show one title a line) and it
// keeps to the 255 bytes a job name may have, never cutting a character.
std::string cupsJobTitle(const QString& documentName);

// Drops a page range, page list or odd/even page set that an earlier print
// dialog left on the printer.
void clearPageSelection(QPrinter& printer);

} // namespace kestrix
