// Fuzzes the reader of recovery copies with the bytes of a copy's file,
// which anything may have left in the folder.
//
// Invariants:
// - reading never fails but by refusing;
// - a copy it takes is sound: a writer with a pid, a file path without a
//   NUL and within its limit, a snapshot only with a file;
// - what it takes is written again byte for byte: nothing in a copy is
//   read but not kept;
// - the input, cut anywhere or with a byte changed, is refused once it was
//   a sound copy.
#include "fuzz/FuzzCheck.h"
#include "storage/RecoveryCopy.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrix;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::optional<RecoveryCopy> copy = decodeRecoveryCopy(input);
    if (!copy)
        return 0;
    fuzzCheck(copy->writer.pid > 0, "a copy has a writer");
    fuzzCheck(copy->filePath.find('\0') == std::string::npos &&
                  copy->filePath.size() <= RecoveryCopy::kMaxPathLength,
              "a copy's file is a path");
    fuzzCheck(!copy->fileOnDisk || !copy->filePath.empty(), "only a file has a snapshot");
    fuzzCheck(encodeRecoveryCopy(*copy) == input, "a copy is written as it was read");
    fuzzCheck(!decodeRecoveryCopy(input.substr(0, size - 1)), "a copy cut short is refused");
    std::string changed(input);
    changed[size / 2] = static_cast<char>(changed[size / 2] ^ 0x20);
    fuzzCheck(!decodeRecoveryCopy(changed), "a copy with a byte changed is refused");
    return 0;
}
