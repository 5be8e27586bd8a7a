#include "platform/MetafilePicture.h"

#include "platform/Picture.h"
#include "tests/platform/MetafileTestSupport.h"
#include "tests/tools/HostileMetafiles.h"
#include "tests/tools/MetafileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

using test::ConverterOverride;
using test::inFrame;
using test::kSampleSpots;
using test::near;
using test::realConverter;
using test::sampleMetafile;

class MetafilePictureTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = QDir(folder.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString write(const QString& name, const std::string& bytes) {
        return write(name, QByteArray::fromStdString(bytes));
    }
    static QByteArray sample(const char* name) {
        QFile file(sampleMetafile(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    }

    ConverterOverride converter{realConverter()};
    QTemporaryDir folder;
};

TEST_F(MetafilePictureTest, EverySampleShowsItsShapesInItsFrameWithItsText) {
    for (const char* name : {"shapes.emf", "ansi-text.emf", "placeable.wmf", "plain.wmf"}) {
        SCOPED_TRACE(name);
        const PictureLoad load = loadPictureFile(sampleMetafile(name));
        ASSERT_TRUE(load.ok()) << load.errorMessage();
        const Picture& picture = load.picture;
        EXPECT_EQ(picture.kind, Picture::Kind::Metafile);
        EXPECT_FALSE(picture.isEmpty());
        ASSERT_EQ(picture.image.size(), kMetafilePreviewSize);

        // The frame, not the ink, with its proportions.
        EXPECT_EQ(QSvgRenderer(picture.svg).viewBoxF(), QRectF(0, 0, 1000, 1500));
        EXPECT_TRUE(QString::fromUtf8(picture.svg).contains(QStringLiteral("Ação")));

        const QRectF whole(QPointF(0, 0), QSizeF(kMetafilePreviewSize));
        for (const test::SampleSpot& spot : kSampleSpots) {
            const QColor shown = picture.image.pixelColor(inFrame(whole, spot.x, spot.y));
            if (spot.colour.isValid())
                EXPECT_TRUE(near(shown, spot.colour))
                    << spot.what << ": " << shown.name().toStdString();
            else
                EXPECT_EQ(shown.alpha(), 0) << spot.what;
        }
        int green = 0;
        for (int y = inFrame(whole, 0, 620).y(); y < inFrame(whole, 0, 780).y(); ++y) {
            for (int x = inFrame(whole, 330, 0).x(); x < inFrame(whole, 700, 0).x(); ++x)
                green += near(picture.image.pixelColor(x, y), QColor(0, 128, 0), 60) ? 1 : 0;
        }
        EXPECT_GT(green, 20) << "the text is drawn";
    }
}

TEST_F(MetafilePictureTest, TheContentDecidesAndTheExtensionIgnoresCase) {
    for (const auto& [name, sampleName] :
         {std::pair{"FIGURA.EMF", "shapes.emf"}, std::pair{"really-enhanced.wmf", "shapes.emf"},
          std::pair{"Retrato.Wmf", "placeable.wmf"}}) {
        const PictureLoad load = loadPictureFile(write(name, sample(sampleName)));
        EXPECT_TRUE(load.ok()) << name;
        EXPECT_EQ(load.picture.kind, Picture::Kind::Metafile) << name;
    }
}

TEST_F(MetafilePictureTest, DamagedOrEmptyMetafilesAreNotValid) {
    const QByteArray emf = sample("shapes.emf");
    const QByteArray wmf = sample("placeable.wmf");
    // An enhanced metafile that draws nothing: its header and end record.
    QByteArray blank = emf.left(108);
    blank.append(QByteArray::fromHex("0e00000014000000000000001000000014000000"));
    blank[48] = static_cast<char>(blank.size());
    blank[49] = 0;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty.wmf", QByteArray()},
        {"garbage.emf", QByteArray(600, 'x')},
        {"garbage.wmf", QByteArray::fromHex("d7cdc69a") + QByteArray(300, '\xff')},
        {"half.emf", emf.left(emf.size() / 2)},
        {"header-only.emf", emf.left(108)},
        {"half.wmf", wmf.left(wmf.size() / 2)},
        {"no-records.wmf", wmf.left(40)},
        {"blank.emf", blank},
        {"bitmap.wmf", QByteArray("BM") + QByteArray(100, '\0')},
    };
    for (const Case& c : cases) {
        const PictureLoad load = loadPictureFile(write(c.name, c.bytes));
        EXPECT_EQ(load.errorMessage(), "Metafile is not valid") << c.name;
        EXPECT_TRUE(load.picture.isEmpty()) << c.name;
    }
}

TEST_F(MetafilePictureTest, OnlyADrawableSvgMakesAPicture) {
    EXPECT_FALSE(metafilePicture("not svg at all"));
    EXPECT_FALSE(metafilePicture("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 0 10\">"
                                 "<rect width=\"5\" height=\"5\"/></svg>"));
    const auto picture = metafilePicture("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                         "viewBox=\"0 0 10 10\"><rect width=\"10\" "
                                         "height=\"10\" fill=\"#0000FF\"/></svg>");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.pixelColor(100, 150), QColor(Qt::blue));
}

