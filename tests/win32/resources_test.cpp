// The program's resources as the running program finds them: every skin
// bitmap by the lower-case name the panel asks for, at the size the layout
// depends on; the on/off switch faces by number; the icons, the "psize"
// cursor, the class-name string, the accelerator table and the version record;
// every skin bitmap stored at 8 bits with the skin's one colour table.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// A bitmap loaded for one check; deleted when the check ends.
class LoadedBitmap {
public:
    explicit LoadedBitmap(const char* name) : bitmap_(LoadBitmapA(Instance(), name)) {}
    ~LoadedBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    LoadedBitmap(const LoadedBitmap&) = delete;
    LoadedBitmap& operator=(const LoadedBitmap&) = delete;

    HBITMAP get() const { return bitmap_; }
    SIZE Size() const {
        BITMAP info = {};
        GetObjectA(bitmap_, sizeof info, &info);
        return SIZE{info.bmWidth, info.bmHeight};
    }
    // The picture as 32-bit pixels, top row first.
    std::vector<DWORD> Pixels() const {
        const SIZE size = Size();
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size.cx;
        format.bmiHeader.biHeight = -size.cy;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap_, 0, size.cy, pixels.data(), &format, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows != size.cy) pixels.clear();
        return pixels;
    }

private:
    HBITMAP bitmap_;
};

// The colour table of a bitmap resource stored at 8 bits; empty at any other
// depth. The one-pixel "skinpalette" carries the skin's.
std::string ColourTable(const char* name) {
    HRSRC found = FindResourceA(Instance(), name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    const auto* header =
        found ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Instance(), found))) : nullptr;
    if (header == nullptr || header->biBitCount != 8) return "";
    const size_t colours = header->biClrUsed != 0 ? header->biClrUsed : 256;
    return std::string(reinterpret_cast<const char*>(header) + header->biSize, colours * sizeof(RGBQUAD));
}

struct SkinBitmap {
    const char* name;
    int width;
    int height;
};

// Every name the program asks for, with the size its controls take on.
// clang-format off
const SkinBitmap kSkinBitmaps[] = {
    {"mainbak", 339, 254},       {"smptebak", 339, 100},
    {"coaxial_on", 123, 15},     {"coaxial_off", 123, 15},
    {"optical_on", 123, 15},     {"optical_off", 123, 15},
    {"fs_on", 123, 15},          {"fs_off", 123, 15},
    {"256fs_on", 123, 15},       {"256fs_off", 123, 15},
    {"internal_on", 123, 15},    {"internal_off", 123, 15},
    {"digitalin_on", 123, 15},   {"digitalin_off", 123, 15},
    {"word_on", 123, 15},        {"word_off", 123, 15},
    {"extertara_on", 123, 15},   {"extertara_off", 123, 15},
    {"btn_on", 17, 15},          {"btn_off", 17, 15},
    {"out12_off", 72, 15},       {"out34_off", 72, 15},
    {"out56_off", 72, 15},       {"out78_off", 72, 15},
    {"off_on", 19, 53},          {"off_off", 19, 53},
    {"32000_on", 110, 15},       {"32000_off", 110, 15},
    {"44100_on", 110, 15},       {"44100_off", 110, 15},
    {"48000_on", 110, 15},       {"48000_off", 110, 15},
    {"auto_on", 19, 53},         {"auto_off", 19, 53},
    {"showhide_on", 110, 15},    {"showhide_off", 110, 15},
    {"id1", 25, 31},             {"id2", 25, 31},
    {"id3", 25, 31},             {"id4", 25, 31},
    {"start_on", 44, 31},        {"start_off", 44, 31},
    {"24_on", 40, 21},           {"24_off", 40, 21},
    {"25_on", 40, 21},           {"25_off", 40, 21},
    {"2997_on", 40, 21},         {"2997_off", 40, 21},
    {"30D_on", 40, 21},          {"30D_off", 40, 21},
    {"30_on", 40, 21},           {"30_off", 40, 21},
    // The control gallery's faces of the toolkit's other classes.
    {"push_released", 64, 22},   {"push_pressed", 64, 22},
    {"opener_released", 20, 20}, {"opener_pressed", 20, 20},
    {"popmenu_face", 100, 20},
    {"state3_0", 40, 21},        {"state3_1", 40, 21},        {"state3_2", 40, 21},
    {"list_sine", 48, 32},       {"list_square", 48, 32},
    {"list_triangle", 48, 32},   {"list_saw", 48, 32},
    {"vs_rail", 20, 120},        {"vs_thumb", 14, 10},        {"vs_thumb_focus", 14, 10},
    {"hs_rail", 112, 12},        {"hs_thumb", 11, 10},        {"hs_thumb_focus", 11, 10},
    {"knob_dial", 41, 41},       {"knob_dot", 7, 7},          {"knob_dot_focus", 7, 7},
    {"digit_strip", 60, 7},      {"glyph_strip", 234, 7},
};
// clang-format on

