#pragma once

#include <string>
#include <vector>

namespace kestrix {

// What a finished program left behind.
struct ProgramRun {
    int exitStatus = -1; // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments` (no shell involved), its standard output
// and error captured through files in `scratchDir`.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratchDir);

} // namespace kestrix
