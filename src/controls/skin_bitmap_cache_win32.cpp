#include "controls/control_drawing.h"
#include "controls/skin_atlas_packing.h"
#include "controls/skin_cache_key.h"
#include "controls/toolkit_frame.h"
#include "win32/gdi_scope_win32.h"

#include <cstring>

static_assert(sizeof(SkinBitmapEntry::name) == kSkinKeySize, "entry name holds one key");

SkinBitmapEntry skinBitmapCache[kSkinBitmapCacheSize];

namespace {

// Wider than the widest picture of the skin (339) and, at 512 pixels a row,
// tall enough for the whole skin twice over: rows no picture was copied to
// are never touched, and untouched pages of a DIB section take no memory.
constexpr int kAtlasWidth = 512;
constexpr int kAtlasHeight = 1024;
constexpr UINT kAtlasColours = 256;

// The atlas: a top-down 8-bit DIB section, its pixels, its colour table (the
// table of the first picture it took; every picture of the skin shares it)
// and where its pictures went.
struct Atlas {
    HBITMAP bitmap;
    BYTE* pixels;
    RGBQUAD colours[kAtlasColours];
    AtlasPacking packing;
};
Atlas atlas = {nullptr, nullptr, {}, AtlasPacking(kAtlasWidth, kAtlasHeight)};

// A bitmap resource as it lies in the program's image: a header, a colour
// table and rows of 8-bit pixels, each row padded to four bytes.
struct PackedPicture {
    const RGBQUAD* colours;
    UINT colourCount;
    const BYTE* rows;
    int width;
    int height;
    bool bottomUp;
    size_t stride;
};

// The resource `name` as an uncompressed 8-bit picture whose every part lies
// within the resource; false for any other form.
bool FindPackedPicture(HINSTANCE instance, const char* name, PackedPicture* picture) {
    HRSRC found = FindResourceA(instance, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (found == nullptr) return false;
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size || header.biPlanes != 1 || header.biBitCount != 8 ||
        header.biCompression != BI_RGB || header.biClrUsed > kAtlasColours)
        return false;
    if (header.biWidth <= 0 || header.biWidth > kAtlasWidth || header.biHeight == 0 ||
        header.biHeight < -kAtlasHeight || header.biHeight > kAtlasHeight)
        return false;
    picture->width = header.biWidth;
    picture->height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    picture->bottomUp = header.biHeight > 0;
    picture->stride = (static_cast<size_t>(picture->width) + 3) & ~static_cast<size_t>(3);
    picture->colourCount = header.biClrUsed != 0 ? header.biClrUsed : kAtlasColours;
    const size_t rowsAt = header.biSize + picture->colourCount * sizeof(RGBQUAD);
    if (rowsAt > size || (size - rowsAt) / picture->stride < static_cast<size_t>(picture->height)) return false;
    picture->colours = reinterpret_cast<const RGBQUAD*>(data + header.biSize);
    picture->rows = data + rowsAt;
    return true;
}

bool SameColours(const RGBQUAD* a, const RGBQUAD* b, UINT count) {
    for (UINT i = 0; i < count; ++i)
        if (a[i].rgbRed != b[i].rgbRed || a[i].rgbGreen != b[i].rgbGreen || a[i].rgbBlue != b[i].rgbBlue) return false;
    return true;
}

// The atlas, made with the colour table of its first picture.
bool MakeAtlas(const PackedPicture& first) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[kAtlasColours];
    } format = {};
    format.header.biSize = sizeof format.header;
    format.header.biWidth = kAtlasWidth;
    format.header.biHeight = -kAtlasHeight;
    format.header.biPlanes = 1;
    format.header.biBitCount = 8;
    format.header.biCompression = BI_RGB;
    format.header.biClrUsed = kAtlasColours;
    std::memcpy(format.colours, first.colours, first.colourCount * sizeof(RGBQUAD));
    void* pixels = nullptr;
    atlas.bitmap =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&format), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (atlas.bitmap == nullptr || pixels == nullptr) return false;
    atlas.pixels = static_cast<BYTE*>(pixels);
    std::memcpy(atlas.colours, format.colours, sizeof atlas.colours);
    return true;
}

