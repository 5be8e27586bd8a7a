#include "print/qt/PrintablePicture.h"
#include "print/qt/QtPrintCanvas.h"
#include "tests/platform/MetafileTestSupport.h"
#include "tests/tools/HostileMetafiles.h"
#include "tests/tools/MetafileWriter.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/Main.h"
#include "ui/main/PrintCommand.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace kestrix {
namespace {

using test::ConverterOverride;
using test::expectErrorBox;
using test::fakeConverter;
using test::inFrame;
using test::kSampleSpots;
using test::near;
using test::realConverter;
using test::sampleMetafile;
using test::TestFolder;

// Tells vector drawing from raster drawing on a 300 dots-per-inch page.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++raster; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++raster;
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { ++raster; }
    void drawPath(const QPainterPath&) override { ++vector; }
    void drawRects(const QRectF*, int) override { ++vector; }
    void drawEllipse(const QRectF&) override { ++vector; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++vector; }
    void drawLines(const QLineF*, int) override { ++vector; }
    void drawTextItem(const QPointF&, const QTextItem&) override { ++vector; }

    int raster = 0;
    int vector = 0;
};

class CountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 2000;
        case PdmHeight:
            return 2600;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }
    mutable CountingEngine engine;
};

// The picture rectangle of the printed sheet under a name 100 dots high.
const PrintRect kPictureRect{1161, 139, 1742, 1023};

