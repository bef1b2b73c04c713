#include "controls/skin_cache_key.h"
#include "controls/toolkit_frame.h"

#include <cstring>

static_assert(sizeof(SkinBitmapEntry::name) == kSkinKeySize, "entry name holds one key");

SkinBitmapEntry skinBitmapCache[kSkinBitmapCacheSize];

namespace {

// The cache key of a request: an integer resource id, or a name of 1 to 31
// characters. Anything else has no key and is never stored.
bool MakeKey(const char* name, char (&key)[kSkinKeySize]) {
    if (IS_INTRESOURCE(name)) {
        if (name == nullptr) {
            key[0] = '\0';
            return false;
        }
        MakeSkinKeyFromId(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(name)), key);
        return true;
    }
    return MakeSkinKeyFromName(name, key);
}

SkinBitmapEntry* FindEntry(const char* key) {
    for (SkinBitmapEntry& entry : skinBitmapCache)
        if (std::strcmp(entry.name, key) == 0) return &entry;
    return nullptr;
}

// The first entry without a bitmap: free, or left by a failed load.
SkinBitmapEntry* FindReusableEntry() {
    for (SkinBitmapEntry& entry : skinBitmapCache)
        if (entry.bitmap == nullptr) return &entry;
    return nullptr;
}

}  // namespace

HBITMAP LoadSkinBitmap(HINSTANCE instance, const char* name) {
    char key[kSkinKeySize];
    if (!MakeKey(name, key)) {
        // No key: refused rather than cut short and mixed up with another
        // name. Nothing is loaded, so nothing can leak.
        ToolkitTrace("%s", IS_INTRESOURCE(name) ? "" : name);
        return nullptr;
    }
    if (SkinBitmapEntry* known = FindEntry(key)) {
        // nullptr for a name whose load failed and whose entry is not reused yet.
        return known->bitmap;
    }
    SkinBitmapEntry* entry = FindReusableEntry();
    if (entry == nullptr) {
        // Every entry holds a bitmap: load nothing rather than hand out a
        // bitmap no one would own.
        ToolkitTrace("%s", key);
        return nullptr;
    }
    HBITMAP bitmap = LoadBitmapA(instance, name);
    // Recorded before the box is shown: a request for the same name made
    // while the box is up then stays silent too.
    std::memcpy(entry->name, key, sizeof key);
    entry->bitmap = bitmap;
    if (bitmap == nullptr) {
        ToolkitTrace("%s", key);
        MessageBoxA(nullptr, key, "NotFound", MB_OK);
    }
    return bitmap;
}

void FreeSkinBitmaps() {
    for (SkinBitmapEntry& entry : skinBitmapCache) {
        if (entry.bitmap != nullptr) DeleteObject(entry.bitmap);
        entry.bitmap = nullptr;
        entry.name[0] = '\0';
    }
}