// Copies the resource `name` into the atlas, row by row as it lies in the
// image (the same colour table: the indices mean the same colours); no
// picture when the atlas cannot take it.
SkinImage PlaceInAtlas(HINSTANCE instance, const char* name) {
    SkinImage image = {};
    PackedPicture picture;
    if (!FindPackedPicture(instance, name, &picture)) return image;
    if (atlas.bitmap == nullptr && !MakeAtlas(picture)) return image;
    if (!SameColours(picture.colours, atlas.colours, picture.colourCount)) return image;
    int x = 0;
    int y = 0;
    if (!atlas.packing.Place(picture.width, picture.height, &x, &y)) return image;
    GdiFlush();  // nothing of GDI's may still be on its way to the pixels
    for (int row = 0; row < picture.height; ++row) {
        const int from = picture.bottomUp ? picture.height - 1 - row : row;
        std::memcpy(atlas.pixels + static_cast<size_t>(y + row) * kAtlasWidth + x,
                    picture.rows + static_cast<size_t>(from) * picture.stride, picture.width);
    }
    image.bitmap = atlas.bitmap;
    image.origin.x = x;
    image.origin.y = y;
    image.size.cx = picture.width;
    image.size.cy = picture.height;
    return image;
}

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

// The first entry without a picture: free, or left by a failed load.
SkinBitmapEntry* FindReusableEntry() {
    for (SkinBitmapEntry& entry : skinBitmapCache)
        if (!entry.image) return &entry;
    return nullptr;
}

}  // namespace

SkinImage LoadSkinBitmap(HINSTANCE instance, const char* name) {
    char key[kSkinKeySize];
    if (!MakeKey(name, key)) {
        // No key: refused rather than cut short and mixed up with another
        // name. Nothing is loaded, so nothing can leak.
        ToolkitTrace("%s", IS_INTRESOURCE(name) ? "" : name);
        return SkinImage();
    }
    if (SkinBitmapEntry* known = FindEntry(key)) {
        // No picture for a name whose load failed and whose entry is not reused yet.
        return known->image;
    }
    SkinBitmapEntry* entry = FindReusableEntry();
    if (entry == nullptr) {
        // Every entry holds a picture: load nothing rather than hand out a
        // bitmap no one would own.
        ToolkitTrace("%s", key);
        return SkinImage();
    }
    // In the atlas or not, the picture keeps the skin's colour table, so each
    // copy from it maps the colours through the palette its destination
    // holds at that moment: right again after another program's palette
    // moved the system palette's entries, and at any depth, at one byte a
    // pixel. (LoadBitmapA matches the colours once, at a display of 256
    // colours to the 20 static ones.)
    SkinImage image = PlaceInAtlas(instance, name);
    if (!image)
        image = SkinImage(static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    // Recorded before the box is shown: a request for the same name made
    // while the box is up then stays silent too.
    std::memcpy(entry->name, key, sizeof key);
    entry->image = image;
    if (!image) {
        ToolkitTrace("%s", key);
        MessageBoxA(nullptr, key, "NotFound", MB_OK);
    }
    return image;
}

bool IsSkinAtlas(HBITMAP bitmap) { return bitmap != nullptr && bitmap == atlas.bitmap; }

void FreeSkinBitmaps() {
    // The atlas stays selected in the context the copies are made from.
    ReleaseSkinSource();
    for (SkinBitmapEntry& entry : skinBitmapCache) {
        if (entry.image && !IsSkinAtlas(entry.image.bitmap)) DeleteObject(entry.image.bitmap);
        entry.image = SkinImage();
        entry.name[0] = '\0';
    }
    if (atlas.bitmap != nullptr) DeleteObject(atlas.bitmap);
    atlas = {nullptr, nullptr, {}, AtlasPacking(kAtlasWidth, kAtlasHeight)};
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
