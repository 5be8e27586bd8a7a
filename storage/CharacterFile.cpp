#include "storage/CharacterFile.h"

#include "core/ObservationLines.h"
#include "storage/FileSystem.h"

#include <string_view>
#include <sys/stat.h>

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
    // What was known of another file says nothing about this one.
    if (path != m_currentFileName)
        m_onDisk.reset();
    // The record holds the path's first 255 characters, in Windows-1252; the
    // current file name keeps the real path, so it is still saved where it
    // points.
    m_currentFileName = path;
    m_image.setFileName(path);
    m_image.store(sheet.data());
    const auto& record = m_image.bytes();
    const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
    if (Result error = replaceFileSafely(path, bytes))
        return error;
    struct stat status {};
    if (stat(path.c_str(), &status) == 0)
        m_onDisk = snapshotOf(status, std::string(bytes));
    else
        m_onDisk.reset();
    return std::nullopt;
}

Result CharacterFile::LoadCharacter(const std::string& path, CharacterSheet& sheet) {
    // The first bytes beyond the record are read too, so that what is known
    // of the file tells a later change to them.
    struct stat status {};
    ReadResult read = readRegularFilePrefix(path, FileSnapshot::kComparedBytes, status);
    if (read.error)
        return read.error;
    if (Result error = readCharacterRecord(read.bytes, m_image))
        return error;
    m_image.setFileName(path);
    m_currentFileName = path;
    m_onDisk = snapshotOf(status, std::move(read.bytes));
    sheet.replaceData(m_image.extract());
    return std::nullopt;
}

void CharacterFile::RestoreCharacter(const CharacterRecord::Bytes& record, const std::string& path,
                                     std::optional<FileSnapshot> onDisk, CharacterSheet& sheet) {
    m_image.setBytes(record);
    m_currentFileName = path;
    m_image.setFileName(path);
    m_onDisk = path.empty() ? std::nullopt : std::move(onDisk);
    sheet.replaceData(m_image.extract());
}

void CharacterFile::clearCurrentFileName() {
    m_currentFileName.clear();
    m_image.setFileName("");
    m_onDisk.reset();
}

CharacterRecord CharacterFile::recordOf(const CharacterSheet& sheet) const {
    CharacterRecord record = m_image;
    record.setFileName(m_currentFileName);
    record.store(sheet.data());
    return record;
}

DiskComparison CharacterFile::compareWithDisk() const {
    if (m_currentFileName.empty() || !m_onDisk)
        return {};
    return kestrix::compareWithDisk(*m_onDisk, m_currentFileName);
}

Result readCharacterRecord(std::string_view fileBytes, CharacterRecord& record) {
    if (!record.setBytes(fileBytes))
        return fileError(FileErrorCode::ReadBeyondEnd);
    return std::nullopt;
}

} // namespace kestrix
