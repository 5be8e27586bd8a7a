#pragma once

#include <string>
#include <string_view>

namespace kestrix::bench {

// A fresh directory under the system's temporary directory, removed with
// everything in it when this goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(std::string_view name) const;

private:
    std::string m_path;
};

// Writes `bytes` to `path`, replacing any file there; throws on failure, since
// a benchmark without its input measures nothing.
void writeFile(const std::string& path, std::string_view bytes);

// The text of a catalogue file with `entries` entries, in the shipped files'
// format: Windows-1252 names with accents, CR LF line ends, some entries with
// the variable-cost marker.
std::string catalogueText(int entries, std::string_view variableCostMarker);

} // namespace kestrix::bench
