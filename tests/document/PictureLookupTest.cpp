#include "document/PictureLookup.h"

#include "platform/BuiltInPictures.h"
#include "storage/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

// Qt reads GIF but does not write it: a one-colour GIF, its pixels coded
// with 3-bit LZW codes and a clear code before every pair, so that the code
// width never grows.
QByteArray solidGif(int width, int height) {
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif.append(char(value & 0xff));
        gif.append(char(value >> 8));
    };
    word(width);
    word(height);
    gif.append("\x80\x00\x00", 3);             // a 2-colour table follows
    gif.append("\x20\x60\x20\xff\xff\xff", 6); // green, white
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append('\0');
    gif.append('\2'); // LZW minimum code size: clear is 4, end is 5
    QByteArray codes;
    int bits = 0;
    int pending = 0;
    const auto put = [&](int code) {
        pending |= code << bits;
        bits += 3;
        while (bits >= 8) {
            codes.append(char(pending & 0xff));
            pending >>= 8;
            bits -= 8;
        }
    };
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 2 == 0)
            put(4);
        put(0);
    }
    put(5);
    if (bits > 0)
        codes.append(char(pending & 0xff));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}

// A user's, a site's and a program's data folder under a fresh folder of
// its own for each case, holding what the case puts there. Pictures are told
// apart by their width.
class PictureLookupTest : public ::testing::Test {
protected:
    void startCase(const QString& name) {
        ASSERT_TRUE(m_temporary.isValid());
        m_base = m_temporary.filePath(name);
        for (const char* folder : {"user", "site", "program"})
            ASSERT_TRUE(QDir(m_base).mkpath(folder));
        m_folders = {path("user"), path("site"), path("program")};
    }

    QString filePath(const QString& relative) const { return m_base + '/' + relative; }
    std::string path(const QString& relative) const {
        return QFile::encodeName(filePath(relative)).toStdString();
    }

    // In the format its suffix names.
    void writePicture(const QString& relative, int width) const {
        QDir().mkpath(QFileInfo(filePath(relative)).path());
        if (relative.endsWith(QLatin1String(".gif")))
            return writeBytes(relative, solidGif(width, 7));
        QImage image(width, 7, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(filePath(relative))) << relative.toStdString();
    }

    void writeBytes(const QString& relative, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(filePath(relative)).path());
        QFile file(filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_temporary;
    QString m_base;
    DataFolders m_folders;
};

struct Placed {
    Placed(const char* file, int width, std::string bytes = {})
        : file(file), width(width), bytes(std::move(bytes)) {}

