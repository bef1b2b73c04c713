#include "controls/control_class.h"

void* AllocateStateBlock(HWND window, SIZE_T size) {
    void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (block != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    return block;
}

void FreeStateBlock(HWND window) {
    void* block = reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (block == nullptr) return;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    HeapFree(GetProcessHeap(), 0, block);
}

bool MakePaintTarget(HWND window, HDC dc, PaintTarget* target) {
    if (dc == nullptr) return false;
    target->window = window;
    target->dc = dc;
    if (!GetClientRect(window, &target->client)) SetRectEmpty(&target->client);
    return true;
}

HWND CreateControlWindow(const char* className, HINSTANCE instance, HWND parent, int id, int x, int y, int width,
                         int height, const char* title, DWORD style) {
    return CreateWindowExA(0, className, title != nullptr ? title : "", WS_CHILD | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}