class MetafilePictureUiTest : public ::testing::Test {
protected:
    void SetUp() override { window = test::startMainWindow(characterDocument, folder.root); }
    void choosePicture(const QString& path) {
        window->fileDialogs().setNextFileName(path);
        QTest::mouseClick(window->findChild<QToolButton*>("BitBtn3"), Qt::LeftButton);
    }
    std::string fileSaying(const char* name, const char* mode) {
        folder.write(name, mode);
        return folder.path(name);
    }
    static MetafileConverter::Limits shortLimits() {
        MetafileConverter::Limits limits;
        limits.wallMilliseconds = 2000;
        limits.cpuSeconds = 1;
        return limits;
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MetafilePictureUiTest, AChosenMetafileIsShownAndPrintedAsShapes) {
    ConverterOverride converter(realConverter());
    choosePicture(sampleMetafile("placeable.wmf"));
    const Picture& shown = window->shownPicture();
    ASSERT_EQ(shown.kind, Picture::Kind::Metafile);
    EXPECT_FALSE(window->findChild<QLabel*>("figura")->pixmap().isNull());
    EXPECT_EQ(document.sheet.picturePath(), sampleMetafile("placeable.wmf").toStdString());

    const QtPrintPicture printed = toPrintPicture(shown);
    ASSERT_EQ(printed.kind, PrintPicture::Kind::Metafile);
    ASSERT_TRUE(printed.player);

    CountingDevice device;
    QtPrintCanvas counting(device);
    const PrintPicture handle = counting.addPicture(printed);
    ASSERT_TRUE(counting.beginDocument());
    counting.drawPicture(handle, kPictureRect);
    ASSERT_TRUE(counting.endDocument());
    EXPECT_EQ(device.engine.raster, 0) << "no bitmap blown up";
    EXPECT_GE(device.engine.vector, 3) << "rectangle, ellipse and text";

    // On a 300 dots-per-inch page the shapes fill the picture rectangle.
    QImage page(1900, 1100, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QtPrintCanvas canvas(page);
    const PrintPicture onPage = canvas.addPicture(printed);
    ASSERT_TRUE(canvas.beginDocument());
    canvas.drawPicture(onPage, kPictureRect);
    ASSERT_TRUE(canvas.endDocument());
    const QRectF target(1161, 139, 1742 - 1161, 1023 - 139);
    for (const test::SampleSpot& spot : kSampleSpots) {
        const QColor colour = spot.colour.isValid() ? spot.colour : QColor(Qt::white);
        const QColor actual = page.pixelColor(inFrame(target, spot.x, spot.y));
        EXPECT_TRUE(near(actual, colour, 10)) << spot.what << ": " << actual.name().toStdString();
    }
    EXPECT_EQ(page.pixelColor(1150, 500), QColor(Qt::white)) << "nothing left of the rectangle";
    EXPECT_EQ(page.pixelColor(1450, 1040), QColor(Qt::white)) << "nothing below it";
}

TEST_F(MetafilePictureUiTest, AWindowsMetafileKeepsItsColoursAndFrameInTheWindowAndOnThePage) {
    ConverterOverride converter(realConverter());
    folder.write("cores.wmf", test::exactColoursWmf());
    choosePicture(QString::fromStdString(folder.path("cores.wmf")));
    ASSERT_EQ(window->shownPicture().kind, Picture::Kind::Metafile);

    struct Spot {
        const char* what;
        double x, y;   // in the 1000 x 1000 frame
        QColor colour; // invalid: nothing drawn there
    };
    const Spot spots[] = {
        {"the fill", 500, 250, QColor(0x00, 0xCC, 0xFF)},
        {"the left outline", 100, 250, QColor(0x12, 0x34, 0x56)},
        {"the red rectangle", 750, 800, QColor(0xFF, 0x00, 0x00)},
        {"above and left of the viewport", 50, 50, QColor()},
        {"where the red would be unmoved", 550, 650, QColor()},
    };
    const auto in = [](const QRectF& target, double x, double y) {
        return QPoint(static_cast<int>(target.left() + target.width() * x / 1000),
                      static_cast<int>(target.top() + target.height() * y / 1000));
    };

    // In the window, on the label's own background.
    auto* figura = window->findChild<QLabel*>("figura");
    const QImage shown = figura->grab().toImage();
    const QColor background = figura->palette().color(figura->backgroundRole());
    for (const Spot& spot : spots) {
        const QColor expected = spot.colour.isValid() ? spot.colour : background;
        const QColor actual = shown.pixelColor(in(QRectF(shown.rect()), spot.x, spot.y));
        EXPECT_TRUE(near(actual, expected, 2)) << spot.what << ": " << actual.name().toStdString();
    }

    // On a 300 dots-per-inch page.
    const QtPrintPicture printed = toPrintPicture(window->shownPicture());
    QImage page(1900, 1100, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QtPrintCanvas canvas(page);
    const PrintPicture onPage = canvas.addPicture(printed);
    ASSERT_TRUE(canvas.beginDocument());
    canvas.drawPicture(onPage, kPictureRect);
    ASSERT_TRUE(canvas.endDocument());
    const QRectF target(1161, 139, 1742 - 1161, 1023 - 139);
    for (const Spot& spot : spots) {
        const QColor expected = spot.colour.isValid() ? spot.colour : QColor(Qt::white);
        const QColor actual = page.pixelColor(in(target, spot.x, spot.y));
        EXPECT_EQ(actual, expected) << spot.what << ": " << actual.name().toStdString();
    }
    const QRect text(in(target, 100, 480), in(target, 650, 690));
    EXPECT_GT(test::pixelsOf(page, text, QColor(0xFF, 0x80, 0x00)), 100) << "the text's colour";
}

TEST_F(MetafilePictureUiTest, AnEnhancedMetafileWithAPhotoShowsItInTheWindowAndOnThePage) {
    ConverterOverride converter(realConverter());
    // A photo stored as JPEG, orange on its left half and blue on its right,
    // drawn into (100, 100)-(900, 900) of a frame of 1000 x 1000.
    QImage photo(64, 32, QImage::Format_RGB32);
    photo.fill(QColor(0xFF, 0x80, 0x00));
    for (int y = 0; y < 32; ++y)
        for (int x = 32; x < 64; ++x)
            photo.setPixelColor(x, y, QColor(0x00, 0x40, 0xC0));
    folder.write("foto.emf", test::bitmapEmf(test::kBiJpeg, test::encoded(photo, "JPG"), 64, 32));
    choosePicture(QString::fromStdString(folder.path("foto.emf")));
    ASSERT_EQ(window->shownPicture().kind, Picture::Kind::Metafile);

    struct Spot {
        const char* what;
        double x, y;   // in the 1000 x 1000 frame
        QColor colour; // invalid: nothing drawn there
    };
    const Spot spots[] = {
        {"the photo's left half", 300, 500, QColor(0xFF, 0x80, 0x00)},
        {"the photo's right half", 700, 500, QColor(0x00, 0x40, 0xC0)},
        {"outside the photo", 50, 50, QColor()},
    };
    const auto in = [](const QRectF& target, double x, double y) {
        return QPoint(static_cast<int>(target.left() + target.width() * x / 1000),
                      static_cast<int>(target.top() + target.height() * y / 1000));
    };
    auto* figura = window->findChild<QLabel*>("figura");
    const QImage shown = figura->grab().toImage();
    const QColor background = figura->palette().color(figura->backgroundRole());
    for (const Spot& spot : spots) {
        const QColor expected = spot.colour.isValid() ? spot.colour : background;
        const QColor actual = shown.pixelColor(in(QRectF(shown.rect()), spot.x, spot.y));
        EXPECT_TRUE(near(actual, expected, 24)) << spot.what << ": " << actual.name().toStdString();
    }

    QImage page(1900, 1100, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QtPrintCanvas canvas(page);
    const PrintPicture onPage = canvas.addPicture(toPrintPicture(window->shownPicture()));
    ASSERT_TRUE(canvas.beginDocument());
    canvas.drawPicture(onPage, kPictureRect);
    ASSERT_TRUE(canvas.endDocument());
    const QRectF target(1161, 139, 1742 - 1161, 1023 - 139);
    for (const Spot& spot : spots) {
        const QColor expected = spot.colour.isValid() ? spot.colour : QColor(Qt::white);
        const QColor actual = page.pixelColor(in(target, spot.x, spot.y));
        EXPECT_TRUE(near(actual, expected, 24)) << spot.what << ": " << actual.name().toStdString();
    }
}

TEST_F(MetafilePictureUiTest, AMetafileThatBreaksTheConverterLeavesTheEditorAsItWas) {
    ConverterOverride converter(fakeConverter(), shortLimits());
    for (const char* mode : {"crash", "sleep", "hog"}) {
        document.sheet.clearModified();
        QString shown;
        expectErrorBox(&shown);
        choosePicture(QString::fromStdString(fileSaying("hostil.wmf", mode)));
        EXPECT_EQ(shown, "Metafile is not valid.") << mode;
        EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp") << mode;
        EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap) << mode;
        EXPECT_TRUE(document.sheet.isModified()) << mode;
    }
    // And it goes on editing.
    QTest::keyClicks(window->findChild<QLineEdit*>("tx_forca"), "4");
    EXPECT_EQ(window->findChild<QLabel*>("lb_atrib")->text(), "4");
}

TEST_F(MetafilePictureUiTest, ACharacterWhoseMetafileFailsStillLoads) {
    ConverterOverride converter(fakeConverter(), shortLimits());
    CharacterSheet stored;
    stored.setName("Hostil");
    stored.setPicturePath(fileSaying("hostil.emf", "crash"));
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("hostil.QsZ"), stored));
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("hostil.QsZ")));
    QString shown;
    expectErrorBox(&shown);
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(shown, "Metafile is not valid.");
    EXPECT_EQ(window->findChild<QLineEdit*>("tx_nome")->text(), "Hostil");
    EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap) << "the default picture";
    EXPECT_EQ(document.sheet.picturePath(), folder.path("hostil.emf"));
}

} // namespace
} // namespace kestrix
