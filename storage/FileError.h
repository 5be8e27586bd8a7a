#pragma once

#include "Error.h"

#include <string>

namespace kestrix {

// File errors carry the classic platform codes 2..5, 100 for a short read and
// 101 for a short write; any other code reads "I/O error <code>".
std::string fileErrorMessage(int code);

// The error of that code, with its message.
Error fileError(int code);

} // namespace kestrix
