#pragma once

#include "Error.h"

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
    explicit CupsJob(QPrinter& printer);
    ~CupsJob();
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    // False when the printer is no print queue (a PDF file, for instance),
    // or the temporary file cannot be made: the printer then works as Qt's
    // engine does, and submit() has nothing to do.
    bool takesOver() const { return m_file != nullptr; }

    // Sends the finished page to the queue. Fails with the print system's own
    // message when it refuses the job.
    Result submit();

private:
    QPrinter& m_printer;
    std::unique_ptr<QTemporaryFile> m_file;
};

// The options a job on this printer goes with: paper, copies, collation,
// sides, orientation and the options chosen in the printer's properties, as
// Qt's engine sends them, without any page range or page set: the sheet is
// one page and always printed whole.
CupsOptions cupsJobOptions(const QPrinter& printer);

// Drops a page range, page list or odd/even page set that an earlier print
// dialog left on the printer.
void clearPageSelection(QPrinter& printer);

} // namespace kestrix
