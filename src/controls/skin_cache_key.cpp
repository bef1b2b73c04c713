#include "controls/skin_cache_key.h"

#include <cstdio>
#include <cstring>

bool MakeSkinKeyFromName(const char* name, char (&key)[kSkinKeySize]) {
    key[0] = '\0';
    if (name == nullptr) return false;
    // Read at most kSkinKeySize characters: a very long name is never
    // walked to its end.
    size_t length = 0;
    while (length < kSkinKeySize && name[length] != '\0') ++length;
    if (length == 0 || length == kSkinKeySize) return false;
    std::memcpy(key, name, length + 1);
    return true;
}

void MakeSkinKeyFromId(unsigned id, char (&key)[kSkinKeySize]) { std::snprintf(key, sizeof key, "#%u", id); }
