// The files in the browser: Emscripten's file system, where the site's own
// files (maps, sounds, the starter character) lie under kSitio and the
// player's under kDatos, kept in the browser's storage (IndexedDB). A save
// there is done only when the storage has it (decision 1 holds: a failed
// sync is a failed save), so a reload or another tab never loses it.
#pragma once

#include "platform/posixfiles.h"

namespace platform {

class WebFiles final : public PosixFiles {
 public:
  // The program's folder: PREFIX/games beside PREFIX/share/tarnwick, as an
  // installed program's, so the player's files are kept apart.
  static constexpr const char* kPrograma = "/juego/games";
  static constexpr const char* kDatos = "/datos";

  std::string programFolder() const override { return kPrograma; }
  std::string userDataFolder() const override { return kDatos; }
  bool writeAtomic(const std::string& path, std::string_view data) override;
  bool remove(const std::string& path) override;
};

}  // namespace platform
