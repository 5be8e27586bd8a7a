#include "print/qt/QtPrintCanvas.h"

#include "print/PrintSheet.h"
#include "tests/print/QtTestApplication.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(220, 0, 0);
const QRgb kBlue = qRgb(0, 0, 200);
const QRgb kGreen = qRgb(0, 160, 0);

// A letter-sized sheet of white paper at the given resolution.
QImage paper(int dpi) {
    QImage image(dpi * 17 / 2, dpi * 11, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(kWhite);
    return image;
}

QImage solid(QRgb colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The height of a text cell in the sheet's name font, as the device measures it.
int nameHeight(const QImage& device) {
    QFont font("Times New Roman");
    font.setPixelSize(static_cast<int>(std::lround(24 * device.logicalDpiY() / 72.0)));
    return QFontMetrics(font, &device).height();
}

bool allWhite(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != kWhite) {
                return false;
            }
        }
    }
    return true;
}

// The smallest rectangle holding every pixel that is not white.
QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

CharacterSheet sampleSheet() {
    CharacterSheet sheet;
    sheet.setName("Arkan, o Bravo");
    sheet.setAttribute(Attribute::Forca, "3");
    sheet.setAttribute(Attribute::Resistencia, "abc");
    sheet.setMagicPath(MagicPath::Agua, "2");
    sheet.addAdvantage("2", "Ataque Especial");
    sheet.addDisadvantage("-1", "Insano");
    return sheet;
}

QImage printOn(QImage page, const CharacterSheet& sheet, const QtPrintPicture& picture) {
    QtPrintCanvas canvas(page);
    const PrintPicture shown = canvas.addPicture(picture);
    const PrintPicture emblem = canvas.addPicture(QtPrintPicture::bitmap(solid(kBlue, 32, 32)));
    EXPECT_EQ(PrintSheet(canvas, {sheet, shown, emblem}), std::nullopt);
    return page;
}

class QtPrintCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication(); }
};

TEST_F(QtPrintCanvasTest, DrawsTheWholeSheetInDeviceDots) {
    const QImage page =
        printOn(paper(300), sampleSheet(), QtPrintPicture::bitmap(solid(kRed, 8, 8)));
    page.save(QStringLiteral(KESTRIX_BINARY_DIR "/print_sheet_300dpi.png"));
    const int top = 39 + nameHeight(page);

    // The emblem fills its square; the picture fills from below the name to
    // the bottom of the attribute table.
    EXPECT_EQ(page.pixel(81, 87), kBlue);
    EXPECT_EQ(page.pixel(1165, top + 3), kRed);
    EXPECT_EQ(page.pixel(1450, 600), kRed);
    EXPECT_EQ(page.pixel(1738, 1019), kRed);
    EXPECT_EQ(page.pixel(1450, top - 3), kWhite);

    // Edges, with the 9-dot stroke centred on them.
    const struct {
        int x, y;
    } edges[] = {{39, 360},    {873, 360},   {1074, 360},  {500, 288},   {500, 1023},
                 {960, 1400},  {500, 1665},  {1701, 1400}, {1300, 1207}, {1300, 1573},
                 {1881, 2000}, {1300, 2214}, {1881, 2300}, {1000, 2400}};
    for (const auto& edge : edges) {
        EXPECT_EQ(page.pixel(edge.x, edge.y), kBlack) << edge.x << "," << edge.y;
    }
    EXPECT_EQ(page.pixel(35, 360), kBlack);
    EXPECT_EQ(page.pixel(43, 360), kBlack);
    EXPECT_EQ(page.pixel(33, 360), kWhite);
    EXPECT_EQ(page.pixel(45, 360), kWhite);

    // Nothing is filled, and nothing is drawn beyond the layout.
    EXPECT_TRUE(allWhite(page, QRect(500, 330, 300, 90)));
    EXPECT_TRUE(allWhite(page, QRect(300, 2000, 600, 200)));
    EXPECT_TRUE(allWhite(page, QRect(1750, 1700, 120, 500)));
    EXPECT_TRUE(allWhite(page, QRect(1890, 0, page.width() - 1890, page.height())));
    EXPECT_TRUE(allWhite(page, QRect(0, 2460, page.width(), page.height() - 2460)));

    // Text ink starts at the heading's cell, not above it.
    EXPECT_FALSE(allWhite(page, QRect(48, 186, 300, 90)));
    EXPECT_TRUE(allWhite(page, QRect(48, 155, 300, 25)));
}

