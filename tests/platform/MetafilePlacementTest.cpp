// Real-world mapping patterns of metafiles, each drawn where the format puts
// it: in the window's image, on the printed page and in the PDF, and, for
// Windows metafiles, where libwmf's own SVG output puts it.
#include "platform/MetafilePicture.h"
#include "platform/Picture.h"
#include "print/PrintSheet.h"
#include "print/qt/QtPrintCanvas.h"
#include "print/qt/SheetPdf.h"
#include "tests/platform/MetafileTestSupport.h"
#include "tests/tools/MetafileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace kestrix {
namespace {

using test::EmfWriter;
using test::Rgb;
using test::WmfWriter;

// The frame's ground and the one shape each metafile places on it.
constexpr Rgb kGround{0xFF, 0xFF, 0x00};
constexpr Rgb kShape{0xFF, 0x00, 0x00};
constexpr Rgb kOutside{0x00, 0x00, 0xFF};

QColor qColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Where a shape lies, as fractions of its frame.
struct Box {
    double left, top, right, bottom;
};

struct Pattern {
    const char* what;
    const char* file;
    std::string bytes;
    Box shape;
    bool hairline = false; // the shape is a line one device pixel wide
    // libwmf never takes the box for the window, and draws elsewhere what
    // a drawing under a window of its own puts in the frame.
    bool libwmfAgrees = true;
};

// A window with a negative y extent, y growing upwards, as clip art has it:
// the window is the box, turned upside down.
std::string upwardWindowWmf() {
    WmfWriter wmf;
    wmf.windowOrg(-934, 1144).windowExt(3151, -2828).nullPen();
    wmf.brush(0, kGround).rectangle(-934, -1684, 2217, 1144);
    wmf.brush(0, kShape).rectangle(0, 1000, 1000, 0);
    return wmf.placeable(-934, -1684, 2217, 1144, 1000);
}

// A window of another size than the box: the window is drawn onto the box.
std::string windowUnlikeTheBoxWmf() {
    WmfWriter wmf;
    wmf.windowOrg(0, 0).windowExt(4416, 736).nullPen();
    wmf.brush(0, kGround).rectangle(0, 0, 4416, 736);
    wmf.brush(0, kShape).rectangle(1000, 200, 3000, 600);
    return wmf.placeable(-4, -4, 218, 37, 96);
}

// A window set and undone again: the box is the window.
std::string undoneWindowWmf() {
    WmfWriter wmf;
    wmf.saveDc().windowOrg(0, 0).windowExt(100, 100).restoreDc().nullPen();
    wmf.brush(0, kGround).rectangle(10866, 9154, 19134, 20847);
    wmf.brush(0, kShape).rectangle(12000, 10000, 14000, 12000);
    return wmf.placeable(10866, 9154, 19134, 20847, 1440);
}

// The ground drawn under a window of its own, the shape after that window
// is undone: both in the box.
std::string groundUnderAnUndoneWindowWmf() {
    WmfWriter wmf;
    wmf.saveDc().windowOrg(0, 0).windowExt(8268, 11693).nullPen();
    wmf.brush(0, kGround).rectangle(0, 0, 8268, 11693).restoreDc();
    wmf.brush(0, kShape).rectangle(12000, 10000, 14000, 12000);
    return wmf.placeable(10866, 9154, 19134, 20847, 1440);
}

// An anisotropic mapping whose window is set and whose viewport never is:
// the window is drawn onto the frame (libemf2svg alone puts every point at
// the origin).
std::string windowWithoutViewportEmf() {
    EmfWriter emf(1000, 1000);
    emf.mapMode(8).windowExt(2000, 2000).nullPen();
    emf.brush(kGround).rectangle(0, 0, 2000, 2000);
    emf.brush(kShape).rectangle(200, 200, 1000, 1000);
    return emf.bytes();
}

// y growing upwards through the extents' signs, as the drawing interface
// takes them.
std::string upwardWindowEmf() {
    EmfWriter emf(1000, 1000);
    emf.mapMode(8).windowOrg(0, 1000).windowExt(1000, -1000).viewportExt(1000, 1000).nullPen();
    emf.brush(kGround).rectangle(0, 0, 1000, 1000);
    emf.brush(kShape).rectangle(200, 200, 600, 400);
    return emf.bytes();
}

// A world transform scaling by 20 and a pen of width 0 under it.
std::string cosmeticPenEmf() {
    EmfWriter emf(1000, 1000);
    emf.worldTransform(20, 0, 0, 20, 0, 0).nullPen();
    emf.brush(kGround).rectangle(0, 0, 50, 50);
    emf.pen(0, 0, kShape).polyline({{10, 20}, {40, 20}});
    return emf.bytes();
}

std::vector<Pattern> patterns() {
    return {
        {"window with a negative extent",
         "acima.wmf",
         upwardWindowWmf(),
         {934 / 3151.0, 144 / 2828.0, 1934 / 3151.0, 1144 / 2828.0}},
        {"window unlike the box",
         "faixa.wmf",
         windowUnlikeTheBoxWmf(),
         {1000 / 4416.0, 200 / 736.0, 3000 / 4416.0, 600 / 736.0}},
        {"window undone by RESTOREDC",
         "desfeita.wmf",
         undoneWindowWmf(),
         {1134 / 8268.0, 846 / 11693.0, 3134 / 8268.0, 2846 / 11693.0}},
        {"ground under a window undone by RESTOREDC",
         "desfeita2.wmf",
         groundUnderAnUndoneWindowWmf(),
         {1134 / 8268.0, 846 / 11693.0, 3134 / 8268.0, 2846 / 11693.0},
         false,
         false},
        {"window without a viewport", "uml.emf", windowWithoutViewportEmf(), {0.1, 0.1, 0.5, 0.5}},
        {"enhanced window upwards", "acima.emf", upwardWindowEmf(), {0.2, 0.6, 0.6, 0.8}},
        {"hairline under a scaling transform",
         "grafico.emf",
         cosmeticPenEmf(),
         {0.2, 0.4, 0.8, 0.4},
         true},
    };
}

// The smallest rectangle of pixels near the colour.
QRect inkOf(const QImage& image, QColor colour, const QRect& within, int tolerance = 60) {
    QRect box;
    const QRect area = within.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test::near(image.pixelColor(x, y), colour, tolerance))
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

// Checks that the shape lies where the pattern says within the frame,
// found as the ground's own ink: a pixel or two either way.
void expectPlaced(const QImage& image, const QRect& frame, const Pattern& p, const char* where) {
    SCOPED_TRACE(where);
    // A hairline is smoothed into the ground: half red on yellow counts.
    const QRect shape =
        inkOf(image, qColour(kShape), frame.adjusted(-50, -50, 50, 50), p.hairline ? 140 : 60);
    ASSERT_FALSE(shape.isNull()) << "the shape is drawn";
    const auto at = [&frame](double fraction, bool vertical) {
        return vertical ? frame.top() + fraction * frame.height()
                        : frame.left() + fraction * frame.width();
    };
    const double tolerance = 2.5;
    EXPECT_NEAR(shape.left(), at(p.shape.left, false), tolerance);
    EXPECT_NEAR(shape.right() + 1, at(p.shape.right, false), tolerance);
    if (p.hairline) {
        EXPECT_NEAR(shape.center().y(), at(p.shape.top, true), tolerance);
        EXPECT_LE(shape.height(), 3) << "one device pixel wide, give or take smoothing";
    } else {
        EXPECT_NEAR(shape.top(), at(p.shape.top, true), tolerance);
        EXPECT_NEAR(shape.bottom() + 1, at(p.shape.bottom, true), tolerance);
    }
}

CharacterSheet someone() {
    CharacterSheet sheet;
    sheet.setName("Arkan");
    return sheet;
}

// The sheet printed at 300 dpi, and the frame the picture was played into.
QImage printed(const Picture& picture, QRectF& frame) {
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QtPrintCanvas canvas(page);
    const PrintPicture shown =
        canvas.addPicture(QtPrintPicture::metafile([&](QPainter& painter, const QRectF& rect) {
            frame = rect;
            playMetafile(picture.svg, painter, rect);
        }));
    EXPECT_EQ(PrintSheet(canvas, {someone(), shown, PrintPicture{}}), std::nullopt);
    return page;
}

// The sheet exported as PDF and turned back into pixels at 300 dpi.
QImage exported(const Picture& picture, const QString& folder) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    const CharacterSheet sheet = someone();
    const QtPrintPicture shown =
        QtPrintPicture::metafile([svg = picture.svg](QPainter& painter, const QRectF& rect) {
            playMetafile(svg, painter, rect);
        });
    EXPECT_EQ(writeSheetPdf(pdf, {{&sheet, shown}}, QtPrintPicture::none(),
                            {"Arkan", "Kestrix", QPageSize(QPageSize::Letter)}),
              std::nullopt);
    const QString pdfPath = QDir(folder).filePath("folha.pdf");
    QFile file(pdfPath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf.data());
    file.close();
    const QString stem = QDir(folder).filePath("folha");
    QProcess::execute("pdftoppm", {"-r", "300", "-png", "-singlefile", pdfPath, stem});
    return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
}

