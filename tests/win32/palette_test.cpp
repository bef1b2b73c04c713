// The desk's panel and each class of the control gallery at 256 colours, drawn
// through their own paint paths into an 8-bit picture whose colour table is
// what the system palette holds with the desk in front (the 20 static colours
// and the desk's palette), against the same drawing in true colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "controls/toolkit_frame.h"
#include "gallery/gallery_layout.h"
#include "gallery/gallery_window_win32.h"
#include "panel/card_panel.h"
#include "support/desk_in_process.h"
#include "support/gallery_in_process.h"
#include "support/gui_object_counts.h"
#include "support/memory_settings_key.h"
#include "support/message_pump.h"
#include "support/pixel_checks.h"
#include "support/wine_window_manager.h"
#include "win32/gdi_scope_win32.h"
#include "win32/program_palette_win32.h"

namespace wintest {
namespace {

// The ten static colours at each end and, between them, those of `own`.
std::vector<RGBQUAD> SystemPalette(HPALETTE own) {
    HPALETTE fixed = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY entries[256];
    UINT count = GetPaletteEntries(fixed, 0, 10, entries);
    if (own != nullptr) count += GetPaletteEntries(own, 0, 236, entries + count);
    count += GetPaletteEntries(fixed, 10, 10, entries + count);
    std::vector<RGBQUAD> table;
    for (const PALETTEENTRY* c = entries; c != entries + count; ++c)
        table.push_back({c->peBlue, c->peGreen, c->peRed, 0});
    return table;
}

// Each visible child of `parent` through WM_PRINTCLIENT, clipped to its
// place in `window`, then its own children over it.
void PrintChildren(HWND window, HWND parent, HDC dc) {
    for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
        const RECT place = PlaceInClient(child, window);
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
        SetViewportOrgEx(dc, place.left, place.top, nullptr);
        SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        RestoreDC(dc, saved);
        PrintChildren(window, child, dc);
    }
}

// `window`'s picture with its controls' over it, all through WM_PRINTCLIENT,
// into a DIB section: 8-bit with `table`, 32-bit without one. Read back at
// 32 bits.
std::vector<RGBQUAD> Print(HWND window, const std::vector<RGBQUAD>& table) {
    RECT client;
    GetClientRect(window, &client);
    const WORD bits = table.empty() ? 32 : 8;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } format = {{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, bits, BI_RGB, 0, 0, 0, table.size()}};
    std::copy(table.begin(), table.end(), format.colours);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS, nullptr, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, canvas);
    const int fresh = SaveDC(dc);  // each window gets the context as its own paint does
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, fresh);
    PrintChildren(window, window, dc);
    SelectObject(dc, previous);
    format.header.biBitCount = 32;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(client.right) * client.bottom);
    GetDIBits(dc, canvas, 0, client.bottom, pixels.data(), reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS);
    DeleteObject(canvas);
    DeleteDC(dc);
    return pixels;
}

// The largest of the three channels' mean absolute differences in `area` of
// two pictures of `window`.
double MeanDifference(HWND window, const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b, const RECT& area) {
    RECT client;
    GetClientRect(window, &client);
    long sums[3] = {};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const BYTE* p = &a[y * client.right + x].rgbBlue;
            const BYTE* q = &b[y * client.right + x].rgbBlue;
            for (int c = 0; c < 3; ++c) sums[c] += std::abs(p[c] - q[c]);
        }
    }
    return *std::max_element(sums, sums + 3) / double((area.right - area.left) * (area.bottom - area.top));
}

TEST(TwoHundredFiftySixColours, ThePanelKeepsItsColoursWithTheDesksPaletteAndLosesThemWithout) {
    MemorySettingsKey key;
    LeapingClock clock;
    InProcessDesk desk(0x1, &key, &clock);
    ASSERT_TRUE(desk.Start());
    LeftClick(desk.Control(0, kBaseShowHide));  // the timecode row too
    HWND window = desk.window();
    EXPECT_EQ(SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0), TRUE) << "the frame realises the desk's palette";
    RECT client;
    GetClientRect(window, &client);
    const std::vector<RGBQUAD> trueColour = Print(window, {});
    EXPECT_LE(MeanDifference(window, Print(window, SystemPalette(ProgramPalette())), trueColour, client), 3.0);
    EXPECT_GT(MeanDifference(window, Print(window, SystemPalette(nullptr)), trueColour, client), 3.0);
    desk.Stop();
}

