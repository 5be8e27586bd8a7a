#include "storage/RecoveryCopy.h"

#include <algorithm>
#include <cstring>

namespace kestrix {
namespace {

constexpr std::string_view kMagic("KXRECOV\x01", 8);

// FNV-1a, 64 bits: enough to tell a copy damaged by accident, which is all
// it is for (the folder is the user's own).
std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

class Writer {
public:
    void bytes(std::string_view text) { m_out.append(text); }
    void u8(unsigned value) { m_out.push_back(static_cast<char>(value & 0xFF)); }
    void u32(std::uint32_t value) { little(value, 4); }
    void u64(std::uint64_t value) { little(value, 8); }
    void i64(std::int64_t value) { little(static_cast<std::uint64_t>(value), 8); }
    void text32(std::string_view text) {
        u32(static_cast<std::uint32_t>(text.size()));
        bytes(text);
    }
    std::string& out() { return m_out; }

private:
    void little(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i)
            u8(static_cast<unsigned>(value >> (8 * i)));
    }
    std::string m_out;
};

// Reads the fields in order; any read past the end, or a length above its
// limit, makes the reader fail for good.
class Reader {
public:
    explicit Reader(std::string_view in) : m_in(in) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_in.size(); }

    std::string_view bytes(std::size_t count) {
        if (!m_ok || m_in.size() - m_at < count) {
            m_ok = false;
            return {};
        }
        const std::string_view taken = m_in.substr(m_at, count);
        m_at += count;
        return taken;
    }
    std::uint64_t little(int count) {
        const std::string_view taken = bytes(static_cast<std::size_t>(count));
        std::uint64_t value = 0;
        for (std::size_t i = taken.size(); i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(taken[i]);
        return value;
    }
    unsigned u8() { return static_cast<unsigned>(little(1)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(little(4)); }
    std::uint64_t u64() { return little(8); }
    std::int64_t i64() { return static_cast<std::int64_t>(little(8)); }
    std::string text(std::size_t length, std::size_t limit) {
        if (length > limit)
            m_ok = false;
        return std::string(bytes(m_ok ? length : 0));
    }

private:
    std::string_view m_in;
    std::size_t m_at = 0;
    bool m_ok = true;
};

bool isHexDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

} // namespace

bool RecoveryCopy::operator==(const RecoveryCopy& other) const {
    return writer == other.writer && savedAt == other.savedAt && filePath == other.filePath &&
           fileOnDisk == other.fileOnDisk && record == other.record;
}

std::string recoveryCopyName(const ProcessIdentity& writer) {
    const std::string boot = writer.bootId.empty() ? "0" : writer.bootId.substr(0, 12);
    return boot + "-" + std::to_string(writer.pid) + "-" + std::to_string(writer.startTicks) +
           std::string(RecoveryCopy::kSuffix);
}

std::optional<ProcessIdentity> writerOfRecoveryCopyName(std::string_view name) {
    if (name.size() <= RecoveryCopy::kSuffix.size() ||
        name.substr(name.size() - RecoveryCopy::kSuffix.size()) != RecoveryCopy::kSuffix)
        return std::nullopt;
    name.remove_suffix(RecoveryCopy::kSuffix.size());
    std::string fields[3];
    for (int i = 0; i < 3; ++i) {
        const auto dash = name.find('-');
        if ((dash == std::string_view::npos) != (i == 2))
            return std::nullopt;
        fields[i] = std::string(name.substr(0, dash));
        name = i == 2 ? std::string_view() : name.substr(dash + 1);
    }
    const auto isDecimal = [](const std::string& text) {
        return !text.empty() && text.size() <= 19 &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (fields[0].empty() || fields[0].size() > 12 || !isHexDigits(fields[0]) ||
        !isDecimal(fields[1]) || !isDecimal(fields[2]))
        return std::nullopt;
    ProcessIdentity writer;
    writer.bootId = fields[0] == "0" ? std::string() : fields[0];
    writer.pid = std::stol(fields[1]);
    writer.startTicks = std::stoull(fields[2]);
    if (writer.pid <= 0)
        return std::nullopt;
    return writer;
}

std::string encodeRecoveryCopy(const RecoveryCopy& copy) {
    Writer out;
    out.bytes(kMagic);
    const std::string boot = copy.writer.bootId.substr(0, RecoveryCopy::kMaxBootIdLength);
    out.u8(static_cast<unsigned>(boot.size()));
    out.bytes(boot);
    out.u64(static_cast<std::uint64_t>(copy.writer.pid));
    out.u64(copy.writer.startTicks);
    out.i64(copy.savedAt);
    out.text32(copy.filePath);
    out.u8(copy.fileOnDisk ? 1 : 0);
    if (copy.fileOnDisk) {
        const FileSnapshot& disk = *copy.fileOnDisk;
        out.u64(disk.device);
        out.u64(disk.inode);
        out.i64(disk.size);
        out.i64(disk.modifiedSeconds);
        out.i64(disk.modifiedNanoseconds);
        out.text32(disk.bytes);
    }
    out.bytes(
        std::string_view(reinterpret_cast<const char*>(copy.record.data()), copy.record.size()));
    out.u64(checksum(out.out()));
    return std::move(out.out());
}

std::optional<RecoveryCopy> decodeRecoveryCopy(std::string_view bytes) {
    if (bytes.size() < kMagic.size() + 8 || bytes.size() > kMaxRecoveryCopySize ||
        bytes.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - 8);
    Reader sum(bytes.substr(body.size()));
    if (sum.u64() != checksum(body))
        return std::nullopt;

    Reader in(body.substr(kMagic.size()));
    RecoveryCopy copy;
    copy.writer.bootId = in.text(in.u8(), RecoveryCopy::kMaxBootIdLength);
    copy.writer.pid = static_cast<long>(in.u64());
    copy.writer.startTicks = in.u64();
    copy.savedAt = in.i64();
    copy.filePath = in.text(in.u32(), RecoveryCopy::kMaxPathLength);
    const unsigned hasSnapshot = in.u8();
    if (hasSnapshot == 1) {
        FileSnapshot disk;
        disk.device = in.u64();
        disk.inode = in.u64();
        disk.size = in.i64();
        disk.modifiedSeconds = in.i64();
        disk.modifiedNanoseconds = in.i64();
        disk.bytes = in.text(in.u32(), FileSnapshot::kComparedBytes);
        copy.fileOnDisk = std::move(disk);
    }
    const std::string_view record = in.bytes(CharacterRecord::kSize);
    if (!in.ok() || !in.atEnd() || hasSnapshot > 1 || copy.writer.pid <= 0 ||
        !isHexDigits(copy.writer.bootId) || copy.filePath.find('\0') != std::string::npos ||
        (copy.fileOnDisk && copy.filePath.empty()))
        return std::nullopt;
    std::memcpy(copy.record.data(), record.data(), record.size());
    return copy;
}

} // namespace kestrix