TEST_F(QtPrintCanvasTest, PlacesATextCellsTopLeftCornerAtThePoint) {
    QImage page = paper(300);
    QtPrintCanvas canvas(page);
    ASSERT_TRUE(canvas.beginDocument());
    canvas.setFontFace("Times New Roman");
    canvas.setFontSize(24);
    const int height = canvas.textHeight("Hg");
    canvas.drawText(200, 300, "Hg");
    ASSERT_TRUE(canvas.endDocument());

    const QRect box = ink(page);
    EXPECT_GE(box.top(), 300);
    EXPECT_LT(box.top(), 300 + height / 3);
    EXPECT_LT(box.bottom(), 300 + height);
    EXPECT_GE(box.left(), 198);
    EXPECT_LT(box.left(), 215);
}

TEST_F(QtPrintCanvasTest, FontSizeFollowsTheDevicesVerticalResolution) {
    const struct {
        int dpi;
        int points;
        int pixels;
    } cases[] = {{300, 24, 100}, {600, 24, 200}, {72, 24, 24}, {300, 10, 42}, {300, 9, 38}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, " + std::to_string(c.points) + " pt");
        QImage page = paper(c.dpi);
        QtPrintCanvas canvas(page);
        canvas.setFontFace("Times New Roman");
        canvas.setFontSize(c.points);
        canvas.setFontStyle(FontStyle::Bold);
        EXPECT_EQ(canvas.font().pixelSize(), c.pixels);
        EXPECT_TRUE(canvas.font().bold());
        QFont expected("Times New Roman");
        expected.setPixelSize(c.pixels);
        expected.setBold(true);
        EXPECT_EQ(canvas.textHeight("Hg"), QFontMetrics(expected, &page).height());
        EXPECT_EQ(canvas.textHeight(""), canvas.textHeight("Hg"));
    }
}

TEST_F(QtPrintCanvasTest, AnIconKeepsItsOwnSizeAtTheTopLeftCorner) {
    const QImage page =
        printOn(paper(300), sampleSheet(), QtPrintPicture::icon(solid(kGreen, 40, 24)));
    const int top = 39 + nameHeight(page);

    EXPECT_EQ(page.pixel(1161, top), kGreen);
    EXPECT_EQ(page.pixel(1200, top + 23), kGreen);
    EXPECT_TRUE(allWhite(page, QRect(1202, top, 535, 500)));
    EXPECT_TRUE(allWhite(page, QRect(1166, top + 25, 570, 800)));
}

TEST_F(QtPrintCanvasTest, NoPictureLeavesItsRectangleBlank) {
    const QImage page = printOn(paper(300), sampleSheet(), QtPrintPicture::none());
    const int top = 39 + nameHeight(page);
    EXPECT_TRUE(allWhite(page, QRect(1161, top, 1742 - 1161, 1023 - 5 - top)));
    EXPECT_EQ(page.pixel(500, 1023), kBlack);
}

TEST_F(QtPrintCanvasTest, AMetafilePlaysIntoThePictureRectangle) {
    QRectF played;
    const MetafilePlayer player = [&played](QPainter& painter, const QRectF& rect) {
        played = rect;
        painter.fillRect(rect, QColor(kGreen));
    };
    const QImage page = printOn(paper(300), sampleSheet(), QtPrintPicture::metafile(player));
    const int top = 39 + nameHeight(page);
    EXPECT_EQ(played, QRectF(1161, top, 1742 - 1161, 1023 - top));
    EXPECT_EQ(page.pixel(1450, 600), kGreen);
}

TEST_F(QtPrintCanvasTest, ADeviceThatCannotBePaintedIsReported) {
    QImage nothing;
    QtPrintCanvas canvas(nothing);
    const CharacterSheet sheet;
    EXPECT_EQ(PrintSheet(canvas, {sheet, PrintPicture{}, PrintPicture{}}),
              (Error{0, QtPrintCanvas::kPrinterNotValid}));
}

} // namespace
} // namespace kestrix
