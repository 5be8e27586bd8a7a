#pragma once

#include "core/Error.h"

#include <string>

namespace kestrix {

// The classic platform codes a file error carries, and the two the record
// reader and writer add; each reads as its message in the one error box.
enum class FileErrorCode : int {
    FileNotFound = 2,
    InvalidFilename = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    ReadBeyondEnd = 100, // a record shorter than its format
    DiskFull = 101,      // a write that did not take every byte
};

// The message of a code.
std::string fileErrorMessage(FileErrorCode code);

// The error of that code, with its message.
Error fileError(FileErrorCode code);

} // namespace kestrix
