// Draws a picture file as the editor does, for the tests that measure what
// that costs under limits of their own: loads it (the converter runs as the
// editor runs it, and the window's image is rendered), then plays it on a
// PDF page and on a raster page, as printing and the print preview do, at
// the printed picture box's size. Prints "drawn" or "refused", then the
// largest address space the process took.
//
// picture-draw-probe CONVERTER PICTURE
#include "platform/MetafileConverter.h"
#include "platform/MetafilePicture.h"
#include "platform/Picture.h"
#include "tools/kestrix-metafile/DrawingBudget.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string peakAddressSpace() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmPeak:") {
            std::string kilobytes;
            status >> kilobytes;
            return kilobytes;
        }
    }
    return "0";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int toolkitArgc = 1;
    QGuiApplication application(toolkitArgc, argv);
    kestrix::metafileConverter() = kestrix::MetafileConverter(QString::fromLocal8Bit(argv[1]), {});
    const kestrix::PictureLoad load = kestrix::loadPictureFile(QString::fromLocal8Bit(argv[2]));
    if (load.ok()) {
        const QRectF box(QPointF(0, 0), QSizeF(kestrix::kLargestPictureSize));
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setResolution(300);
            QPainter painter(&writer);
            kestrix::playMetafile(load.picture.svg, painter, box);
        }
        QImage page(kestrix::kLargestPictureSize, QImage::Format_ARGB32_Premultiplied);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        kestrix::playMetafile(load.picture.svg, painter, box);
    }
    std::printf("%s %s\n", load.ok() ? "drawn" : "refused", peakAddressSpace().c_str());
    return 0;
}
