#include "platform/web/webfiles.h"

#include <emscripten/emscripten.h>

#include <cstdint>

namespace platform {

namespace {

// clang-format off
// The storage's lock is taken, other tabs' saves are read in, the file is
// written and renamed over the old one, and all is written back; true only
// once the storage says it has it.
EM_ASYNC_JS(int, jsSave, (const char* path, const char* data, int size), {
  return await tarnwick.storage.save(UTF8ToString(path), HEAPU8.slice(data, data + size)) ? 1 : 0;
});
EM_ASYNC_JS(int, jsRemove, (const char* path), {
  return await tarnwick.storage.remove(UTF8ToString(path)) ? 1 : 0;
});
// clang-format on

bool kept(const std::string& path) {
  const std::string datos = WebFiles::kDatos;
  return path.size() > datos.size() && path.compare(0, datos.size(), datos) == 0 &&
         path[datos.size()] == '/';
}

}  // namespace

bool WebFiles::writeAtomic(const std::string& path, std::string_view data) {
  if (!kept(path)) return PosixFiles::writeAtomic(path, data);
  // The page holds the whole file as bytes: a size beyond int is no file we make.
  if (data.size() > static_cast<std::size_t>(INT32_MAX)) return false;
  return jsSave(path.c_str(), data.data(), static_cast<int>(data.size())) != 0;
}

bool WebFiles::remove(const std::string& path) {
  if (!kept(path)) return PosixFiles::remove(path);
  return jsRemove(path.c_str()) != 0;
}

}  // namespace platform
