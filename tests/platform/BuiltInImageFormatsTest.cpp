// PNG and BMP files read by name go to Qt's own readers without loading the
// image-format plugins, decode exactly as before, and anything that is not
// what its name says is still left to Qt.
#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTemporaryDir>
#include <QtPlugin>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

Q_IMPORT_PLUGIN(KestrixBuiltInImageFormats)

namespace {

std::string mappedFiles() {
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str();
}

QImage sample() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 30, y * 50, (x + y) * 20));
    return image;
}

// First in this file, so that in a whole-binary run no test before it has
// loaded a plugin; ctest runs it in a process of its own anyway.
TEST(BuiltInImageFormatsTest, ReadsTheProgramsPicturesWithoutLoadingImagePlugins) {
    const QString bitmap = QStringLiteral(KESTRIX_DATA_DIR "/modelo.bmp");
    const QString icon = QStringLiteral(KESTRIX_RESOURCE_DIR "/kestrix.png");
    EXPECT_FALSE(QImage(bitmap).isNull());
    EXPECT_FALSE(QPixmap(icon).isNull());
    EXPECT_FALSE(QIcon(icon).pixmap(32).isNull());
    EXPECT_EQ(QImageReader(icon).format(), "png");
    EXPECT_EQ(mappedFiles().find("/imageformats/"), std::string::npos) << mappedFiles();
}

TEST(BuiltInImageFormatsTest, DecodesEveryPixelAsWritten) {
    QTemporaryDir folder;
    for (const char* name : {"sample.png", "sample.bmp"}) {
        SCOPED_TRACE(name);
        const QString path = folder.filePath(name);
        ASSERT_TRUE(sample().save(path));
        const QImage read(path);
        ASSERT_EQ(read.size(), sample().size());
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), sample());
    }
}

TEST(BuiltInImageFormatsTest, LeavesFilesThatAreNotWhatTheirNameSaysToQt) {
    QTemporaryDir folder;
    // A BMP named .png and a PNG named .bmp load as they did before.
    ASSERT_TRUE(sample().save(folder.filePath("bitmap.png"), "bmp"));
    ASSERT_TRUE(sample().save(folder.filePath("portable.bmp"), "png"));
    for (const char* name : {"bitmap.png", "portable.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32), sample());
    }
    // Neither a truncated file nor an empty one is taken for a picture.
    QFile truncated(folder.filePath("truncated.png"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write("\x89PNG\r\n\x1a\n", 8);
    truncated.close();
    EXPECT_TRUE(QImage(truncated.fileName()).isNull());
    QFile empty(folder.filePath("empty.bmp"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_TRUE(QImage(empty.fileName()).isNull());
}

TEST(BuiltInImageFormatsTest, ReadsFromMemoryAsQtDoes) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sample().save(&buffer, "png"));
    EXPECT_EQ(QImage::fromData(bytes, "png").convertToFormat(QImage::Format_RGB32), sample());
    EXPECT_EQ(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32), sample());
}

} // namespace
