// The control gallery's window: one control of each of the toolkit's
// fifteen classes on the desk's skin, each under its class name with its
// value beside it, and a log of the last notifications that reached the
// gallery. Some controls drive others, as on a panel: the vertical slider
// has the digit display as its buddy, the horizontal slider moves the gauge,
// the popup-menu selector's item shows in the bitmap text, and the small text
// names the last control that spoke.
#pragma once

#include <windows.h>

#include <string>

#include "gallery/gallery_layout.h"

// Gets the --events line of every notification as it arrives; null: none.
typedef void (*GalleryEventSink)(const std::string& line);
void SetGalleryEventSink(GalleryEventSink sink);

// Registers the gallery's window class ("KivGallery") and creates the window
// ("Control gallery"), hidden, with its fifteen controls made and shown. The
// toolkit's classes must be registered. Null when the window cannot be made.
HWND CreateGalleryWindow(HINSTANCE instance);

// Unregisters the gallery's window class, once its window is gone.
void UnregisterGalleryClass(HINSTANCE instance);
