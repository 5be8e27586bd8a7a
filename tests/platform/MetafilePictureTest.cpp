#include "MetafilePicture.h"

#include "MetafileTestSupport.h"
#include "Picture.h"

#include <QDir>
#include <QFile>
#include <QSvgRenderer>
#include <QTemporaryDir>
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
        ASSERT_TRUE(load.ok()) << load.error.toStdString();
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
        EXPECT_EQ(load.error, "Metafile is not valid") << c.name;
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

} // namespace
} // namespace kestrix
