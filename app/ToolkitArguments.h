#pragma once

#include <string>
#include <vector>

namespace kestrix {

// The command line the toolkit is handed: the program's name and the
// toolkit options the parser took, nothing else. It outlives the
// application object, which keeps pointers into it (and may take options
// out of it).
class ToolkitArguments {
public:
    ToolkitArguments(const char* program, const std::vector<std::string>& options)
        : m_strings{program ? program : "kestrix"} {
        m_strings.insert(m_strings.end(), options.begin(), options.end());
        for (std::string& argument : m_strings)
            m_pointers.push_back(argument.data());
        m_pointers.push_back(nullptr);
        m_count = static_cast<int>(m_strings.size());
    }
    ToolkitArguments(const ToolkitArguments&) = delete;
    ToolkitArguments& operator=(const ToolkitArguments&) = delete;

    int& count() { return m_count; }
    char** values() { return m_pointers.data(); }

private:
    std::vector<std::string> m_strings;
    std::vector<char*> m_pointers;
    int m_count = 0;
};

} // namespace kestrix
