#pragma once

#include <string_view>
#include <sys/types.h>

namespace kestrix {

// The writing steps every save shares. Each returns 0 or an errno value and
// tries again when a signal interrupts it.

// Writes all of `bytes` from the descriptor's offset. A file-size limit
// fails with EFBIG instead of ending the process.
int writeAll(int fd, std::string_view bytes);
// The same at `offset`, leaving the descriptor's offset alone.
int writeAllAt(int fd, std::string_view bytes, off_t offset);
// Brings the file's data and length to the disk.
int syncFile(int fd);

} // namespace kestrix
