// Any map the editor may hold, built from the fuzzer's bytes: written, it
// must read back through the editor's reader as the same map and write the
// same bytes again. map_fuzz starts from text and rarely reaches a large or
// odd map that is valid; this target starts from the map.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mapformat/reader.h"
#include "mapformat/writer.h"

namespace {

// Hands out the input a piece at a time; once it is used up every piece is
// zero, so any input, even an empty one, makes a map.
class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool empty() const { return p_ == end_; }
  uint8_t u8() { return p_ == end_ ? 0 : *p_++; }
  uint16_t u16() {
    const uint8_t low = u8();
    return static_cast<uint16_t>(low | u8() << 8);
  }
  int16_t i16() { return static_cast<int16_t>(u16()); }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

// Mostly up to 24 so a run tries many maps a second; about one time in
// thirty anything from 1 to 1000.
int side(Bytes& in) {
  const uint8_t b = in.u8();
  return b >= 248 ? 1 + in.u16() % mapformat::kGridSize : 1 + b % 24;
}

// The writer puts info between "/inf/" and "/fin/" as it is, and the reader
// cuts the file at "/fin/" before it looks for "/inf/". So info must not
// hold a marker, nor form "/fin/" with the slash on either side of it.
bool infoFits(std::string_view info) {
  return info.find("/fin/") == std::string_view::npos &&
         info.find("/inf/") == std::string_view::npos && !info.ends_with("/fin") &&
         !info.starts_with("fin/") && info != "fin";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  static mapformat::MapData map, again;
  const int w = side(in), h = side(in);
  map.reset(static_cast<int16_t>(w - 1), static_cast<int16_t>(h - 1));
  map.px = static_cast<int16_t>(in.u16() % mapformat::kGridSize);
  map.py = static_cast<int16_t>(in.u16() % mapformat::kGridSize);
  map.unitCount = static_cast<int16_t>(in.u8() % (mapformat::kMaxUnits + 1));
  bool gameKinds = true;
  for (int i = 0; i < map.unitCount; ++i) {
    auto& u = map.units[static_cast<size_t>(i)];
    u.x = static_cast<int16_t>(in.u16() % mapformat::kGridSize);
    u.y = static_cast<int16_t>(in.u16() % mapformat::kGridSize);
    u.kind = in.i16();
    gameKinds = gameKinds && u.kind >= 0 && u.kind <= 2;
  }
  const size_t infoLength = in.u8() % 33;
  for (size_t i = 0; i < infoLength; ++i) map.info += static_cast<char>(in.u8());
  if (!infoFits(map.info)) return 0;

  // The rest gives the cells: a byte below 128 is a small code, as saved
  // maps hold, else the next two bytes are any 16-bit code. Cells past the
  // input repeat the ones before, so a large map is not all one code.
  size_t given = 0;
  for (auto& cell : map.terrain) {
    if (in.empty()) break;
    const uint8_t b = in.u8();
    cell = b < 128 ? static_cast<int16_t>(b % 16) : in.i16();
    ++given;
  }
  for (size_t k = given; given > 0 && k < map.terrain.size(); ++k)
    map.terrain[k] = map.terrain[k % given];

  const std::string written = mapformat::write(map);
  if (mapformat::read(written, mapformat::Reader::Editor, again) != mapformat::Fault::None)
    abort();
  if (!(again == map)) abort();
  if (mapformat::write(again) != written) abort();
  // The game's reader takes the same text whenever every kind is one it knows.
  if (gameKinds) {
    if (mapformat::read(written, mapformat::Reader::Game, again) != mapformat::Fault::None)
      abort();
    if (!(again == map)) abort();
  }
  return 0;
}
