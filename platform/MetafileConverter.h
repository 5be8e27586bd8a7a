#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kestrix {

// Runs the metafile converter (kestrix-metafile) as a separate process with
// limits on time, memory and processor, so that a hostile or damaged
// metafile that crashes, hangs or exhausts the parsers costs the editor a
// message, never the user's unsaved work.
class MetafileConverter {
public:
    struct Limits {
        int wallMilliseconds = 5000;
        int cpuSeconds = 5;
        qint64 addressSpaceBytes = qint64(512) * 1024 * 1024;
        qint64 outputBytes = qint64(32) * 1024 * 1024;
    };

    // The converter installed beside the running executable.
    MetafileConverter();
    MetafileConverter(QString program, Limits limits);

    // The SVG document of the metafile at path, or nothing when the
    // converter could not be started, failed, crashed, ran out of time or
    // memory, or wrote too much.
    std::optional<QByteArray> toSvg(const QString& path) const;

    const QString& program() const { return m_program; }
    const Limits& limits() const { return m_limits; }

private:
    QString m_program;
    Limits m_limits;
};

// The converter that the picture loader runs. Tests point it at another
// program or give it other limits.
MetafileConverter& metafileConverter();

} // namespace kestrix
