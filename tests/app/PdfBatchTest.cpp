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
};

// Every new character stores the bare name "modelo.bmp": the batch export
// finds it where the window does, the user's copy first.
TEST(PdfBatchTest, LooksTheDefaultPictureUpThroughTheDataFoldersAsTheWindowDoes) {
    const BatchPictureCase cases[] = {
        {"only the user has one", Copy::Good, Copy::None, ""},
        {"the user's copy is the one used", Copy::Broken, Copy::Good,
         "heroi.QsZ: picture modelo.bmp: "},
        {"the program's when the user has none", Copy::None, Copy::Good, ""},
        {"no one has one", Copy::None, Copy::None,
         "heroi.QsZ: picture modelo.bmp: File not found\n"},
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

        EXPECT_EQ(status, 0);
        EXPECT_EQ(errors.str().substr(0, c.errors.size()), c.errors);
        if (c.errors.empty()) {
            EXPECT_EQ(errors.str(), "");
        }
        EXPECT_TRUE(QFileInfo(root.filePath("grupo.pdf")).size() > 0);
    }
}

} // namespace
} // namespace kestrix
