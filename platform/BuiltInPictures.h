#pragma once

#include "platform/Picture.h"

#include <QImage>

namespace kestrix {

// The pictures compiled into the program that every part of it draws, with
// or without windows. Each is read once, when first asked for.

// The default character picture, shown where a character names none or its
// own cannot be had.
const Picture& defaultCharacterPicture();

// The emblem at the head of every printed or exported sheet.
const QImage& sheetEmblem();

} // namespace kestrix
