#pragma once

#include <array>
#include <cstdint>

// GBK's code tables exactly as glibc's iconv holds them, for the one-pass converters of gbk.cpp. Each table is
// made on first use by asking iconv once for every code it covers, so converting through a table gives what
// converting through iconv gives, at the cost of one look-up per character. Bytes below 0x80 are ASCII in GBK
// and need no table.
namespace GbkCodes {

// A byte sequence that is no GBK character. U+FFFF is no character at all, so no GBK code stands for it.
constexpr char16_t noCharacter = 0xFFFF;

struct DecodeTable {
    // The character a byte of 0x80 or above stands for on its own (0x80 is the euro sign), or noCharacter
    // when the byte starts a two-byte character or is not GBK.
    std::array<char16_t, 0x80> single;
    // The character of the two bytes lead, trail (lead 0x80 or above) at (lead - 0x80) * 0x100 + trail, or
    // noCharacter.
    std::array<char16_t, 0x8000> pair;
};

const DecodeTable& decodeTable();

// A character that GBK lacks. 0xFF never starts a GBK character, so 0xFFFF is no code.
constexpr std::uint16_t noCode = 0xFFFF;

// The GBK code of every character below U+10000 (surrogates aside), by its number: a value below 0x100 is
// one byte, a larger one the lead byte times 0x100 plus the trail byte; noCode when GBK lacks the character.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

const EncodeTable& encodeTable();

} // namespace GbkCodes
