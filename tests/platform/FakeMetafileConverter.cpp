// Stands in for kestrix-metafile in the editor's fault tests: the first word
// of the file it is given says how to misbehave.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

const char* const kGoodSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"20\" viewBox=\"0 0 10 20\">"
    "<rect x=\"0\" y=\"0\" width=\"10\" height=\"20\" fill=\"#FF0000\"/></svg>\n";

unsigned long long limitOf(int resource) {
    rlimit bounds{};
    getrlimit(resource, &bounds);
    return static_cast<unsigned long long>(bounds.rlim_cur);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    std::string mode;
    std::ifstream(argv[1]) >> mode;

    if (mode == "good") {
        std::fputs(kGoodSvg, stdout);
    } else if (mode == "crash") {
        std::raise(SIGSEGV);
    } else if (mode == "spin") {
        for (volatile unsigned long i = 0;; i = i + 1) {
        }
    } else if (mode == "sleep") {
        std::this_thread::sleep_for(std::chrono::hours(1));
    } else if (mode == "hog") {
        // Succeeds only where nothing limits the address space.
        const std::size_t size = std::size_t(1) << 30;
        auto* block = static_cast<char*>(std::malloc(size));
        if (block == nullptr)
            std::abort();
        std::memset(block, 1, size);
        std::fputs(kGoodSvg, stdout);
    } else if (mode == "flood") {
        const std::string chunk(1 << 16, ' ');
        std::fputs("<svg xmlns=\"http://www.w3.org/2000/svg\">", stdout);
        for (;;)
            std::fwrite(chunk.data(), 1, chunk.size(), stdout);
    } else if (mode == "junk") {
        std::fputs("this is no picture", stdout);
    } else if (mode == "frameless") {
        std::fputs("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 0 0\">"
                   "<rect width=\"1\" height=\"1\"/></svg>",
                   stdout);
    } else if (mode == "smuggles") {
        // A replaced converter that draws a local file as the picture.
        std::string target;
        std::ifstream(argv[1]) >> mode >> target;
        std::printf("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"10\" height=\"20\" "
                    "viewBox=\"0 0 10 20\"><image x=\"0\" y=\"0\" width=\"10\" height=\"20\" "
                    "xlink:href=\"%s\"/></svg>\n",
                    target.c_str());
    } else if (mode == "refuses") {
        std::fputs(kGoodSvg, stdout);
        return 1;
    } else if (mode == "limits") {
        std::printf("AS=%llu CPU=%llu CORE=%llu FSIZE=%llu", limitOf(RLIMIT_AS),
                    limitOf(RLIMIT_CPU), limitOf(RLIMIT_CORE), limitOf(RLIMIT_FSIZE));
    } else {
        return 3;
    }
    return 0;
}
