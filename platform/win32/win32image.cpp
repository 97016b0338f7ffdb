#include "platform/win32/win32image.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ uses min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace platform {

namespace {

// GDI+ is started once, on first use, and left running until the process ends.
bool gdiplusReady() {
  static const bool ready = [] {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return ready;
}

struct Release {
  void operator()(IStream* s) const { s->Release(); }
};

}  // namespace

media::Bitmap loadPicture(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || !gdiplusReady()) return {};
  std::unique_ptr<IStream, Release> stream(SHCreateMemStream(
      static_cast<const BYTE*>(bytes), static_cast<UINT>(SizeofResource(nullptr, found))));
  if (!stream) return {};

  Gdiplus::Bitmap image(stream.get());
  if (image.GetLastStatus() != Gdiplus::Ok) return {};
  const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
  media::Bitmap picture(w, h);
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data{};
  if (image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok)
    return {};
  // Rows of 0x??RRGGBB, as the rules keep them, only opaque.
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        static_cast<const BYTE*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < w; ++x) picture.set(x, y, row[x] | 0xFF000000u);
  }
  image.UnlockBits(&data);
  return picture;
}

BITMAPINFO describe(const media::Bitmap& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBITMAP toHBitmap(const media::Bitmap& picture) {
  const BITMAPINFO info = describe(picture);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits)
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(uint32_t));
  return bitmap;
}

}  // namespace platform
