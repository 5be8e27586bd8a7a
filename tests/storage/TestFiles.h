#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kestrix::test {

// A fresh directory under /tmp, removed with everything in it at the end.
// Others may enter it, so a child running as an unprivileged user can too.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
// The names in a directory, sorted, without "." and "..".
std::vector<std::string> listDirectory(const std::string& path);

// Runs `body` in a forked child and returns what it returned: empty when all
// went well, otherwise what went wrong. A body that cannot set up its case
// returns kSkip followed by the reason. A child killed by a signal reports it.
inline const std::string kSkip = "SKIP: ";
std::string runInChild(const std::function<std::string()>& body);

// Gives up root for the unprivileged "nobody" user (a no-op when not root).
// Returns what failed, or an empty text.
std::string dropPrivileges();

// Gives up root for the user `uid` with the primary group `gid` and the
// supplementary `groups`; the ids need no entry in the user database.
// Returns what failed, or an empty text.
std::string becomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups = {});

} // namespace kestrix::test

// Runs `body` in a child and turns its outcome into a gtest result.
#define KESTRIX_EXPECT_IN_CHILD(...)                                                               \
    do {                                                                                           \
        const std::string kestrixOutcome = ::kestrix::test::runInChild(__VA_ARGS__);               \
        if (kestrixOutcome.rfind(::kestrix::test::kSkip, 0) == 0)                                  \
            GTEST_SKIP() << kestrixOutcome.substr(::kestrix::test::kSkip.size());                  \
        EXPECT_EQ(kestrixOutcome, "");                                                             \
    } while (false)
