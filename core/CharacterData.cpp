#include "core/CharacterData.h"

namespace kestrix {

bool CharacterData::operator==(const CharacterData& other) const {
    return name == other.name && attributes == other.attributes && magicPaths == other.magicPaths &&
           advantages == other.advantages && disadvantages == other.disadvantages &&
           observations == other.observations && picturePath == other.picturePath;
}

} // namespace kestrix
