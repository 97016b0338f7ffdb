// The pictures both programs draw from, loaded once by each window from
// the program's resources (loadpictures.h).
#pragma once

#include <array>

#include "platform/bitmap.h"

namespace assets {

struct Pictures {
  platform::Bitmap terrenos;  // 80 x 40: ground tiles, row 1 black, white, white, second water
  platform::Bitmap yo;        // 40 x 160: hero figure and mask, one row per facing
  platform::Bitmap sangre;    // 40 x 20: blood mark and mask
  std::array<platform::Bitmap, 3> enemigos;  // 40 x 160 each, by enemy kind
  platform::Bitmap resp;                     // 600 x 400 white: the empty field
  platform::Bitmap derecha;                  // 120 x 500: right panel
  platform::Bitmap abajo;                    // 600 x 100: bottom panel
};

}  // namespace assets