    const char* file;  // under the temporary root
    int width;         // 0: bytes that are no picture
    std::string bytes; // those bytes; a broken bitmap when empty
};

// A GIF whose header claims 65535 x 65535 pixels (16 GB decoded) and then
// ends: the reader must refuse it rather than try to allocate it.
const std::string kHugeGif("GIF89a\xff\xff\xff\xff\x00\x00\x00"
                           ",\x00\x00\x00\x00\xff\xff\xff\xff\x00\x02\x02\x44\x01\x00;",
                           29);

struct LookupCase {
    const char* what;
    std::vector<Placed> files;
    std::string stored;                      // "@" stands for the case's folder
    int width;                               // of the picture found; 0 when none
    int errorCode;                           // 0: no error, -1: the loader's own error
    std::string moved = {};                  // the path to store instead, "@" as above
    const char* character = "mesa/iara.QsZ"; // the character file, under the case's folder
};

TEST_F(PictureLookupTest, FindsWhatTheCharacterStoresTheOneWayEveryPartOfTheProgramDoes) {
    const LookupCase cases[] = {
        {"an absolute path is taken as it is",
         {{"fotos/heroi.bmp", 11}},
         "@/fotos/heroi.bmp",
         11,
         0},
        {"the user's copy of a bare name comes before the program's",
         {{"user/modelo.bmp", 12}, {"program/modelo.bmp", 13}},
         "modelo.bmp",
         12,
         0},
        {"the site's copy comes before the program's",
         {{"site/modelo.bmp", 14}, {"program/modelo.bmp", 13}},
         "modelo.bmp",
         14,
         0},
        {"the program's copy when no one else has one",
         {{"program/modelo.bmp", 13}},
         "modelo.bmp",
         13,
         0},
        {"a relative path is taken from the program's folder",
         {{"program/fotos/heroi.bmp", 15}, {"user/fotos/heroi.bmp", 16}},
         "fotos/heroi.bmp",
         15,
         0},
        {"a Windows-1252 name is the file named in the file system's encoding",
         {{"program/her\u00f3i.bmp", 17}},
         "her\xf3i.bmp",
         17,
         0},
        {"a bare name no folder holds",
         {},
         "modelo.bmp",
         0,
         static_cast<int>(FileErrorCode::FileNotFound)},
        {"an absolute path to nothing",
         {{"program/modelo.bmp", 13}},
         "@/sumiu.bmp",
         0,
         static_cast<int>(FileErrorCode::FileNotFound)},
        {"a folder is no picture",
         {{"program/pasta.bmp/x.bmp", 18}},
         "pasta.bmp",
         0,
         static_cast<int>(FileErrorCode::FileNotFound)},
        {"a name cut short by a NUL would name another file",
         {{"program/modelo.bmp", 13}},
         std::string("modelo.bmp\0.txt", 15),
         0,
         static_cast<int>(FileErrorCode::InvalidFilename)},
        {"the user's broken copy is reported, not passed over for the program's",
         {{"user/modelo.bmp", 0}, {"program/modelo.bmp", 13}},
         "modelo.bmp",
         0,
         -1},
        {"a PNG photograph", {{"fotos/iara.png", 21}}, "@/fotos/iara.png", 21, 0},
        {"a JPEG photograph", {{"fotos/iara.jpg", 22}}, "@/fotos/iara.jpg", 22, 0},
        {"a JPEG photograph with the long suffix, in capitals",
         {{"fotos/iara.JPEG", 23}},
         "@/fotos/iara.JPEG",
         23,
         0},
        {"a GIF picture", {{"fotos/iara.gif", 24}}, "@/fotos/iara.gif", 24, 0},
        {"a PNG that is not one",
         {{"fotos/iara.png", 0, "\x89PNG\r\n"}},
         "@/fotos/iara.png",
         0,
         -1},
        {"a GIF claiming more pixels than memory allows",
         {{"fotos/iara.gif", 0, kHugeGif}},
         "@/fotos/iara.gif",
         0,
         -1},
        {"a picture shared beside its character, stored at the owner's path",
         {{"mesa/iara.png", 25}, {"user/iara.png", 26}},
         "/home/outro/fotos/iara.png",
         25,
         0,
         "@/mesa/iara.png"},
        {"a character written on Windows names it with backslashes",
         {{"mesa/iara.bmp", 27}},
         "C:\\Jogos\\fotos\\iara.bmp",
         27,
         0,
         "@/mesa/iara.bmp"},
        {"then the user's data folder",
         {{"user/iara.jpg", 28}},
         "/home/outro/fotos/iara.jpg",
         28,
         0,
         "@/user/iara.jpg"},
        {"the stored path comes first when it holds",
         {{"fotos/iara.png", 29}, {"mesa/iara.png", 25}},
         "@/fotos/iara.png",
         29,
         0},
        {"nowhere at all",
         {{"outra/iara.png", 25}},
         "/home/outro/fotos/iara.png",
         0,
         static_cast<int>(FileErrorCode::FileNotFound)},
        {"a character never saved has no folder of its own",
         {{"iara.png", 25}},
         "/home/outro/fotos/iara.png",
         0,
         static_cast<int>(FileErrorCode::FileNotFound),
         "",
         ""},
        {"a broken copy beside the character is reported",
         {{"mesa/iara.png", 0, "\x89PNG\r\n\x1a\n"}},
         "/home/outro/fotos/iara.png",
         0,
         -1},
    };
    int number = 0;
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        startCase(QString::number(++number));
        for (const Placed& placed : c.files) {
            if (placed.width > 0)
                writePicture(QString::fromUtf8(placed.file), placed.width);
            else
                writeBytes(QString::fromUtf8(placed.file),
                           placed.bytes.empty() ? QByteArray("BM no picture at all")
                                                : QByteArray::fromStdString(placed.bytes));
        }
        const auto inCase = [this](std::string path) {
            if (!path.empty() && path.front() == '@')
                path.replace(0, 1, QFile::encodeName(m_base).toStdString());
            return path;
        };
        const std::string character =
            *c.character ? QFile::encodeName(filePath(c.character)).toStdString() : "";

        const CharacterPicture found =
            lookUpCharacterPicture(inCase(c.stored), character, m_folders);

        EXPECT_EQ(found.picture.image.width(), c.width);
        EXPECT_EQ(found.movedTo.value_or(""), inCase(c.moved));
        if (c.errorCode == 0) {
            EXPECT_FALSE(found.error) << found.error->message;
        } else {
            ASSERT_TRUE(found.error);
            EXPECT_TRUE(found.picture.isEmpty());
            if (c.errorCode > 0)
                EXPECT_EQ(*found.error, fileError(static_cast<FileErrorCode>(c.errorCode)));
            else
                EXPECT_FALSE(found.error->message.empty());
        }
    }
}

TEST_F(PictureLookupTest, NoStoredPathMeansTheBuiltInDefaultPicture) {
    startCase(QStringLiteral("vazio"));
    const CharacterPicture found = lookUpCharacterPicture("", "", m_folders);
    EXPECT_FALSE(found.error);
    ASSERT_FALSE(found.picture.isEmpty());
    EXPECT_EQ(found.picture.image, defaultCharacterPicture().image);
    EXPECT_FALSE(sheetEmblem().isNull());
}

} // namespace
} // namespace kestrix
