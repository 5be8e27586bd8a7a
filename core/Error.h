#pragma once

#include <optional>
#include <string>

namespace kestrix {

// Why a step failed: the message the user reads in the one error box (which
// adds the closing full stop) and, for a file error, the code behind it; 0
// where there is none. Messages are English, in UTF-8 (they may name a file).
struct Error {
    int code = 0;
    std::string message;

    bool operator==(const Error& other) const {
        return code == other.code && message == other.message;
    }
};

// What every fallible step returns, in every layer: nothing when it
// succeeded, or the error to show.
using Result = std::optional<Error>;

} // namespace kestrix
