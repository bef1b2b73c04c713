#include "controls/skin_cache_key.h"
#include "controls/toolkit_frame.h"
#include "win32/gdi_scope_win32.h"

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
    // A DIB section keeps the skin's colour table, so each copy from it maps
    // the colours through the palette its destination holds at that moment:
    // right again after another program's palette moved the system
    // palette's entries, and at any depth, at one byte a pixel. (LoadBitmapA
    // matches the colours once, at a display of 256 colours to the 20 static
    // ones; a device bitmap made with the palette selected would keep the
    // system palette's indices of the moment it was made.)
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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

namespace {

bool Holds(const PALETTEENTRY* entries, UINT count, const PALETTEENTRY& colour) {
    for (UINT i = 0; i < count; ++i) {
        const PALETTEENTRY& entry = entries[i];
        if (entry.peRed == colour.peRed && entry.peGreen == colour.peGreen && entry.peBlue == colour.peBlue)
            return true;
    }
    return false;
}

}  // namespace

HPALETTE CreateSkinPalette(HINSTANCE instance) {
    OwnedGdiObject carrier(LoadImageA(instance, "SKINPALETTE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    RGBQUAD table[256];
    UINT colours = 0;
    {
        MemoryDC memory(nullptr);
        if (memory.Select(static_cast<HBITMAP>(carrier.get()))) colours = GetDIBColorTable(memory.get(), 0, 256, table);
    }
    PALETTEENTRY fixed[20];
    const UINT fixedCount = GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, fixed);
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[256];
    } palette = {0x300, 0, {}};
    for (UINT i = 0; i < colours; ++i) {
        const PALETTEENTRY colour = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        if (!Holds(fixed, fixedCount, colour) && !Holds(palette.entries, palette.count, colour))
            palette.entries[palette.count++] = colour;
    }
    return palette.count > 0 ? CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)) : nullptr;
}
