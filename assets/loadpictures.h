// Loads the pictures from the program's resources. Called once by each
// window; tests call it too, to compare frames with the real sheets.
#pragma once

#include "assets/pictures.h"

namespace assets {

Pictures loadPictures();

}  // namespace assets
