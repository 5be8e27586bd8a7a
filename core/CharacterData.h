#pragma once

#include <array>
#include <string>
#include <vector>

namespace kestrix {

// The five attributes, in the order the window and the printed sheet list them.
enum class Attribute { Forca, Habilidade, Resistencia, Armadura, PoderDeFogo };
constexpr int kAttributeCount = 5;

// The six magic paths, in the order the character file stores them (the
// window lists them Fogo, Agua, Ar, Terra, Luz, Trevas).
enum class MagicPath { Fogo, Terra, Agua, Ar, Luz, Trevas };
constexpr int kMagicPathCount = 6;

// Every value a user can enter, as Windows-1252 text exactly as typed.
struct CharacterData {
    std::string name = "Nome do Personagem";
    std::array<std::string, kAttributeCount> attributes{"0", "0", "0", "0", "0"};
    std::array<std::string, kMagicPathCount> magicPaths{"0", "0", "0", "0", "0", "0"};
    std::vector<std::string> advantages;
    std::vector<std::string> disadvantages;
    std::vector<std::string> observations;
    std::string picturePath;

    const std::string& attribute(Attribute which) const {
        return attributes[static_cast<int>(which)];
    }
    const std::string& magicPath(MagicPath which) const {
        return magicPaths[static_cast<int>(which)];
    }
    bool operator==(const CharacterData& other) const;
    bool operator!=(const CharacterData& other) const { return !(*this == other); }
};

} // namespace kestrix
