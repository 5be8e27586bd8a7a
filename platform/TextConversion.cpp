#include "platform/TextConversion.h"

#include "core/Windows1252.h"

namespace kestrix {

QString toQString(std::string_view windows1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(windows1252.size()));
    for (char byte : windows1252)
        text.append(
            QChar(static_cast<char16_t>(windows1252ToUnicode(static_cast<unsigned char>(byte)))));
    return text;
}

std::string toWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const auto byte = unicodeToWindows1252(c.unicode());
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

bool fitsWindows1252(const QString& text) {
    for (QChar c : text) {
        if (c.isSurrogate() || !unicodeToWindows1252(c.unicode()))
            return false;
    }
    return true;
}

} // namespace kestrix
