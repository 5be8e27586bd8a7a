#include "storage/CharacterFile.h"

#include "core/ObservationLines.h"
#include "storage/FileSystem.h"

#include <string_view>

namespace kestrix {
namespace {

// The memo chooses the observation lines a save stores by these limits, so
// that whatever it accepts is stored whole.
static_assert(kMaxObservationLines == static_cast<std::size_t>(CharacterRecord::kSlotCount));
static_assert(kMaxObservationLineLength == CharacterRecord::kObservationCapacity);

Result refuseOverfullList(const CharacterData& data) {
    const auto tooMany = [](const std::vector<std::string>& lines) {
        return lines.size() > static_cast<std::size_t>(CharacterRecord::kSlotCount);
    };
    if (tooMany(data.advantages))
        return Error{0, "Too many advantages (at most 10)"};
    if (tooMany(data.disadvantages))
        return Error{0, "Too many disadvantages (at most 10)"};
    if (tooMany(data.observations))
        return Error{0, "Too many observation lines (at most 10)"};
    return std::nullopt;
}

} // namespace

Result CharacterFile::SaveCharacter(const std::string& path, const CharacterSheet& sheet) {
    if (Result refused = refuseOverfullList(sheet.data()))
        return refused;
    // The record holds the path's first 255 characters, in Windows-1252; the
    // current file name keeps the real path, so it is still saved where it
    // points.
    m_currentFileName = path;
    m_image.setFileName(path);
    m_image.store(sheet.data());
    const auto& bytes = m_image.bytes();
    return replaceFileSafely(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Result CharacterFile::LoadCharacter(const std::string& path, CharacterSheet& sheet) {
    ReadResult read = readRegularFilePrefix(path, CharacterRecord::kSize);
    if (read.error)
        return read.error;
    if (Result error = readCharacterRecord(read.bytes, m_image))
        return error;
    m_image.setFileName(path);
    m_currentFileName = path;
    sheet.replaceData(m_image.extract());
    return std::nullopt;
}

void CharacterFile::clearCurrentFileName() {
    m_currentFileName.clear();
    m_image.setFileName("");
}

Result readCharacterRecord(std::string_view fileBytes, CharacterRecord& record) {
    if (!record.setBytes(fileBytes))
        return fileError(FileErrorCode::ReadBeyondEnd);
    return std::nullopt;
}

} // namespace kestrix
