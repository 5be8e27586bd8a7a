#pragma once

#include "core/Error.h"

#include <cups/cups.h>

namespace kestrix {

// The functions of the print system's library that a print job calls, looked
// up when a job is sent rather than linked into the program: the library
// brings some eighteen of its own (TLS, Kerberos, service discovery, ...),
// and loading them all at start-up would cost every run what only printing
// needs. Once loaded it stays for the rest of the process.
class CupsLibrary {
public:
    static constexpr const char* kFileName = "libcups.so.2";

    // Loads `fileName` (tests name one that is missing) and looks up every
    // function; error() says what was missing.
    explicit CupsLibrary(const char* fileName = kFileName);

    // Set when the library or one of its functions could not be found; the
    // functions below must not be called then.
    const Result& error() const { return m_error; }

    int addOption(const char* name, const char* value, int count, cups_option_t** options) const {
        return m_addOption(name, value, count, options);
    }
    void freeOptions(int count, cups_option_t* options) const { m_freeOptions(count, options); }
    // Sends a file to a queue of the default server; the job's number, or 0.
    int printFile(const char* queue, const char* file, const char* title, int count,
                  cups_option_t* options) const {
        return m_printFile2(CUPS_HTTP_DEFAULT, queue, file, title, count, options);
    }
    const char* lastErrorString() const { return m_lastErrorString(); }

private:
    decltype(&cupsAddOption) m_addOption = nullptr;
    decltype(&cupsFreeOptions) m_freeOptions = nullptr;
    decltype(&cupsPrintFile2) m_printFile2 = nullptr;
    decltype(&cupsLastErrorString) m_lastErrorString = nullptr;
    Result m_error;
};

} // namespace kestrix
