// Text arithmetic of the toolkit's text controls: storing a text into a
// fixed buffer, its bounded length, and where a centred line is anchored.
// Portable: no windows.h here.
#pragma once

#include <cstddef>

// Copies at most `mostCharacters` characters of `source` (a null source is
// an empty text) into `buffer`, terminates it and zeroes the rest of the
// buffer, so no byte after the terminator is left over from an earlier
// text. Nothing is written past `bufferSize` bytes: at most bufferSize - 1
// characters are kept whatever `mostCharacters` says. A zero-sized buffer
// is left alone.
void StoreText(char* buffer, size_t bufferSize, size_t mostCharacters, const char* source);

// The number of characters before the terminator, looking at no more than
// `bufferSize` bytes (a buffer without a terminator counts them all).
size_t TextLength(const char* text, size_t bufferSize);

// The x of a line centred on a client area from `left` to `right`:
// (right - left) / 2, truncating toward zero.
int CentreOf(int left, int right);
