// Any bytes given to the map reader: it must answer without crashing, and a
// map it accepts must write back to text that reads as the same map.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mapformat/reader.h"
#include "mapformat/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static mapformat::MapData map, again;
  for (auto reader : {mapformat::Reader::Game, mapformat::Reader::Editor}) {
    if (mapformat::read(text, reader, map) != mapformat::Fault::None) continue;
    if (map.terrain.size() != static_cast<size_t>(map.width() * map.height())) abort();
    const std::string written = mapformat::write(map);
    if (mapformat::read(written, reader, again) != mapformat::Fault::None) abort();
    if (!(again == map)) abort();
    if (mapformat::write(again) != written) abort();
  }
  return 0;
}