TEST(SkinResources, EveryBitmapLoadsByItsLowerCaseNameAtItsLayoutSizeWithTheSkinsColourTable) {
    const std::string skinTable = ColourTable("skinpalette");
    ASSERT_FALSE(skinTable.empty());
    for (const SkinBitmap& entry : kSkinBitmaps) {
        SCOPED_TRACE(entry.name);
        LoadedBitmap bitmap(entry.name);
        ASSERT_NE(bitmap.get(), nullptr);
        const SIZE size = bitmap.Size();
        EXPECT_EQ(size.cx, entry.width);
        EXPECT_EQ(size.cy, entry.height);
        EXPECT_TRUE(ColourTable(entry.name) == skinTable) << "not at 8 bits with the skin's colour table";
    }
}

TEST(SkinResources, OnAndOffFacesOfEveryToggleLookDifferent) {
    const char* const pairs[] = {"coaxial",   "optical", "fs",  "256fs", "internal", "digitalin", "word",
                                 "extertara", "btn",     "off", "32000", "44100",    "48000",     "auto",
                                 "showhide",  "start",   "24",  "25",    "2997",     "30D",       "30"};
    for (const char* stem : pairs) {
        SCOPED_TRACE(stem);
        LoadedBitmap on((std::string(stem) + "_on").c_str());
        LoadedBitmap off((std::string(stem) + "_off").c_str());
        const std::vector<DWORD> onPixels = on.Pixels();
        ASSERT_FALSE(onPixels.empty());
        EXPECT_NE(onPixels, off.Pixels());
    }
}

TEST(SkinResources, CardBadgesShowDifferentNumbers) {
    LoadedBitmap first("id1");
    const std::vector<DWORD> firstPixels = first.Pixels();
    ASSERT_FALSE(firstPixels.empty());
    for (const char* name : {"id2", "id3", "id4"}) {
        SCOPED_TRACE(name);
        LoadedBitmap other(name);
        EXPECT_NE(other.Pixels(), firstPixels);
    }
}

TEST(SkinResources, SwitchFacesLoadByNumberAndAreFourDistinctPictures) {
    const int ids[] = {IDB_ONOFF_PRESSED_OFF, IDB_ONOFF_RELEASED_OFF, IDB_ONOFF_RELEASED_ON, IDB_ONOFF_PRESSED_ON};
    EXPECT_EQ(ids[0], 129);
    EXPECT_EQ(ids[3], 132);
    std::vector<std::vector<DWORD>> faces;
    for (int id : ids) {
        SCOPED_TRACE(id);
        LoadedBitmap face(MAKEINTRESOURCEA(id));
        ASSERT_NE(face.get(), nullptr);
        EXPECT_EQ(face.Size().cx, 40);
        EXPECT_EQ(face.Size().cy, 20);
        EXPECT_TRUE(ColourTable(MAKEINTRESOURCEA(id)) == ColourTable("skinpalette"));
        faces.push_back(face.Pixels());
    }
    for (size_t a = 0; a < faces.size(); ++a)
        for (size_t b = a + 1; b < faces.size(); ++b) EXPECT_NE(faces[a], faces[b]) << a << " vs " << b;
}

