// What both Windows programs' windows share: fonts, a fixed client area,
// showing a composed Bitmap, and the message loop.
#pragma once

#include <windows.h>

#include <functional>

#include "media/bitmap.h"

namespace platform {

// A font of the given face and pixel height (at 96 dots per inch: 12 pixels
// is 9 points, 11 is 8.25), plain or bold. The caller deletes it.
HFONT makeFont(const wchar_t* face, int pixels, bool bold);

// Sizes a top-level window so that its client area is exactly w x h below
// its caption and menu bar.
void setClientSize(HWND window, int w, int h);

// Draws the whole picture with its top-left corner at (x, y), unscaled.
void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture);
// Only the part of it that lies within `area` (in the device's pixels).
void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture, const RECT& area);

// Runs the thread's messages until WM_QUIT, letting the modeless dialog
// open at the time (if any) handle its own keys, as a dialog does. Returns
// the exit code.
int runMessages(const std::function<HWND()>& modeless = {});

}  // namespace platform
