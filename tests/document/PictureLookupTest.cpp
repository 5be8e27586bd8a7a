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

    void writeBitmap(const QString& relative, int width) const {
        QDir().mkpath(QFileInfo(filePath(relative)).path());
        QImage image(width, 7, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(filePath(relative), "BMP")) << relative.toStdString();
    }

    void writeBytes(const QString& relative, const QByteArray& bytes) const {
        QFile file(filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_temporary;
    QString m_base;
    DataFolders m_folders;
};

struct Placed {
    const char* file; // under the temporary root
    int width;        // 0: bytes that are no picture
};

struct LookupCase {
    const char* what;
    std::vector<Placed> files;
    std::string stored; // "@" stands for the case's folder
    int width;          // of the picture found; 0 when none
    int errorCode;      // 0: no error, -1: the loader's own error
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
    };
    int number = 0;
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        startCase(QString::number(++number));
        for (const Placed& placed : c.files) {
            if (placed.width > 0)
                writeBitmap(QString::fromUtf8(placed.file), placed.width);
            else
                writeBytes(QString::fromUtf8(placed.file), "BM no picture at all");
        }
        std::string stored = c.stored;
        if (stored.front() == '@')
            stored.replace(0, 1, QFile::encodeName(m_base).toStdString());

        const CharacterPicture found = lookUpCharacterPicture(stored, m_folders);

        EXPECT_EQ(found.picture.image.width(), c.width);
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
    const CharacterPicture found = lookUpCharacterPicture("", m_folders);
    EXPECT_FALSE(found.error);
    ASSERT_FALSE(found.picture.isEmpty());
    EXPECT_EQ(found.picture.image, defaultCharacterPicture().image);
    EXPECT_FALSE(sheetEmblem().isNull());
}

} // namespace
} // namespace kestrix
