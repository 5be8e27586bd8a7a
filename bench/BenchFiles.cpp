#include "bench/BenchFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace kestrix::bench {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrix-bench-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary directory under " + pattern);
    m_path = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::file(std::string_view name) const {
    return m_path + "/" + std::string(name);
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

std::string catalogueText(int entries, std::string_view variableCostMarker) {
    std::string text;
    text.reserve(static_cast<std::size_t>(entries) * 32);
    char line[64];
    for (int i = 0; i < entries; ++i) {
        // The names carry Windows-1252 accents, as the shipped files do.
        std::snprintf(line, sizeof line, "%s %d\r\n",
                      i % 2 ? "Aptid\xE3o"
                            : "Per\xED"
                              "cia",
                      i);
        text += line;
        if (i % 7 == 3)
            text += variableCostMarker;
        else
            text += std::to_string(i % 5 + 1);
        text += "\r\n";
    }
    return text;
}

} // namespace kestrix::bench
