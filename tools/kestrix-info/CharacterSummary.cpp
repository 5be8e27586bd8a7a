#include "CharacterSummary.h"

#include "CharacterFile.h"
#include "CharacterRecord.h"
#include "CharacterSheet.h"
#include "FileSystem.h"

namespace kestrix {
namespace {

constexpr int kShortReadCode = 100;

} // namespace

FileResult loadCharacterSummary(const std::string& path, CharacterSummary& summary) {
    CharacterSheet sheet;
    CharacterFile file;
    if (FileResult error = file.LoadCharacter(path, sheet))
        return error;

    // Loading stamps the record image with the path it was opened from, so
    // the path the file was saved under has to come from the file itself.
    ReadResult raw = readFilePrefix(path, CharacterRecord::kSize);
    if (raw.error)
        return raw.error;
    CharacterRecord record;
    if (!record.setBytes(raw.bytes))
        return FileError::fromCode(kShortReadCode);

    summary = {path, sheet.data(), sheet.totals(), record.fileName()};
    return std::nullopt;
}

} // namespace kestrix