QColor qColour(test::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

TEST_F(MetafilePictureTest, AWindowsMetafileShowsItsExactColoursWhereItsViewportPutsThem) {
    const PictureLoad load = loadPictureFile(write("cores.wmf", test::exactColoursWmf()));
    ASSERT_TRUE(load.ok()) << load.errorMessage();
    const QImage& image = load.picture.image;
    const auto at = [&image](double x, double y) {
        return QPoint(static_cast<int>(kMetafilePreviewSize.width() * x / 1000),
                      static_cast<int>(kMetafilePreviewSize.height() * y / 1000));
    };
    EXPECT_EQ(image.pixelColor(at(500, 250)), qColour(test::kSkyFill));
    EXPECT_EQ(image.pixelColor(at(100, 250)), qColour(test::kOutline)) << "the left outline";
    EXPECT_EQ(image.pixelColor(at(750, 800)), qColour(test::kRed));
    EXPECT_EQ(image.pixelColor(at(50, 50)).alpha(), 0) << "above and left of the viewport";
    EXPECT_EQ(image.pixelColor(at(550, 650)).alpha(), 0) << "where the red would be unmoved";
    EXPECT_GT(test::pixelsOf(image, QRect(at(100, 480), at(650, 690)), qColour(test::kTextOrange)),
              10)
        << "the text in its own colour";
}

TEST_F(MetafilePictureTest, TextThatLooksLikeMarkupIsShownAsText) {
    const QString photo =
        test::writeSolidPng(QDir(folder.path()).filePath("foto.png"), Qt::magenta);
    const std::string smuggled =
        "]]></text><image xlink:href=\"" + photo.toStdString() +
        "\" x=\"0\" y=\"0\" width=\"1000\" height=\"1000\"/><text><![CDATA[";
    test::WmfWriter wmf;
    wmf.mapMode(8).windowOrg(0, 0).windowExt(1000, 1000).font(100, "Liberation Sans");
    wmf.textColour(test::kRed).text(10, 10, smuggled);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"largo.emf", test::EmfWriter(1000, 1000)
                          .textColour(test::kRed)
                          .text(10, 10, std::u16string(smuggled.begin(), smuggled.end()))
                          .bytes()},
        {"ansi.emf",
         test::EmfWriter(1000, 1000).textColour(test::kRed).ansiText(10, 10, smuggled).bytes()},
        {"texto.wmf", wmf.placeable(0, 0, 1000, 1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureLoad load = loadPictureFile(write(c.name, c.bytes));
        if (!load.ok()) {
            EXPECT_EQ(load.errorMessage(), "Metafile is not valid");
            continue;
        }
        const QRect whole(QPoint(0, 0), kMetafilePreviewSize);
        EXPECT_EQ(test::pixelsOf(load.picture.image, whole, Qt::magenta), 0) << "no photo";
        EXPECT_FALSE(load.picture.svg.contains("<image"));
    }
}

TEST_F(MetafilePictureTest, TheEditorChecksTheConverterDocumentAgain) {
    const QString photo =
        test::writeSolidPng(QDir(folder.path()).filePath("foto.png"), Qt::magenta);
    const QByteArray head = "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 10 10\">"
                            "<image x=\"0\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"";
    const auto imageOf = [&head](const QByteArray& href) { return head + href + "\"/></svg>"; };
    QImage big(4097, 1, QImage::Format_RGB32);
    big.fill(Qt::magenta);
    QByteArray bigPng;
    {
        QBuffer buffer(&bigPng);
        buffer.open(QIODevice::WriteOnly);
        big.save(&buffer, "PNG");
    }
    QByteArray jpeg;
    {
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(Qt::magenta);
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "JPG");
    }
    // Each level draws the one below eight times: sixteen million squares.
    QByteArray fanOut = head.left(head.indexOf("<image")) + "<defs><rect id=\"l0\" width=\"1\" "
                                                            "height=\"1\" fill=\"#FF00FF\"/>";
    for (int level = 1; level <= 8; ++level) {
        fanOut += "<g id=\"l" + QByteArray::number(level) + "\">";
        for (int i = 0; i < 8; ++i)
            fanOut += "<use xlink:href=\"#l" + QByteArray::number(level - 1) + "\"/>";
        fanOut += "</g>";
    }
    fanOut += "</defs><use xlink:href=\"#l8\"/></svg>";
    QByteArray zigZag = head.left(head.indexOf("<image")) +
                        "<polyline fill=\"none\" "
                        "stroke=\"#FF00FF\" stroke-width=\"0.01\" "
                        "stroke-dasharray=\"0.01\" points=\"";
    for (int i = 0; i < 2000; ++i)
        zigZag += QByteArray(i % 2 == 0 ? "0," : "10,") + QByteArray::number(i / 200.0) + " ";
    zigZag += "\"/></svg>";
    const QByteArray texts = QByteArray::fromStdString(
        test::pngWith(test::filledImage(2, 2, Qt::magenta), test::compressedTextChunk(1 << 20)));
    const QByteArray refused[] = {
        fanOut,
        zigZag,
        imageOf("data:image/png;base64," + texts.toBase64()),
        imageOf(photo.toUtf8()),
        imageOf(QUrl::fromLocalFile(photo).toEncoded()),
        imageOf("data:image/png;base64," + bigPng.toBase64()),
        imageOf("data:image/jpeg;base64," + jpeg.toBase64()),
        imageOf("data:image/png;base64," + jpeg.toBase64()),
    };
    for (const QByteArray& svg : refused) {
        EXPECT_FALSE(metafilePicture(svg)) << svg.left(200).toStdString();
        QImage page(40, 40, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        playMetafile(svg, painter, QRectF(0, 0, 40, 40));
        painter.end();
        EXPECT_EQ(test::pixelsOf(page, page.rect(), Qt::magenta), 0) << "nothing printed";
    }

    ConverterOverride replaced(test::fakeConverter());
    const PictureLoad load =
        loadPictureFile(write("trocado.wmf", QByteArray("smuggles ") + photo.toUtf8()));
    EXPECT_EQ(load.errorMessage(), "Metafile is not valid");
}

} // namespace
} // namespace kestrix
