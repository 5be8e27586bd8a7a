#include "tools/kestrix-metafile/DrawingBudget.h"

#include "svgcheck/SvgAllowList.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <clocale>
#include <cstdio>
#include <sys/time.h>

namespace kestrix {
namespace {

// The toolkit's notes about its environment (no runtime folder, no fonts of
// a family) are no reason to give: the reason for a refusal is.
void keepToolkitQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Texts need the toolkit's fonts, and those need an application. It draws
// offscreen, whatever display the user has, loads no platform theme or
// other plugin the environment names, and is given no command line: a
// file name is never read as one of its options.
void makeToolkitReady() {
    if (QGuiApplication::instance() != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_QPA_GENERIC_PLUGINS");
    qInstallMessageHandler(keepToolkitQuiet);
    static int argc = 1;
    static char name[] = "kestrix-metafile";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process: toolkit objects may outlive any scope.
    new QGuiApplication(argc, argv);
    // The application takes the user's locale; the conversions write
    // numbers with a decimal point whatever it is.
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace

bool withinDrawingBudget(const DrawingCost& cost) {
    return cost.cpuSeconds <= kDrawingBudgetSeconds && cost.memoryBytes <= kDrawingBudgetBytes;
}

std::string drawingBudgetViolation(std::string_view svg) {
    makeToolkitReady();
    const QByteArray document(svg.data(), static_cast<qsizetype>(svg.size()));
    bool valid = false;
    const DrawingCost cost = costOf([&document, &valid] {
        // As the editor reads a picture: embedded images within the caps.
        const int savedLimit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(kEmbeddedImageAllocationMb);
        QSvgRenderer renderer(document);
        QImageReader::setAllocationLimit(savedLimit);
        valid = renderer.isValid();
        if (!valid)
            return;
        QImage image(kLargestPictureSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(image.rect()));
    });
    if (!valid)
        return "an SVG document the renderer cannot read";
    if (!withinDrawingBudget(cost))
        return "a drawing that costs more than the editor affords";
    return {};
}

void endProcessFarBeyondDrawingBudget() {
    // SIGPROF ends the process: nothing here catches it.
    itimerval timer{};
    timer.it_value.tv_sec = static_cast<time_t>(2 * kDrawingBudgetSeconds);
    setitimer(ITIMER_PROF, &timer, nullptr);
}

} // namespace kestrix
