// Runs a fuzz target's entry point over files and directories of inputs
// without libFuzzer, so the committed seed corpus is checked by every build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument = argv[i];
        if (fs::is_directory(argument)) {
            for (const auto& entry : fs::recursive_directory_iterator(argument)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(argument)) {
            inputs.push_back(argument);
        } else {
            std::cerr << argument.string() << ": no such file or directory\n";
            return 1;
        }
    }
    // An empty corpus would make the replay pass without checking anything.
    if (inputs.empty()) {
        std::cerr << "usage: " << argv[0] << " INPUT-FILE-OR-DIRECTORY... (no inputs found)\n";
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        std::cout << "replaying " << input.filename().string() << " (" << bytes.size() << " bytes)"
                  << std::endl;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed\n";
    return 0;
}
