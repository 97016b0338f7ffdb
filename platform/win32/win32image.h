// Pictures compiled into the program as PNG resources (RCDATA named after
// the file), decoded with GDI+, and their GDI forms for controls.
#pragma once

#include <windows.h>

#include "media/bitmap.h"

namespace platform {

// The picture of the named resource, or an empty Bitmap if it is missing
// or no PNG.
media::Bitmap loadPicture(const wchar_t* name);

// How GDI reads a Bitmap's pixels: 32-bit, top row first.
BITMAPINFO describe(const media::Bitmap& picture);

// A device-independent GDI bitmap holding a copy of the picture; the caller
// deletes it with DeleteObject.
HBITMAP toHBitmap(const media::Bitmap& picture);

}  // namespace platform
