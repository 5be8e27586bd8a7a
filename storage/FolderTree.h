#pragma once

#include <string>
#include <sys/types.h>

namespace kestrix {

// Makes `folder` and the folders above it that are missing, each with
// `mode`. All or nothing: when one cannot be made (a name too long, a file
// in the way, no permission), the folders made on the way are removed
// again. Returns 0 or the errno value of the step that failed.
int makeFolderTree(const std::string& folder, mode_t mode);

} // namespace kestrix
