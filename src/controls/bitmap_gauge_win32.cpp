#include "controls/bitmap_gauge.h"

#include "controls/bitmap_gauge_parts.h"
#include "controls/control_access.h"
#include "controls/control_class.h"
#include "controls/toolkit_frame.h"
#include "controls/toolkit_procedures.h"
#include "win32/gdi_scope_win32.h"

namespace {

const char kBitmapGaugeClassName[] = "Kiv_BmpGageClass";

struct GaugeState {
    LONG reserved;  // not used by the gauge
    LONG position;  // filled share in percent; drawn unclamped
};

constexpr COLORREF kFilledColour = 0xB0966E;
constexpr COLORREF kEmptyColour = 0xCFC7BF;

// Two rectangles outlined with the context's pen (the default black one):
// the filled part, then the empty part one pixel over its right edge.
void Kiv_DrawGage(const PaintTarget& target, int, GaugeState* state) {
    if (state == nullptr) return;
    ToolkitTrace("Kiv_DrawGage\n");
    const RECT& bar = target.client;
    const GaugeParts parts = LayOutGauge(bar.left, bar.right, state->position);
    // The brushes are declared before the selection, so the brush selected
    // before is back in the context when they are deleted.
    OwnedGdiObject filled(CreateSolidBrush(PaletteColour(kFilledColour)));
    OwnedGdiObject empty(CreateSolidBrush(PaletteColour(kEmptyColour)));
    if (!filled || !empty) return;
    ScopedSelection kept(target.dc, filled.get());
    Rectangle(target.dc, bar.left, bar.top, parts.filledRight, bar.bottom);
    SelectObject(target.dc, empty.get());
    Rectangle(target.dc, parts.emptyLeft, bar.top, bar.right, bar.bottom);
}

const ControlClass<GaugeState> kBitmapGauge = {Kiv_DrawGage, 0, true, nullptr, nullptr};

// A progress bar whose value is its filled share.
void Describe(HWND window, AccessibleFacts* facts) {
    facts->role = ROLE_SYSTEM_PROGRESSBAR;
    if (const GaugeState* state = StateOf<GaugeState>(window)) wsprintfA(facts->value, "%ld%%", state->position);
}

LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SBM_SETPOS:
        if (GaugeState* state = StateOf<GaugeState>(window)) state->position = static_cast<LONG>(wParam);
        PaintNow(window, kBitmapGauge);
        return 0;
    default: return ControlProcedure(kBitmapGauge, window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK BitmapGaugeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderAwareProcedure(Message, Describe, window, message, wParam, lParam);
}

HWND CreateBitmapGauge(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, int position,
                       const char* label) {
    return CreateControl<GaugeState>(
        kBitmapGaugeClassName, {instance, parent, id, x, y, {width, height}, label},
        [&](HWND, GaugeState& state) { state.position = position; });
}