TEST(TwoHundredFiftySixColours, EveryGalleryClassKeepsItsColoursWithTheDesksPaletteAndLosesThemWithout) {
    HWND gallery = OpenGalleryInProcess();
    ASSERT_NE(gallery, nullptr);
    // Windows draws text unsmoothed at 256 colours, whatever the palette:
    // both pictures get their text so, and only the palette's part shows.
    LOGFONTA unsmoothed;
    GetObjectA(toolkitFont, sizeof unsmoothed, &unsmoothed);
    unsmoothed.lfQuality = NONANTIALIASED_QUALITY;
    HFONT smoothed = toolkitFont;
    toolkitFont = CreateFontIndirectA(&unsmoothed);
    const GalleryCell* const cells = GalleryCells();
    for (const GalleryCell* cell = cells; cell != cells + GalleryCellCount(); ++cell)
        if (cell->kind == GalleryKind::DigitField)
            SendMessageA(GetDlgItem(gallery, cell->id), WM_SETFONT, reinterpret_cast<WPARAM>(toolkitFont), 0);
    ShowWindow(gallery, SW_SHOWNOACTIVATE);
    RedrawWindow(gallery, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<RGBQUAD> trueColour = Print(gallery, {});
    std::vector<RGBQUAD> shown;  // the second path: what the screen shows
    for (const COLORREF c : CaptureClient(gallery).pixels)
        shown.push_back({GetBValue(c), GetGValue(c), GetRValue(c), 0});
    const std::vector<RGBQUAD> withPalette = Print(gallery, SystemPalette(ProgramPalette()));
    const std::vector<RGBQUAD> staticOnly = Print(gallery, SystemPalette(nullptr));
    for (const GalleryCell* cell = cells; cell != cells + GalleryCellCount(); ++cell) {
        SCOPED_TRACE(cell->className);
        const RECT place = PlaceInClient(GetDlgItem(gallery, cell->id), gallery);
        EXPECT_LE(MeanDifference(gallery, withPalette, trueColour, place), 3.0);
        EXPECT_EQ(MeanDifference(gallery, shown, trueColour, place), 0.0) << "printed otherwise than painted";
        // The gallery's digit field is green on black, two static colours.
        if (cell->kind != GalleryKind::DigitField)
            EXPECT_GT(MeanDifference(gallery, staticOnly, trueColour, place), 3.0);
    }
    DeleteObject(toolkitFont);
    toolkitFont = smoothed;

    // Wine copies between DIB sections by their colour tables, whatever
    // palette the contexts hold, so no picture shows a memory context without
    // the desk's palette (nor one realised in the background as the window
    // comes to the front); the contexts themselves show the first.
    HDC screen = GetDC(gallery);
    const HGDIOBJ own = GetCurrentObject(screen, OBJ_PAL);
    {
        MemoryDC memory(screen);
        EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_PAL), ProgramPalette());
        EXPECT_EQ(GetCurrentObject(screen, OBJ_PAL), ProgramPalette());
    }
    EXPECT_EQ(GetCurrentObject(screen, OBJ_PAL), own);
    ReleaseDC(gallery, screen);
    // Realising the palette gives the window's context back every time, and
    // the window's own change of palette draws nothing again.
    const GuiObjectCount before = CountGdiObjects();
    for (int i = 0; i < 20; ++i) SendMessageA(gallery, WM_QUERYNEWPALETTE, 0, 0);
    EXPECT_EQ(CountGdiObjects().count, before.count);
    UpdateWindow(gallery);
    SendMessageA(gallery, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(gallery), 0);
    EXPECT_FALSE(GetUpdateRect(gallery, nullptr, FALSE));

    // A picture taken through WM_PRINTCLIENT leaves what a control knows of
    // the screen alone: the knob, its value moved while it was hidden, covers
    // its indicator's old place when it paints before the gallery does.
    HWND knob = nullptr;
    for (const GalleryCell* cell = cells; cell != cells + GalleryCellCount(); ++cell)
        if (cell->kind == GalleryKind::Knob) knob = GetDlgItem(gallery, cell->id);
    ASSERT_NE(knob, nullptr);
    ShowWindow(knob, SW_HIDE);
    SendMessageA(knob, SBM_SETPOS, SendMessageA(knob, SBM_GETPOS, 0, 0) == 0 ? 100 : 0, 0);
    Render(41, 41, [&](HDC dc) { SendMessageA(knob, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
    ShowWindow(knob, SW_SHOWNA);
    UpdateWindow(knob);
    const PixelImage painted = CaptureClient(knob);
    RedrawWindow(gallery, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ("", FirstDifference(painted, CaptureClient(knob))) << "the old indicator stayed";
    CloseGalleryInProcess(gallery);
}

}  // namespace
}  // namespace wintest
