#include "PdfBatch.h"

#include "CharacterFile.h"
#include "CharacterSheet.h"
#include "Picture.h"
#include "PrintCommand.h"
#include "SheetPdfFile.h"
#include "Startup.h"
#include "TextConversion.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <deque>

namespace kestrix {
namespace {

// The picture a character's page shows, looked up as the editor does: its
// path is taken from the program's directory (a stored path is usually a
// bare name there), no path means the default picture. A picture file that
// is missing or cannot be loaded is reported and the page goes without it.
Picture pictureFor(const std::string& file, const CharacterSheet& sheet,
                   const std::string& programDirectory, std::ostream& errors) {
    const QString stored = toQString(sheet.picturePath());
    const QString path = QFile::decodeName(
        resolveAgainst(QFile::encodeName(stored).toStdString(), programDirectory).c_str());
    if (stored.isEmpty())
        return Picture{Picture::Kind::Bitmap, QImage(":/pictures/modelo.bmp")};
    if (!QFileInfo(path).isFile()) {
        errors << file << ": picture " << stored.toStdString() << ": File not found\n";
        return {};
    }
    const PictureLoad load = loadPictureFile(path);
    if (!load.ok()) {
        errors << file << ": picture " << stored.toStdString() << ": "
               << load.error.toStdString() << '\n';
        return {};
    }
    return load.picture;
}

} // namespace

int exportPdfBatch(const std::string& output, const std::vector<std::string>& files,
                   const std::string& workingDirectory, const std::string& programDirectory,
                   std::ostream& errors) {
    int status = 0;
    // Deques: the pages point into them while more are added.
    std::deque<CharacterSheet> sheets;
    std::vector<SheetPdfPage> pages;
    for (const std::string& file : files) {
        CharacterSheet sheet;
        CharacterFile reader;
        if (const FileResult error =
                reader.LoadCharacter(resolveAgainst(file, workingDirectory), sheet)) {
            errors << file << ": " << error->message << '\n';
            status = 1;
            continue;
        }
        const Picture picture = pictureFor(file, sheet, programDirectory, errors);
        sheets.push_back(std::move(sheet));
        pages.push_back({&sheets.back(), toPrintPicture(picture)});
    }
    if (pages.empty()) {
        errors << output << ": no character to write\n";
        return 1;
    }
    SheetPdfInfo info;
    // The title names the party, as one character's PDF is named after it.
    QStringList names;
    for (const SheetPdfPage& page : pages)
        names.append(sheetPdfTitle(*page.sheet));
    info.title = names.join(QStringLiteral(", "));
    info.creator = sheetPdfCreator();
    const QString error = saveSheetPdf(resolveAgainst(output, workingDirectory), pages, info);
    if (!error.isEmpty()) {
        errors << output << ": " << error.toStdString() << '\n';
        return 1;
    }
    return status;
}

} // namespace kestrix
