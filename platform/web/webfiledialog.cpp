#include "platform/web/webfiledialog.h"

#include <emscripten/emscripten.h>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

// clang-format off
EM_ASYNC_JS(char*, jsFileDialog, (int saving, const char* shipped, const char* player,
                                  const char* name), {
  const chosen = await tarnwick.fileDialog(saving !== 0, UTF8ToString(shipped),
                                           UTF8ToString(player), UTF8ToString(name));
  return chosen === null ? 0 : allocateUTF8(chosen);
});
// clang-format on

bool startsFolder(const std::string& path, const std::string& folder) {
  return path.size() >= folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == kSeparator);
}

}  // namespace

DialogPlace dialogPlace(const Folders& folders, const std::string& proposed, bool isFolder) {
  std::string folder = proposed, name;
  if (!isFolder) {
    const std::size_t cut = proposed.find_last_of(kSeparator);
    folder = cut == std::string::npos ? std::string() : proposed.substr(0, cut);
    name = cut == std::string::npos ? proposed : proposed.substr(cut + 1);
  }
  // The same place under the other root: "mapas" of the site is "mapas" of the player.
  std::string below;
  if (startsFolder(folder, folders.player))
    below = folder.substr(folders.player.size());
  else if (startsFolder(folder, folders.shipped))
    below = folder.substr(folders.shipped.size());
  else if (!folder.empty())
    return {std::string(), folder, name};
  return {folders.shipped + below, folders.player + below, name};
}

std::optional<FileChoice> WebFileDialog::open(const std::string& proposed) {
  return run(false, proposed);
}

std::optional<FileChoice> WebFileDialog::save(const std::string& proposed) {
  return run(true, proposed);
}

std::optional<FileChoice> WebFileDialog::run(bool saving, const std::string& proposed) {
  const DialogPlace place = dialogPlace(folders_, proposed, files_.isFolder(proposed));
  const std::unique_ptr<char, decltype(&std::free)> chosen(
      jsFileDialog(saving ? 1 : 0, place.shipped.c_str(), place.player.c_str(), place.name.c_str()),
      &std::free);
  if (!chosen || !*chosen.get()) return std::nullopt;
  const std::string path = chosen.get();
  const std::size_t cut = path.find_last_of(kSeparator);
  const std::string title = cut == std::string::npos ? path : path.substr(cut + 1);
  if (title.empty()) return std::nullopt;  // only a folder was given
  return FileChoice{path, title};
}

}  // namespace platform

// Whether a file brought from the computer may keep its name here: one
// every platform the programs run on can hold (0), else why not.
extern "C" EMSCRIPTEN_KEEPALIVE int tarnwick_name_fault(const char* name) {
  return name ? static_cast<int>(platform::portableNameFault(name)) : 1;
}
