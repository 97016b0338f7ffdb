// Loads the game's pictures from the program's resources. Called once by
// the window; tests call it too, to compare frames with the real sheets.
#pragma once

#include "game/pictures.h"

namespace game {

Pictures loadPictures();

}  // namespace game
