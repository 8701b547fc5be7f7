#pragma once

#include <cstdint>

namespace quarvel {

// Tests on eight bytes at once, for scanners that skip the bytes that need no attention.

inline constexpr std::uint64_t HighBitOfEachByte = 0x8080808080808080ull;

// The eight bytes of a word all equal to c.
constexpr std::uint64_t EachByte(char c)
{
    return 0x0101010101010101ull * static_cast<unsigned char>(c);
}

// The high bit set in exactly the bytes of word that are zero.
constexpr std::uint64_t ZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & low7) + low7) | word | low7);
}

// The high bit set in exactly the bytes of word equal to c.
constexpr std::uint64_t BytesEqualTo(std::uint64_t word, char c)
{
    return ZeroBytes(word ^ EachByte(c));
}

} // namespace quarvel
