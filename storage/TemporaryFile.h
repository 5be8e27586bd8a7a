#pragma once

#include <string>

namespace kestrix {

// The new file of a save until it takes the old file's place. Where the file
// system allows, it has no name until just before that rename (O_TMPFILE),
// so a save killed on the way leaves nothing behind. Elsewhere it is a hidden
// file named after the saving process, ".kestrix-<pid>-<n>-<n>.tmp" (pid and
// numbers in hexadecimal), removed on failure and, should the process be
// killed, by a later save (removeStaleTemporaryFiles).
class TemporaryFile {
public:
    enum class Kind {
        Unnamed, // a named file where the file system cannot make one without a name
        Named,
    };

    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file, empty and writable, in `directory`. Returns 0 or an
    // errno value.
    int create(const std::string& directory, Kind kind = Kind::Unnamed);
    int fd() const { return m_fd; }
    // The file's name while it has one; empty for a file without a name.
    const std::string& path() const { return m_path; }

    // Closes the file and renames it over `target`, naming it first if it has
    // no name. Returns 0 or an errno value; on failure the destructor still
    // removes the file.
    int replace(const std::string& target);

private:
    int giveName();
    int closeFile();

    int m_fd = -1;
    std::string m_directory;
    std::string m_path;
};

// Removes from `directory` the temporary files of saves whose process is gone:
// regular files named as above whose pid no longer runs and that the user
// saving owns (root: any owner). Nothing is reported; what cannot be removed
// stays.
void removeStaleTemporaryFiles(const std::string& directory);

} // namespace kestrix
