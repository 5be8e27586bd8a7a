#pragma once

#include "Picture.h"
#include "QtPrintPicture.h"

#include <QString>

namespace kestrix {

struct Document;

// A picture of the window as the printed sheet draws it.
QtPrintPicture toPrintPicture(const Picture& picture);

// What a print queue lists the job as, so that on a shared printer everyone
// tells whose sheet is whose: the character's name, else its file's name
// without the extension, else "Personagem".
QString printJobTitle(const Document& document);

} // namespace kestrix
