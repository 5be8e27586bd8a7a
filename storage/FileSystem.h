#pragma once

#include "FileError.h"

#include <string>
#include <string_view>

namespace kestrix {

// The few file operations the program needs, on POSIX, each reporting its
// failure as a FileError with the code users know.

// Maps an errno value from an operation on `path` to a file error.
FileError fileErrorFromErrno(int errnoValue, const std::string& path);

struct ReadResult {
    std::string bytes;
    FileResult error;
};

// Reads at most maxBytes from the start of an existing file, opened for
// reading only.
ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes);

// Replaces the file at `path` with `bytes` without ever leaving a damaged file
// behind: the bytes go to a new file in the same directory, reach the disk,
// and only then take the old file's place. A symbolic link keeps pointing at
// the replaced file, and the replaced file's permission bits are kept.
FileResult replaceFileSafely(const std::string& path, std::string_view bytes);

// True for an existing file that is not a directory.
bool isExistingFile(const std::string& path);

} // namespace kestrix
