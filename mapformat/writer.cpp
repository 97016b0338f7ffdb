#include "mapformat/writer.h"

#include "mapformat/numbers.h"

namespace mapformat {

void write(const MapData& map, std::string& out) {
  out.clear();
  // Cell codes are one digit in practice: reserve for two characters a cell.
  out.reserve(static_cast<std::size_t>(map.width()) * static_cast<std::size_t>(map.height()) * 2 +
              static_cast<std::size_t>(map.unitCount) * 24 + map.info.size() + 64);
  appendText(out, map.width());
  out += ',';
  appendText(out, map.height());
  out += "/inf/";
  out += map.info;
  out += "/fin/";
  for (int16_t code : map.terrain) {
    if (code >= 0 && code <= 9) {
      out += static_cast<char>('0' + code);
    } else {
      appendText(out, code);
    }
    out += ',';
  }
  out += "/fin/";
  appendText(out, map.px);
  out += ',';
  appendText(out, map.py);
  out += "/fin/";
  for (int i = 0; i < map.unitCount; ++i) {
    const Unit& u = map.units[static_cast<std::size_t>(i)];
    appendText(out, u.x);
    out += ',';
    appendText(out, u.y);
    out += ':';
    appendText(out, u.kind);
    out += "/unit/";
  }
  out += "/fin/";
}

std::string write(const MapData& map) {
  std::string out;
  write(map, out);
  return out;
}

}  // namespace mapformat
