// The pictures both programs draw from, loaded once by each window from
// the program's resources (loadpictures.h).
#pragma once

#include <array>
#include <cstddef>

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

// Each picture of Pictures and the name of its resource (its file in
// assets/pictures/, without ".png"). A toolkit's loader only walks this
// table; the portrait and the editor's palettes are named in the layout
// tables, beside the controls that show them.
struct PictureFile {
  const char* name;
  media::Bitmap& (*in)(Pictures&);
};

template <media::Bitmap Pictures::*picture>
media::Bitmap& member(Pictures& p) {
  return p.*picture;
}
template <std::size_t kind>
media::Bitmap& enemyKind(Pictures& p) {
  return p.enemigos[kind];
}

inline constexpr PictureFile kPictureFiles[] = {
    {"terrenos", member<&Pictures::terrenos>},
    {"yo", member<&Pictures::yo>},
    {"sangre", member<&Pictures::sangre>},
    {"enemigo0", enemyKind<0>},
    {"enemigo1", enemyKind<1>},
    {"enemigo2", enemyKind<2>},
    {"resp", member<&Pictures::resp>},
    {"derecha", member<&Pictures::derecha>},
    {"abajo", member<&Pictures::abajo>},
};

}  // namespace assets
