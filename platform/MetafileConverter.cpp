#include "platform/MetafileConverter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <sys/resource.h>
#include <utility>

namespace kestrix {
namespace {

constexpr const char* kProgramName = "kestrix-metafile";
// How long to wait at a time for output, so the deadline is checked often.
constexpr int kSliceMilliseconds = 100;

void limit(int resource, rlim_t value) {
    const rlimit bounds{value, value};
    setrlimit(resource, &bounds);
}

} // namespace

MetafileConverter::MetafileConverter()
    : MetafileConverter(QDir(QCoreApplication::applicationDirPath()).filePath(kProgramName),
                        Limits{}) {}

MetafileConverter::MetafileConverter(QString program, Limits limits)
    : m_program(std::move(program)), m_limits(limits) {}

std::optional<QByteArray> MetafileConverter::toSvg(const QString& path) const {
    QProcess process;
    process.setProgram(m_program);
    process.setArguments({path});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const Limits limits = m_limits;
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([limits] {
        limit(RLIMIT_AS, static_cast<rlim_t>(limits.addressSpaceBytes));
        limit(RLIMIT_CPU, static_cast<rlim_t>(limits.cpuSeconds));
        limit(RLIMIT_CORE, 0);
        // It writes to its output pipe and nowhere else.
        limit(RLIMIT_FSIZE, 0);
    });

    QDeadlineTimer deadline(m_limits.wallMilliseconds);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(m_limits.wallMilliseconds))
        return std::nullopt;

    QByteArray svg;
    bool withinLimits = true;
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired() || svg.size() > m_limits.outputBytes) {
            withinLimits = false;
            break;
        }
        process.waitForReadyRead(
            static_cast<int>(std::min<qint64>(kSliceMilliseconds, deadline.remainingTime())));
        svg += process.readAllStandardOutput();
    }
    if (!withinLimits) {
        process.kill();
        process.waitForFinished(-1);
        return std::nullopt;
    }
    svg += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        svg.size() > m_limits.outputBytes)
        return std::nullopt;
    return svg;
}

MetafileConverter& metafileConverter() {
    static MetafileConverter converter;
    return converter;
}

} // namespace kestrix
