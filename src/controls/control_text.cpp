#include "controls/control_text.h"

void StoreText(char* buffer, size_t bufferSize, size_t mostCharacters, const char* source) {
    if (bufferSize == 0) return;
    size_t limit = bufferSize - 1;
    if (mostCharacters < limit) limit = mostCharacters;
    size_t length = 0;
    if (source != nullptr) {
        while (length < limit && source[length] != '\0') {
            buffer[length] = source[length];
            ++length;
        }
    }
    for (size_t i = length; i < bufferSize; ++i) buffer[i] = '\0';
}

size_t TextLength(const char* text, size_t bufferSize) {
    size_t length = 0;
    while (length < bufferSize && text[length] != '\0') ++length;
    return length;
}

int CentreOf(int left, int right) {
    // Taken in 64 bits: a rectangle spanning the whole int range cannot
    // overflow the difference.
    return static_cast<int>((static_cast<long long>(right) - left) / 2);
}
