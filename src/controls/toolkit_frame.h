// The skinned control toolkit's shared frame: registration of the fifteen
// Kiv_ window classes, the skin bitmap cache, the shared font and the
// drawing trace hook.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"

// One slot of the skin bitmap cache. A free slot has an empty name and no
// picture; a slot whose load failed keeps the name with no picture until it
// is reused.
struct SkinBitmapEntry {
    char name[32];    // at most 31 characters and the terminator
    SkinImage image;  // a rectangle of the atlas, or a bitmap of the entry's own
};

constexpr int kSkinBitmapCacheSize = 256;

extern HINSTANCE toolkitInstance;
extern HFONT toolkitFont;
extern SkinBitmapEntry skinBitmapCache[kSkinBitmapCacheSize];

// Registers the fifteen classes (and remembers the instance), then creates
// the shared font and the skin's palette, which it lends to the top-level
// frame as the program's palette. Called once at start, before the first
// control exists.
void RegisterControlClasses(HINSTANCE instance);

// Unregisters the classes, frees every cached bitmap and deletes the shared
// font and the palette. Called once after the last control has been
// destroyed.
void UnregisterControlClasses();

// A logical palette of the skin's colours: those of the colour table that
// every skin bitmap shares (the one-pixel bitmap "SKINPALETTE" carries it),
// less the 20 static colours that the system palette always holds. Null
// when the resources hold no such table. The caller owns it.
HPALETTE CreateSkinPalette(HINSTANCE instance);

// Returns the bitmap resource `name` from the cache, loading it on the first
// request. `name` may also be an integer resource id (MAKEINTRESOURCEA).
//
// The whole skin lives in one atlas, an 8-bit DIB section with the skin's
// colour table, into which each picture is copied as it is first asked for:
// the picture is a rectangle of it. (Each picture a DIB section of its own
// took its pixels rounded up to whole pages of memory, twice the skin's
// size.) A resource the atlas cannot take (another depth or colour table,
// too large, the atlas full) is loaded as a DIB section of its own.
//
// The cache owns the bitmaps: callers never delete them. Returns no picture
// when the bitmap is missing (after one "NotFound" box), when the name is
// longer than 31 characters, or when every slot already holds one.
SkinImage LoadSkinBitmap(HINSTANCE instance, const char* name);

// Whether `bitmap` is the skin's atlas.
bool IsSkinAtlas(HBITMAP bitmap);

// Deletes every cached bitmap and the atlas, and frees every slot.
void FreeSkinBitmaps();

// Drawing trace hook: takes a wsprintfA-style format and its arguments and
// does nothing with them, unless a program that shows its drawing (the
// control gallery's --draw-trace) has installed a sink: the sink then gets
// each call's formatted text.
void ToolkitTrace(const char* format, ...);

typedef void (*ToolkitTraceSink)(const char* text);
// Null (the start, and always in the desk) puts the hook back to nothing.
void SetToolkitTraceSink(ToolkitTraceSink sink);
