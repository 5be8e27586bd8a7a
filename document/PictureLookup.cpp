#include "document/PictureLookup.h"

#include "document/CharacterDocument.h"
#include "document/Startup.h"
#include "platform/BuiltInPictures.h"
#include "platform/TextConversion.h"
#include "storage/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrix {
namespace {

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Where a character moved with its picture finds it: beside the character,
// then in the user's data folder. Empty when neither holds it.
QString travelledCopy(const QString& stored, const std::string& characterFile,
                      const DataFolders& folders) {
    // A character written on Windows stores the path with backslashes.
    const qsizetype slash =
        std::max(stored.lastIndexOf(QLatin1Char('/')), stored.lastIndexOf(QLatin1Char('\\')));
    const QString name = stored.mid(slash + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    if (!characterFile.empty()) {
        const QString besideCharacter =
            QFileInfo(QFile::decodeName(characterFile.c_str())).dir().filePath(name);
        if (isFile(besideCharacter))
            return QFileInfo(besideCharacter).absoluteFilePath();
    }
    if (!folders.user.empty()) {
        const QString inUserFolder = QDir(QFile::decodeName(folders.user.c_str())).filePath(name);
        if (isFile(inUserFolder))
            return inUserFolder;
    }
    return {};
}

} // namespace

PictureLocation locateCharacterPicture(const std::string& storedPath,
                                       const std::string& characterFile,
                                       const DataFolders& folders) {
    // The file holds the path as the window shows it; the file system is
    // asked in its own encoding.
    const QString stored = toQString(storedPath);
    if (stored.isEmpty())
        return {};
    if (stored.contains(QChar(u'\0')))
        return {{}, fileError(FileErrorCode::InvalidFilename), std::nullopt};
    const std::string named = QFile::encodeName(stored).toStdString();
    const std::string path = stored.contains(QLatin1Char('/'))
                                 ? resolveAgainst(named, folders.program)
                                 : folders.locate(named);
    const QString file = QFile::decodeName(path.c_str());
    if (isFile(file))
        return {file, std::nullopt, std::nullopt};
    const QString copy = travelledCopy(stored, characterFile, folders);
    if (copy.isEmpty())
        return {{}, fileError(FileErrorCode::FileNotFound), std::nullopt};
    // Saved again, the character names the copy it was shown with, unless
    // the file could not hold that path as it is.
    std::optional<std::string> movedTo;
    if (fitsWindows1252(copy) &&
        static_cast<std::size_t>(copy.size()) <= CharacterDocument::kMaxPicturePathLength)
        movedTo = toWindows1252(copy);
    return {copy, std::nullopt, std::move(movedTo)};
}

CharacterPicture lookUpCharacterPicture(const std::string& storedPath,
                                        const std::string& characterFile,
                                        const DataFolders& folders) {
    if (storedPath.empty())
        return {defaultCharacterPicture(), std::nullopt, std::nullopt};
    PictureLocation location = locateCharacterPicture(storedPath, characterFile, folders);
    if (location.error)
        return {{}, std::move(location.error), std::nullopt};
    PictureLoad load = loadPictureFile(location.file);
    if (!load.ok())
        return {{}, std::move(load.error), std::nullopt};
    return {std::move(load.picture), std::nullopt, std::move(location.movedTo)};
}

} // namespace kestrix
