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

// The DPI a window is drawn at: its monitor's for a program aware of them
// (its manifest says so), 96 for one that is not.
UINT dpiOf(HWND window);

// Sizes a top-level window so that its client area is exactly w x h below
// its caption and menu bar, as drawn at `dpi` (0: the window's own).
void setClientSize(HWND window, int w, int h, UINT dpi = 0);

// platform/scale.h's k for a window whose client is w x h layout pixels, at
// `dpi` on `monitor`: what fits its work area beside the window's frame.
int windowScale(HWND window, UINT dpi, HMONITOR monitor, int w, int h);

// Scaled by k, nearest neighbour: each pixel k x k device pixels.
void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture, const RECT& area, int k);

// Draws the whole picture with its top-left corner at (x, y), unscaled.
void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture);
// Only the part of it that lies within `area` (in the device's pixels).
void drawBitmap(HDC dc, int x, int y, const media::Bitmap& picture, const RECT& area);

// Runs the thread's messages until WM_QUIT, letting the modeless dialog
// open at the time (if any) handle its own keys, as a dialog does. Returns
// the exit code.
int runMessages(const std::function<HWND()>& modeless = {});

}  // namespace platform