TEST(SkinResources, AnUnknownNameFindsNoBitmap) {
    LoadedBitmap missing("no_such_face");
    EXPECT_EQ(missing.get(), nullptr);
}

TEST(ShellResources, IconsLoadAtTheirSizes) {
    struct IconCase {
        int id;
        int size;
    };
    const IconCase cases[] = {{IDI_DESK_LARGE, 32}, {IDI_DESK_LARGE, 16}, {IDI_DESK_SMALL, 16}};
    for (const IconCase& c : cases) {
        SCOPED_TRACE(c.id);
        SCOPED_TRACE(c.size);
        HICON icon = static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(c.id), IMAGE_ICON, c.size, c.size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, c.size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ShellResources, PsizeCursorLoadsByLowerCaseNameWithItsHotspotInTheMiddle) {
    HCURSOR cursor = LoadCursorA(Instance(), "psize");
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(ShellResources, ClassNameStringIsTa20pan) {
    char text[100] = {};
    EXPECT_EQ(LoadStringA(Instance(), IDS_MAIN_CLASS_NAME, text, sizeof text), 7);
    EXPECT_STREQ(text, "TA20PAN");
}

TEST(ShellResources, AcceleratorTableExists) {
    HACCEL table = LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_MAIN_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, entries, 4), 1);
    EXPECT_EQ(entries[0].cmd, IDM_CLOSE_PANEL);
}

// Walks the version record (a tree of blocks: length, value length, type,
// UTF-16 key, value, children, each part on a 4-byte boundary) and returns
// the string value stored under key, or "" when there is none.
std::wstring FindVersionString(const BYTE* block, size_t length, const wchar_t* key) {
    if (length < 6) return L"";
    const WORD blockLength = *reinterpret_cast<const WORD*>(block);
    const WORD valueLength = *reinterpret_cast<const WORD*>(block + 2);
    const wchar_t* name = reinterpret_cast<const wchar_t*>(block + 6);
    const size_t nameBytes = (std::wcslen(name) + 1) * sizeof(wchar_t);
    size_t offset = (6 + nameBytes + 3) & ~size_t(3);
    if (std::wcscmp(name, key) == 0 && valueLength > 0)
        return std::wstring(reinterpret_cast<const wchar_t*>(block + offset));
    const bool textValue = *reinterpret_cast<const WORD*>(block + 4) == 1;
    offset += textValue ? valueLength * sizeof(wchar_t) : valueLength;
    offset = (offset + 3) & ~size_t(3);
    const size_t end = blockLength < length ? blockLength : length;
    while (offset + 6 <= end) {
        const WORD childLength = *reinterpret_cast<const WORD*>(block + offset);
        if (childLength == 0) break;
        const std::wstring found = FindVersionString(block + offset, end - offset, key);
        if (!found.empty()) return found;
        offset = (offset + childLength + 3) & ~size_t(3);
    }
    return L"";
}

TEST(ShellResources, VersionRecordNamesTheProduct) {
    HRSRC found = FindResourceA(Instance(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Instance(), found)));
    ASSERT_NE(data, nullptr);
    const size_t size = SizeofResource(Instance(), found);
    EXPECT_EQ(FindVersionString(data, size, L"FileVersion"), L"1.9");
    EXPECT_EQ(FindVersionString(data, size, L"ProductName"), L"Tara Dock 20");
    EXPECT_EQ(FindVersionString(data, size, L"FileDescription"), L"TaraDock-20 Control Desk");
}

}  // namespace
