#pragma once

#include <string>

namespace kestrix {

// A process as it can be told from any other, ever: a pid alone is reused,
// by the next boot or by a later process of this one. The boot it ran in
// and its start time (in clock ticks since that boot) make it unique.
struct ProcessIdentity {
    std::string bootId; // the kernel's boot id, hexadecimal digits only; empty if unknown
    long pid = 0;
    unsigned long long startTicks = 0; // 0 if unknown

    bool operator==(const ProcessIdentity& other) const {
        return bootId == other.bootId && pid == other.pid && startTicks == other.startTicks;
    }
    bool operator!=(const ProcessIdentity& other) const { return !(*this == other); }
};

ProcessIdentity currentProcessIdentity();

// Whether that process still runs: the same boot, a process with its pid,
// started when it was. A boot id may be given by its first digits. What
// cannot be read counts for running, so that a running editor's work is
// never taken for abandoned.
bool isProcessRunning(const ProcessIdentity& process);

} // namespace kestrix
