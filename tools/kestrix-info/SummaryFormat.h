#pragma once

#include "tools/kestrix-info/CharacterSummary.h"

#include <string>

namespace kestrix {

// One line for people and simple scripts: the path, the character's name and
// the five totals, tab-separated, e.g.
//   heroi.QsZ<TAB>Nome do Personagem<TAB>atributos=15 vantagens=2 desvantagens=1 magias=0 total=16
// Control characters in the path or the name print as blanks, so a damaged
// file can neither break the columns nor send escape sequences to a terminal.
std::string formatSummaryLine(const CharacterSummary& summary);

// One JSON object on one line with every field of the character, texts in
// UTF-8.
std::string formatSummaryJson(const CharacterSummary& summary);

} // namespace kestrix
