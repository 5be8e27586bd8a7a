#pragma once

#include <cstdint>

namespace kestrix::emf {

// Record types and signatures the converter's EMF passes share.
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kComment = 70;
constexpr std::uint32_t kEmfPlusSignature = 0x2B464D45; // "EMF+" in a comment record

} // namespace kestrix::emf
