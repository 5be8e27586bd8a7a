#include "tools/kestrix-info/SummaryFormat.h"

#include "core/Windows1252.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace kestrix {
namespace {

using Json = nlohmann::ordered_json;

bool isControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

std::string printable(std::string_view windows1252) {
    std::string cleaned(windows1252);
    for (char& c : cleaned) {
        if (isControl(windows1252ToUnicode(static_cast<unsigned char>(c))))
            c = ' ';
    }
    return windows1252ToUtf8(cleaned);
}

// The path is the user's own, in the system's encoding: only control
// characters are replaced.
std::string printablePath(std::string path) {
    for (char& c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return path;
}

Json utf8Array(const std::vector<std::string>& lines) {
    Json array = Json::array();
    for (const std::string& line : lines)
        array.push_back(windows1252ToUtf8(line));
    return array;
}

} // namespace

std::string formatSummaryLine(const CharacterSummary& summary) {
    const Totals& totals = summary.totals;
    std::ostringstream line;
    line << printablePath(summary.file) << '\t' << printable(summary.data.name) << '\t'
         << "atributos=" << totals.attributes << " vantagens=" << totals.advantages
         << " desvantagens=" << totals.disadvantages << " magias=" << totals.magic
         << " total=" << totals.grand;
    return line.str();
}

std::string formatSummaryJson(const CharacterSummary& summary) {
    const CharacterData& data = summary.data;
    const auto attribute = [&](Attribute which) {
        return windows1252ToUtf8(data.attribute(which));
    };
    const auto magic = [&](MagicPath which) { return windows1252ToUtf8(data.magicPath(which)); };

    Json json;
    json["file"] = summary.file;
    json["name"] = windows1252ToUtf8(data.name);
    json["attributes"] = Json::object({{"forca", attribute(Attribute::Forca)},
                                       {"habilidade", attribute(Attribute::Habilidade)},
                                       {"resistencia", attribute(Attribute::Resistencia)},
                                       {"armadura", attribute(Attribute::Armadura)},
                                       {"poderdefogo", attribute(Attribute::PoderDeFogo)}});
    json["magicPaths"] = Json::object({{"fogo", magic(MagicPath::Fogo)},
                                       {"agua", magic(MagicPath::Agua)},
                                       {"ar", magic(MagicPath::Ar)},
                                       {"terra", magic(MagicPath::Terra)},
                                       {"luz", magic(MagicPath::Luz)},
                                       {"trevas", magic(MagicPath::Trevas)}});
    json["advantages"] = utf8Array(data.advantages);
    json["disadvantages"] = utf8Array(data.disadvantages);
    json["observations"] = utf8Array(data.observations);
    json["picturePath"] = windows1252ToUtf8(data.picturePath);
    json["recordFileName"] = windows1252ToUtf8(summary.recordFileName);
    json["totals"] = Json::object({{"attributes", summary.totals.attributes},
                                   {"advantages", summary.totals.advantages},
                                   {"disadvantages", summary.totals.disadvantages},
                                   {"magic", summary.totals.magic},
                                   {"grand", summary.totals.grand}});
    // Every text above is valid UTF-8 by construction; only the path, in the
    // system's encoding, may not be, and a replacement character beats an
    // exception there.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace kestrix
