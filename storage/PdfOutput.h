#pragma once

#include "core/Error.h"

#include <string>
#include <vector>

namespace kestrix {

// Why a PDF must not be written at a path: every command that writes one
// checks the path first, so that a PDF never takes the place of a
// character or of any other file that is not a PDF.
enum class PdfOutputRefusal {
    None,
    InvalidName,         // holds a NUL
    CharacterFileName,   // ends in ".qsz", in any letter case
    SameAsCharacterFile, // is one of the character files written from
    NotAPdf,             // exists and does not start with "%PDF-"
    Unreadable,          // exists, but cannot be read to tell
};

// Checks `path` against the character files the PDF is made from (each
// compared by device and inode, so links and other spellings are caught).
// An existing empty file holds nothing to lose and may be written.
PdfOutputRefusal pdfOutputRefusal(const std::string& path,
                                  const std::vector<std::string>& characterFiles);

// The same as the error to report, nothing when the PDF may be written.
Result checkPdfOutput(const std::string& path, const std::vector<std::string>& characterFiles);

} // namespace kestrix
