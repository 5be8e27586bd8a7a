#pragma once

#include <csignal>

namespace kestrix {

// Ignores a signal while it lives, then puts back what was there. A write
// past the file-size limit raises SIGXFSZ, whose default action ends the
// process; while SIGXFSZ is ignored the write fails with EFBIG instead.
class SignalIgnored {
public:
    explicit SignalIgnored(int signal) : m_signal(signal) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_restore = sigaction(m_signal, &ignore, &m_previous) == 0;
    }
    ~SignalIgnored() {
        if (m_restore)
            sigaction(m_signal, &m_previous, nullptr);
    }
    SignalIgnored(const SignalIgnored&) = delete;
    SignalIgnored& operator=(const SignalIgnored&) = delete;

private:
    int m_signal;
    struct sigaction m_previous {};
    bool m_restore = false;
};

} // namespace kestrix
