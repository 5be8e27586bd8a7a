#include "document/PictureLookup.h"

#include "document/Startup.h"
#include "platform/BuiltInPictures.h"
#include "platform/TextConversion.h"
#include "storage/FileError.h"

#include <QFile>
#include <QFileInfo>

namespace kestrix {

CharacterPicture lookUpCharacterPicture(const std::string& storedPath, const DataFolders& folders) {
    // The file holds the path as the window shows it; the file system is
    // asked in its own encoding.
    const QString stored = toQString(storedPath);
    if (stored.isEmpty())
        return {defaultCharacterPicture(), std::nullopt};
    if (stored.contains(QChar(u'\0')))
        return {{}, fileError(FileErrorCode::InvalidFilename)};
    const std::string named = QFile::encodeName(stored).toStdString();
    const std::string path = stored.contains(QLatin1Char('/'))
                                 ? resolveAgainst(named, folders.program)
                                 : folders.locate(named);
    const QString file = QFile::decodeName(path.c_str());
    if (!QFileInfo(file).isFile())
        return {{}, fileError(FileErrorCode::FileNotFound)};
    PictureLoad load = loadPictureFile(file);
    return {std::move(load.picture), std::move(load.error)};
}

} // namespace kestrix
