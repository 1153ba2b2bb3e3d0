// Helpers for fixed-width code page 932 byte buffers.
#pragma once

#include <stddef.h>

// True for the bytes that begin a two-byte code page 932 character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of text[0..length) that is at most limit bytes
// and does not end inside a two-byte character.
size_t CharBoundaryPrefix(const char* text, size_t length, size_t limit);

// Copies text[0..length) into a buffer of width bytes, cut at a character
// boundary so that it fits with its terminator. Returns the bytes copied.
size_t CopyCut(char* destination, size_t width, const char* text, size_t length);

// CopyCut for a NUL-terminated source.
size_t CopyCutString(char* destination, size_t width, const char* text);

template <size_t N>
size_t CopyCutString(char (&destination)[N], const char* text) {
  return CopyCutString(destination, N, text);
}
