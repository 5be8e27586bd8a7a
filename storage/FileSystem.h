#pragma once

#include "storage/FileError.h"

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace kestrix {

// The few file operations the program needs, on POSIX, each reporting its
// failure as a Error with the code users know.

// Maps an errno value from an operation on `path` to a file error. A missing
// file is "File not found" when its directory exists and "Invalid filename"
// when it does not; an errno without a code of its own reads "I/O error <errno>".
Error fileErrorFromErrno(int errnoValue, const std::string& path);

struct ReadResult {
    std::string bytes;
    Result error;
};

// Reads at most maxBytes from the start of an existing file, opened for
// reading only. A file shorter than maxBytes is not an error here: the caller
// sees how many bytes came back.
ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes);

// Reads a whole existing file, opened for reading only.
inline ReadResult readWholeFile(const std::string& path) {
    return readFilePrefix(path, std::numeric_limits<std::size_t>::max());
}

// Reads at most maxBytes from the start of a regular file, such as a
// character file the editor opens. Anything else (a directory, a pipe, a
// device, a socket) is refused at once with "File access denied": nothing
// here waits for a writer or a device.
ReadResult readRegularFilePrefix(const std::string& path, std::size_t maxBytes);
// The same, also giving what the opened file was (fstat of the descriptor
// read), so that the bytes and the status describe one file.
ReadResult readRegularFilePrefix(const std::string& path, std::size_t maxBytes,
                                 struct stat& status);

// The same for a reader that takes its input once from a regular file or a
// pipe (standard input, a process substitution, a named pipe). Opening never
// waits: a named pipe without a writer reads as empty.
ReadResult readFileOrPipePrefix(const std::string& path, std::size_t maxBytes);

// Reads a whole regular file of at most maxBytes, opened for reading only and
// without waiting for a writer. Anything else is refused unread: a FIFO or a
// device may never end, and a larger file would cost more than the caller
// can hold. Checking costs one fstat. A directory fails with its file error,
// as reading it would.
struct BoundedReadResult {
    enum class Refusal { None, NotRegularFile, TooLarge };
    std::string bytes;
    Result error;
    Refusal refused = Refusal::None;
};
BoundedReadResult readRegularFile(const std::string& path, std::size_t maxBytes);

// Replaces the file at `path` with `bytes` without ever leaving a damaged file
// behind: the bytes go to a new, unnamed file in the same directory, reach
// the disk, and only then take the old file's place, so even a killed save
// leaves no stray file. A symbolic link keeps pointing at the replaced file,
// except one that the kernel's rule for sticky, world-writable directories
// would not follow (refused with "File access denied"). The replaced file's
// permission bits, and its owner and group where allowed, are kept. An
// existing file that the user may not write is refused with "File access
// denied", as writing it in place would be. On failure the old file is
// untouched and no new file is left behind.
//
// Where that safe way would refuse a save that a plain write allows (the
// directory may not be written, or the file is shared and a new file could
// keep neither its owner nor its group), the existing file is written over in
// place instead (see writeInPlace): room for the whole new file is made
// first, and a write that still fails puts the old bytes back.
//
// A path holding a NUL is refused with "Invalid filename" before anything
// is touched, as every function here refuses it.
Result replaceFileSafely(const std::string& path, std::string_view bytes);

// True for an existing file that is not a directory.
bool isExistingFile(const std::string& path);

} // namespace kestrix
