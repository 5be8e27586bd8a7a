#include "storage/ProcessIdentity.h"

#include "storage/FileSystem.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace kestrix {
namespace {

std::string currentBootId() {
    const ReadResult read = readRegularFilePrefix("/proc/sys/kernel/random/boot_id", 64);
    std::string id;
    if (read.error)
        return id;
    for (const char c : read.bytes) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))
            id += c;
    }
    return id;
}

// Field 22 of /proc/PID/stat; 0 when it cannot be read. The command name
// before it is in parentheses and may hold spaces and parentheses itself.
unsigned long long startTicksOf(long pid) {
    const ReadResult read = readRegularFilePrefix("/proc/" + std::to_string(pid) + "/stat", 4096);
    if (read.error)
        return 0;
    const auto nameEnd = read.bytes.rfind(')');
    if (nameEnd == std::string::npos)
        return 0;
    // After the name: state (field 3), then fields 4 to 21, then the start.
    std::size_t at = nameEnd + 1;
    for (int field = 3; field <= 22; ++field) {
        while (at < read.bytes.size() && read.bytes[at] == ' ')
            ++at;
        if (field == 22)
            return std::strtoull(read.bytes.c_str() + at, nullptr, 10);
        at = read.bytes.find(' ', at);
        if (at == std::string::npos)
            return 0;
    }
    return 0;
}

} // namespace

ProcessIdentity currentProcessIdentity() {
    ProcessIdentity identity;
    identity.bootId = currentBootId();
    identity.pid = static_cast<long>(getpid());
    identity.startTicks = startTicksOf(identity.pid);
    return identity;
}

bool isProcessRunning(const ProcessIdentity& process) {
    if (process.pid <= 0)
        return false;
    const std::string boot = currentBootId();
    // A copy's name holds only the first digits of its boot id.
    if (!boot.empty() && !process.bootId.empty() &&
        boot.compare(0, process.bootId.size(), process.bootId) != 0)
        return false;
    if (kill(static_cast<pid_t>(process.pid), 0) != 0 && errno == ESRCH)
        return false;
    const unsigned long long started = startTicksOf(process.pid);
    return started == 0 || process.startTicks == 0 || started == process.startTicks;
}

} // namespace kestrix
