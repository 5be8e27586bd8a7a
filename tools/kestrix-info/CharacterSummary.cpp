#include "tools/kestrix-info/CharacterSummary.h"

#include "core/CharacterSheet.h"
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"
#include "storage/FileSystem.h"

namespace kestrix {

Result loadCharacterSummary(const std::string& path, CharacterSummary& summary) {
    // Read once: standard input or a process substitution cannot be read
    // again, and the record's own file-name field must come from the same
    // bytes as the character.
    ReadResult read = readFileOrPipePrefix(path, CharacterRecord::kSize);
    if (read.error)
        return read.error;
    CharacterRecord record;
    if (Result error = readCharacterRecord(read.bytes, record))
        return error;
    CharacterSheet sheet;
    sheet.replaceData(record.extract());
    summary = {path, sheet.data(), sheet.totals(), record.fileName()};
    return std::nullopt;
}

} // namespace kestrix
