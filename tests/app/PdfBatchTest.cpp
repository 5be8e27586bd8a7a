#include "app/PdfBatch.h"

#include "core/CharacterSheet.h"
#include "storage/CharacterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace kestrix {
namespace {

enum class Copy { None, Good, Broken };

struct BatchPictureCase {
    const char* what;
    Copy user;
    Copy program;
    std::string errors; // what the export reports about the character
    int status;         // the exit status: a page without its picture is no success
};

// Every new character stores the bare name "modelo.bmp": the batch export
// finds it where the window does, the user's copy first.
TEST(PdfBatchTest, LooksTheDefaultPictureUpThroughTheDataFoldersAsTheWindowDoes) {
    const BatchPictureCase cases[] = {
        {"only the user has one", Copy::Good, Copy::None, "", 0},
        {"the user's copy is the one used", Copy::Broken, Copy::Good,
         "heroi.QsZ: picture modelo.bmp: ", 1},
        {"the program's when the user has none", Copy::None, Copy::Good, "", 0},
        {"no one has one", Copy::None, Copy::None,
         "heroi.QsZ: picture modelo.bmp: File not found\n", 1},
    };
    for (const BatchPictureCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QDir root(folder.path());
        ASSERT_TRUE(root.mkpath("user") && root.mkpath("program"));
        const auto place = [&root](const char* where, Copy copy) {
            const QString path = root.filePath(QString(where) + "/modelo.bmp");
            if (copy == Copy::Good) {
                QImage image(20, 30, QImage::Format_RGB32);
                image.fill(Qt::blue);
                ASSERT_TRUE(image.save(path, "BMP"));
            } else if (copy == Copy::Broken) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                ASSERT_GT(file.write("BM not a picture"), 0);
            }
        };
        place("user", c.user);
        place("program", c.program);
        CharacterSheet sheet;
        sheet.setName("Heroi");
        sheet.setPicturePath("modelo.bmp");
        const std::string base = QFile::encodeName(folder.path()).toStdString();
        ASSERT_FALSE(CharacterFile().SaveCharacter(base + "/heroi.QsZ", sheet));
        const DataFolders folders{base + "/user", "", base + "/program"};

        std::ostringstream errors;
        const int status = exportPdfBatch("grupo.pdf", {"heroi.QsZ"}, base, folders, errors);

        EXPECT_EQ(status, c.status);
        EXPECT_EQ(errors.str().substr(0, c.errors.size()), c.errors);
        if (c.errors.empty()) {
            EXPECT_EQ(errors.str(), "");
        }
        EXPECT_TRUE(QFileInfo(root.filePath("grupo.pdf")).size() > 0);
    }
}

struct TravelCase {
    const char* what;
    const char* pictureBeside; // the file put beside the character, if any
    std::string errors;
    int status;
};

// A character copied to another machine with its picture beside it stores
// the owner's path: the page still gets the picture, and when it cannot,
// the export says so and does not exit as a success.
TEST(PdfBatchTest, FindsAPictureSharedBesideItsCharacterAndFailsWithoutIt) {
    const TravelCase cases[] = {
        {"a PNG beside the character", "iara.png", "", 0},
        {"no picture anywhere", nullptr,
         "mesa/iara.QsZ: picture /home/dona/fotos/iara.png: File not found\n", 1},
        {"a broken picture beside the character", "broken",
         "mesa/iara.QsZ: picture /home/dona/fotos/iara.png: PNG image is not valid\n", 1},
    };
    for (const TravelCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QDir root(folder.path());
        ASSERT_TRUE(root.mkpath("mesa") && root.mkpath("user") && root.mkpath("program"));
        if (c.pictureBeside && QString(c.pictureBeside) == "broken") {
            QFile file(root.filePath("mesa/iara.png"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_GT(file.write("\x89PNG\r\n\x1a\n"), 0);
        } else if (c.pictureBeside) {
            QImage image(40, 60, QImage::Format_RGB32);
            image.fill(Qt::red);
            ASSERT_TRUE(image.save(root.filePath(QString("mesa/") + c.pictureBeside)));
        }
        CharacterSheet sheet;
        sheet.setName("Iara");
        sheet.setPicturePath("/home/dona/fotos/iara.png");
        const std::string base = QFile::encodeName(folder.path()).toStdString();
        ASSERT_FALSE(CharacterFile().SaveCharacter(base + "/mesa/iara.QsZ", sheet));
        const DataFolders folders{base + "/user", "", base + "/program"};

        std::ostringstream errors;
        const int status = exportPdfBatch("grupo.pdf", {"mesa/iara.QsZ"}, base, folders, errors);

        EXPECT_EQ(status, c.status);
        EXPECT_EQ(errors.str(), c.errors);
        QFile pdf(root.filePath("grupo.pdf"));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        // The page is written either way; only a found picture adds an
        // image beside the emblem.
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(bytes.count("/Subtype /Image"), c.status == 0 ? 2 : 1);
    }
}

} // namespace
} // namespace kestrix
