#include "storage/SuggestedFileName.h"

#include "core/Windows1252.h"

namespace kestrix {
namespace {

bool isControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

} // namespace

std::string fileNameFromCharacterName(std::string_view windows1252Name) {
    std::string name(windows1252Name);
    for (char& byte : name) {
        if (byte == '/' || isControl(windows1252ToUnicode(static_cast<unsigned char>(byte))))
            byte = '-';
    }
    return name;
}

} // namespace kestrix
