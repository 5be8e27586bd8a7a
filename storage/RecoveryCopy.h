#pragma once

#include "storage/CharacterRecord.h"
#include "storage/FileSnapshot.h"
#include "storage/ProcessIdentity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Unsaved work kept aside while it is edited, to be offered back should the
// editor end without saving it: the character's record as a save would
// write it, with what is needed to offer it again.
struct RecoveryCopy {
    static constexpr std::string_view kSuffix = ".recovery";
    // Longer paths than this are no file a save could write.
    static constexpr std::size_t kMaxPathLength = 4096;
    static constexpr std::size_t kMaxBootIdLength = 64;

    ProcessIdentity writer;                 // the editor that keeps it
    std::int64_t savedAt = 0;               // seconds since the epoch
    std::string filePath;                   // the character's file; empty for a new character
    std::optional<FileSnapshot> fileOnDisk; // that file as the editor last read or wrote it
    CharacterRecord::Bytes record{};

    bool operator==(const RecoveryCopy& other) const;
};

// The copy's own file name: one for each editor process, ever. It holds
// the first 12 digits of the boot id, the pid and the start time.
std::string recoveryCopyName(const ProcessIdentity& writer);
// The writer a copy's name gives (its boot id cut as in the name); nothing
// for any other name.
std::optional<ProcessIdentity> writerOfRecoveryCopyName(std::string_view name);

// The bytes of a copy's file. Each field is checked on reading, and a sum
// over the whole tells a copy cut short or damaged since.
std::string encodeRecoveryCopy(const RecoveryCopy& copy);
// Nothing for bytes that are not a whole, sound copy.
std::optional<RecoveryCopy> decodeRecoveryCopy(std::string_view bytes);

// The largest file a sound copy can be.
constexpr std::size_t kMaxRecoveryCopySize =
    8 + 1 + RecoveryCopy::kMaxBootIdLength + 8 + 8 + 8 + 4 + RecoveryCopy::kMaxPathLength + 1 +
    5 * 8 + 4 + FileSnapshot::kComparedBytes + CharacterRecord::kSize + 8;

} // namespace kestrix
