#pragma once

#include <optional>
#include <string>

namespace kestrix {

// What a failed file operation reports: a code and the message users see.
// Codes 2..5 are the classic platform codes, 100 a short read, 101 a short
// write; any other code reads "I/O error <code>".
struct FileError {
    int code = 0;
    std::string message;

    static FileError fromCode(int code);
    bool operator==(const FileError& other) const {
        return code == other.code && message == other.message;
    }
};

std::string fileErrorMessage(int code);

// The outcome of a file operation: empty on success.
using FileResult = std::optional<FileError>;

} // namespace kestrix
