#include "tools/kestrix-metafile/DrawingCost.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace kestrix {
namespace {

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A line of /proc/self/status, in bytes; 0 when it cannot be read.
std::size_t statusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            std::size_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

// Starts the peak resident size afresh from the current one (Linux 4.0 on).
bool resetPeak() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

std::size_t peakSinceStart() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

} // namespace

DrawingCost costOf(const std::function<void()>& draw) {
    // Where the peak cannot be started afresh, the growth of the peak of the
    // whole run stands in: it misses a drawing that stays under an earlier
    // peak, never one that sets a new one.
    const bool reset = resetPeak();
    const std::size_t before = reset ? statusBytes("VmRSS:") : peakSinceStart();
    const double start = processorSeconds();
    draw();
    DrawingCost cost;
    cost.cpuSeconds = processorSeconds() - start;
    const std::size_t peak = reset ? statusBytes("VmHWM:") : peakSinceStart();
    cost.memoryBytes = peak > before ? peak - before : 0;
    return cost;
}

} // namespace kestrix
