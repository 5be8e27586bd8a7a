#pragma once

#include "core/CharacterSheet.h"
#include "storage/CharacterRecord.h"
#include "storage/FileError.h"

#include <string>
#include <string_view>

namespace kestrix {

// Saves and loads the character through one record image kept for the
// whole run, and owns the current file name (where Save writes).
class CharacterFile {
public:
    static constexpr int kMaxObservationLines = CharacterRecord::kSlotCount;

    // Writes the sheet to `path`, replacing any file there only once the new
    // one is complete. From the first step on the current file name is
    // `path`, even if the save then fails. A sheet with more lines in a list
    // than the record has slots is refused before anything changes (code 0),
    // rather than saved with lines lost.
    Result SaveCharacter(const std::string& path, const CharacterSheet& sheet);
    // Replaces the sheet's data with the character stored at `path`, opened
    // for reading only, and makes `path` the current file name. Anything but
    // a regular file is refused at once ("File access denied"), never waited
    // on. On failure the sheet, the image and the current file name are
    // unchanged. The modified flag is never touched here.
    Result LoadCharacter(const std::string& path, CharacterSheet& sheet);

    const std::string& currentFileName() const { return m_currentFileName; }
    void clearCurrentFileName();
    const CharacterRecord& image() const { return m_image; }

private:
    CharacterRecord m_image;
    std::string m_currentFileName;
};

// Takes the record from the bytes read from a character file: a file shorter
// than a record fails with "Read beyond end of file" and leaves `record` as
// it was. Loading in the editor and readers of a stream share this.
Result readCharacterRecord(std::string_view fileBytes, CharacterRecord& record);

} // namespace kestrix
