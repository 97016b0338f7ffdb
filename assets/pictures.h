// The pictures both programs draw from, loaded once by each window from
// the program's resources (loadpictures.h).
#pragma once

#include <array>

#include "media/bitmap.h"

namespace assets {

struct Pictures {
  media::Bitmap terrenos;  // 80 x 40: ground tiles, row 1 black, white, white, second water
  media::Bitmap yo;        // 40 x 160: hero figure and mask, one row per facing
  media::Bitmap sangre;    // 40 x 20: blood mark and mask
  std::array<media::Bitmap, 3> enemigos;  // 40 x 160 each, by enemy kind
  media::Bitmap resp;                     // 600 x 400 white: the empty field
  media::Bitmap derecha;                  // 120 x 500: right panel
  media::Bitmap abajo;                    // 600 x 100: bottom panel
};

}  // namespace assets
