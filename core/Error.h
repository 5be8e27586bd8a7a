#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kestrix {

// Why a step failed: the message the user reads in the one error box (which
// adds the closing full stop) and, for a file error, the code behind it; 0
// where there is none. Messages are English, in UTF-8 (they may name a file).
struct [[nodiscard]] Error {
    int code = 0;
    std::string message;

    bool operator==(const Error& other) const {
        return code == other.code && message == other.message;
    }
};

// What every fallible step returns, in every layer: nothing when it
// succeeded, or the error to show. A result left unread is a failure no one
// hears of, so the compiler says so.
class [[nodiscard]] Result : public std::optional<Error> {
public:
    using std::optional<Error>::optional;
    Result(std::optional<Error> result) : std::optional<Error>(std::move(result)) {}

    // Compared as the optional it is; spelt out so that comparing with an
    // error or with nullopt picks these rather than two of optional's own.
    const std::optional<Error>& optional() const { return *this; }
    friend bool operator==(const Result& a, const Result& b) {
        return a.optional() == b.optional();
    }
    friend bool operator==(const Result& a, const Error& b) { return a.optional() == b; }
    friend bool operator==(const Error& a, const Result& b) { return a == b.optional(); }
    friend bool operator==(const Result& a, std::nullopt_t) { return !a.has_value(); }
    friend bool operator==(std::nullopt_t, const Result& b) { return !b.has_value(); }
    template <typename T> friend bool operator!=(const Result& a, const T& b) { return !(a == b); }
};

} // namespace kestrix
