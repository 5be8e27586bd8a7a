#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// Writes `bytes` over the existing regular file at `path` in place, the way
// to save where no new file can take the old one's place. Returns 0 or an
// errno value.
//
// The old file is never torn by a failure the write could meet: the whole
// new length is first checked against the file-size limit and reserved on
// the disk (or, where the file system cannot reserve, checked against its
// free space), and should a write or the sync still fail, the bytes it
// covered and the old length are written back before the failure is
// reported. What this cannot undo: the machine stopping in the middle, a
// failure to write the old bytes back as well, and a file the user may
// write but not read (its old bytes cannot be kept aside first).
int writeInPlace(const std::string& path, std::string_view bytes);

} // namespace kestrix
