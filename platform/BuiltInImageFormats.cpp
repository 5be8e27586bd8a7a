#include "platform/BuiltInImageFormats.h"

#include <QIODevice>
#include <QImage>
#include <QImageReader>

namespace {

// Set while this plugin's reader hands a file to Qt's own: Qt then asks this
// plugin again, by the format's name, and must be told no.
thread_local bool handingOver = false;

// Whether the device's next bytes are what a file of this format starts
// with; the device is left where it was.
bool startsAs(QIODevice* device, const QByteArray& format) {
    if (device == nullptr || !device->isReadable())
        return false;
    if (format == "png")
        return device->peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
    if (format == "bmp")
        return device->peek(2) == "BM";
    return false;
}

// Hands the device to Qt's own reader for the format, told not to look for
// plugins.
class BuiltInReader : public QImageIOHandler {
public:
    explicit BuiltInReader(const QByteArray& format) { setFormat(format); }

    bool canRead() const override { return startsAs(device(), format()); }

    bool read(QImage* image) override {
        QImageReader reader(device(), format());
        reader.setAutoDetectImageFormat(false);
        handingOver = true;
        const bool read = reader.read(image);
        handingOver = false;
        return read;
    }
};

} // namespace

QImageIOPlugin::Capabilities
KestrixBuiltInImageFormats::capabilities(QIODevice* device, const QByteArray& format) const {
    return !handingOver && startsAs(device, format) ? CanRead : Capabilities();
}

QImageIOHandler* KestrixBuiltInImageFormats::create(QIODevice* device,
                                                    const QByteArray& format) const {
    auto* handler = new BuiltInReader(format);
    handler->setDevice(device);
    return handler;
}