// Where libwmf's own SVG output of a Windows metafile is rendered. libwmf
// fits the ink to its picture, and the ground covers the frame: the frame
// is the whole picture.
const QRect kLibwmfFrame(100, 100, 600, 600);

// libwmf's own SVG output, rendered.
std::optional<QImage> libwmfRendering(const QString& wmf, const QString& folder) {
    const QString program = QStandardPaths::findExecutable("wmf2svg");
    if (program.isEmpty())
        return std::nullopt;
    const QString svg = QDir(folder).filePath("libwmf.svg");
    if (QProcess::execute(program, {"-o", svg, wmf}) != 0)
        return std::nullopt;
    QSvgRenderer renderer(svg);
    QImage image(800, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(kLibwmfFrame));
    return image;
}

class MetafilePlacementTest : public ::testing::Test {
protected:
    QString write(const char* name, const std::string& bytes) {
        const QString path = QDir(folder.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    test::ConverterOverride converter{test::realConverter()};
    QTemporaryDir folder;
};

TEST_F(MetafilePlacementTest, EachMappingPatternIsDrawnWhereItsFormatPutsIt) {
    for (const Pattern& p : patterns()) {
        SCOPED_TRACE(p.what);
        const QString path = write(p.file, p.bytes);
        const PictureLoad load = loadPictureFile(path);
        if (!load.ok()) {
            ADD_FAILURE() << load.errorMessage();
            continue;
        }

        const QImage& window = load.picture.image;
        expectPlaced(window, inkOf(window, qColour(kGround), window.rect()), p, "window");

        QRectF frame;
        const QImage page = printed(load.picture, frame);
        expectPlaced(page, frame.toRect(), p, "printed page");

        const QImage pdf = exported(load.picture, folder.path());
        expectPlaced(pdf, inkOf(pdf, qColour(kGround), pdf.rect()), p, "PDF");

        if (QString(p.file).endsWith(".wmf") && p.libwmfAgrees) {
            const std::optional<QImage> reference = libwmfRendering(path, folder.path());
            if (reference)
                expectPlaced(*reference, kLibwmfFrame, p, "libwmf's own rendering");
        }
    }
}

TEST_F(MetafilePlacementTest, NothingIsDrawnOutsideTheFrame) {
    // Shapes far beyond the frame on every side, in both formats.
    WmfWriter wmf;
    wmf.windowOrg(0, 0).windowExt(1000, 1000).nullPen();
    wmf.brush(0, kOutside).rectangle(-5000, -5000, 6000, 6000);
    EmfWriter emf(1000, 1000);
    emf.nullPen().brush(kOutside).rectangle(-5000, -5000, 6000, 6000);
    const struct {
        const char* file;
        std::string bytes;
    } cases[] = {{"enorme.wmf", wmf.placeable(0, 0, 1000, 1000)}, {"enorme.emf", emf.bytes()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const PictureLoad load = loadPictureFile(write(c.file, c.bytes));
        ASSERT_TRUE(load.ok()) << load.errorMessage();
        QRectF frame;
        const QImage page = printed(load.picture, frame);
        const QRect drawn = inkOf(page, qColour(kOutside), page.rect());
        EXPECT_FALSE(drawn.isNull());
        EXPECT_TRUE(frame.toAlignedRect().contains(drawn))
            << drawn.x() << "," << drawn.y() << " " << drawn.width() << "x" << drawn.height();

        const QImage pdf = exported(load.picture, folder.path());
        const QRect inPdf = inkOf(pdf, qColour(kOutside), pdf.rect());
        EXPECT_NEAR(inPdf.width(), frame.width(), 3) << "no wider than the frame";
        EXPECT_NEAR(inPdf.height(), frame.height(), 3) << "no taller than the frame";
    }
}

} // namespace
} // namespace kestrix
