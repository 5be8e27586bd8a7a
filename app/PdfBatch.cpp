#include "app/PdfBatch.h"

#include "app/CommandLine.h"
#include "core/CharacterSheet.h"
#include "document/PictureLookup.h"
#include "document/Startup.h"
#include "platform/BuiltInPictures.h"
#include "platform/TextConversion.h"
#include "print/qt/PrintablePicture.h"
#include "print/qt/SheetPdfFile.h"
#include "storage/CharacterFile.h"
#include "storage/PdfOutput.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <map>

namespace kestrix {
namespace {

// A character's picture, or what went wrong finding it ("picture PATH:
// message", empty when all is well).
struct PagePicture {
    Picture picture;
    std::string problem;
};

// A party often shares one picture: loaded once, it is also embedded once,
// since the PDF writer keeps one copy of an image it is given again. The
// same stored path may name different files for characters in different
// folders, so pictures are kept by the file they were found at.
class PictureCache {
public:
    explicit PictureCache(const DataFolders& folders) : m_folders(folders) {}

    // The picture a character's page shows, looked up as the editor does,
    // or what went wrong ("picture PATH: message"): a picture file that is
    // missing or cannot be loaded leaves the page without a picture.
    PagePicture lookUp(const std::string& storedPath, const std::string& characterFile) {
        if (storedPath.empty())
            return {defaultCharacterPicture(), {}};
        const PictureLocation location =
            locateCharacterPicture(storedPath, characterFile, m_folders);
        if (location.error)
            return problem(storedPath, *location.error);
        auto found = m_loads.find(location.file);
        if (found == m_loads.end())
            found = m_loads.emplace(location.file, loadPictureFile(location.file)).first;
        if (!found->second.ok())
            return problem(storedPath, *found->second.error);
        return {found->second.picture, {}};
    }

private:
    static PagePicture problem(const std::string& storedPath, const Error& error) {
        const QString stored = QString(toQString(storedPath)).replace(QChar(u'\0'), u'?');
        return {{}, "picture " + stored.toStdString() + ": " + error.message};
    }

    const DataFolders& m_folders;
    std::map<QString, PictureLoad> m_loads;
};

} // namespace

int exportPdfBatch(const std::string& output, const std::vector<std::string>& files,
                   const std::string& workingDirectory, const DataFolders& folders,
                   std::ostream& errors) {
    // Checked before anything is read: a forgotten PDF name makes the first
    // character the output, and it must not become a PDF.
    const std::string outputPath = resolveAgainst(output, workingDirectory);
    std::vector<std::string> inputPaths;
    inputPaths.reserve(files.size());
    for (const std::string& file : files)
        inputPaths.push_back(resolveAgainst(file, workingDirectory));
    if (const Result refused = checkPdfOutput(outputPath, inputPaths)) {
        errors << output << ": " << refused->message << '\n';
        return kUsageStatus;
    }

    int status = 0;
    // Deques: the pages point into them while more are added.
    std::deque<CharacterSheet> sheets;
    std::vector<SheetPdfPage> pages;
    PictureCache pictures(folders);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        CharacterSheet sheet;
        CharacterFile reader;
        if (const Result error = reader.LoadCharacter(inputPaths[i], sheet)) {
            errors << file << ": " << error->message << '\n';
            status = 1;
            continue;
        }
        const PagePicture picture = pictures.lookUp(sheet.picturePath(), inputPaths[i]);
        if (!picture.problem.empty()) {
            errors << file << ": " << picture.problem << '\n';
            status = 1;
        }
        sheets.push_back(std::move(sheet));
        pages.push_back({&sheets.back(), toPrintPicture(picture.picture)});
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
    if (const Result error = saveSheetPdf(outputPath, pages, info)) {
        errors << output << ": " << error->message << '\n';
        return 1;
    }
    return status;
}

} // namespace kestrix
