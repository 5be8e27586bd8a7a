#pragma once

#include <QString>

namespace kestrix {

struct Document;

// What a print queue lists the job as, so that on a shared printer everyone
// tells whose sheet is whose: the character's name, else its file's name
// without the extension, else "Personagem".
QString printJobTitle(const Document& document);

} // namespace kestrix
