#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

// A plain PNG holds the signature, then IHDR, any PLTE, tRNS and IDAT
// chunks, and IEND last, with nothing after it: what a reader needs to show
// the pixels, and none of the texts, profiles and private chunks a reader
// may inflate or interpret before it gets to them.
bool isPlainPng(std::string_view png);

// The PNG with every chunk but those of a plain PNG left out, and whatever
// follows IEND; an empty text when its signature, IHDR or chunk chain is
// damaged or it ends before IEND.
std::string plainPngChunks(std::string_view png);

// The unsigned 32-bit number stored most significant byte first at `at`, as
// PNG stores its lengths and sizes; the caller sees that four bytes are there.
std::uint32_t bigEndian32(std::string_view bytes, std::size_t at);

} // namespace kestrix
