#pragma once

#include "core/CharacterSheet.h"
#include "storage/CharacterRecord.h"
#include "storage/FileError.h"
#include "storage/FileSnapshot.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Saves and loads the character through one record image kept for the
// whole run, and owns the current file name (where Save writes) with what
// that file was when it was last loaded or saved.
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

    // Puts back a character kept elsewhere (a recovery copy): the record
    // becomes the image, `path` the current file name (none when empty),
    // and `onDisk` what that file was when the character was taken from it.
    void RestoreCharacter(const CharacterRecord::Bytes& record, const std::string& path,
                          std::optional<FileSnapshot> onDisk, CharacterSheet& sheet);

    const std::string& currentFileName() const { return m_currentFileName; }
    void clearCurrentFileName();
    const CharacterRecord& image() const { return m_image; }
    // The record a save of `sheet` would write now, without writing it.
    CharacterRecord recordOf(const CharacterSheet& sheet) const;

    // What the current file was at the last load or save; nothing when
    // unknown (no file, or it could not be looked at).
    const std::optional<FileSnapshot>& onDisk() const { return m_onDisk; }
    // How the current file differs now from that. Same when nothing is known.
    DiskComparison compareWithDisk() const;
    // Takes what is on disk now as known, after another program's change the
    // user has seen (a touch, a reload declined).
    void acceptOnDisk(std::optional<FileSnapshot> now) { m_onDisk = std::move(now); }

private:
    CharacterRecord m_image;
    std::string m_currentFileName;
    std::optional<FileSnapshot> m_onDisk;
};

// Takes the record from the bytes read from a character file: a file shorter
// than a record fails with "Read beyond end of file" and leaves `record` as
// it was. Loading in the editor and readers of a stream share this.
Result readCharacterRecord(std::string_view fileBytes, CharacterRecord& record);

} // namespace kestrix
