#include "mapformat/reader.h"

#include <cstring>

#include "mapformat/numbers.h"

namespace mapformat {
namespace {

constexpr std::string_view kInf = "/inf/";
constexpr std::string_view kFin = "/fin/";
constexpr std::string_view kUnit = "/unit/";

// Substring search that lets memchr skip to each candidate: the markers
// begin with "/", which appears nowhere else in a map file.
std::size_t findFrom(std::string_view text, std::string_view sep, std::size_t pos) {
  const char* const begin = text.data();
  const char* const last = begin + text.size();
  const char* p = begin + pos;
  while (static_cast<std::size_t>(last - p) >= sep.size()) {
    p = static_cast<const char*>(std::memchr(p, sep[0], static_cast<std::size_t>(last - p)));
    if (p == nullptr || static_cast<std::size_t>(last - p) < sep.size()) break;
    if (std::memcmp(p, sep.data(), sep.size()) == 0) return static_cast<std::size_t>(p - begin);
    ++p;
  }
  return std::string_view::npos;
}

std::size_t findFrom(std::string_view text, char sep, std::size_t pos) {
  return text.find(sep, pos);
}

// Walks the pieces of a text cut at a separator, left to right and
// non-overlapping. An empty text has no pieces; a text without the separator
// is its own only piece.
template <typename Sep>
class Pieces {
 public:
  Pieces(std::string_view text, Sep sep) : text_(text), sep_(sep), more_(!text.empty()) {}

  bool next(std::string_view& piece) {
    if (!more_) return false;
    const std::size_t end = findFrom(text_, sep_, pos_);
    if (end == std::string_view::npos) {
      piece = text_.substr(pos_);
      more_ = false;
    } else {
      piece = text_.substr(pos_, end - pos_);
      pos_ = end + sepSize();
    }
    return true;
  }

 private:
  std::size_t sepSize() const {
    if constexpr (std::is_same_v<Sep, char>)
      return 1;
    else
      return sep_.size();
  }
  std::string_view text_;
  Sep sep_;
  std::size_t pos_ = 0;
  bool more_;
};

Pieces<char> cut(std::string_view text, char sep) { return {text, sep}; }
Pieces<std::string_view> cut(std::string_view text, std::string_view sep) { return {text, sep}; }

// The first two pieces of a text cut at `sep`, if there are two.
bool firstTwo(std::string_view text, char sep, std::string_view& a, std::string_view& b) {
  auto pieces = cut(text, sep);
  return pieces.next(a) && pieces.next(b);
}

bool inGrid(int16_t v) { return v >= 0 && v < kGridSize; }

// The cells part is nearly the whole file, so it is cut by hand with the
// same rules as Pieces: one piece per comma, the last one ending the text.
Fault readCells(std::string_view part, MapData& out) {
  const int32_t count = int32_t{out.maxx + 1} * int32_t{out.maxy + 1};
  out.terrain.resize(static_cast<std::size_t>(count));
  int16_t* cell = out.terrain.data();
  const char* p = part.data();
  const char* const end = p + part.size();
  bool more = !part.empty();
  for (int32_t k = 0; k < count; ++k) {
    if (!more) return Fault::Cells;
    const char* q = p;
    while (q != end && *q != ',') ++q;
    if (q - p == 1 && *p >= '0' && *p <= '9') {
      cell[k] = static_cast<int16_t>(*p - '0');
    } else {
      const auto code = toInt16(std::string_view(p, static_cast<std::size_t>(q - p)));
      if (!code) return Fault::CellNumber;
      cell[k] = *code;
    }
    if (q == end)
      more = false;
    else
      p = q + 1;
  }
  return Fault::None;
}

Fault readUnits(std::string_view part, Reader reader, MapData& out) {
  out.unitCount = 0;
  auto units = cut(part, kUnit);
  std::string_view unit;
  // Only pieces followed by "/unit/" are units: the text after the last
  // marker is dropped, so look one piece ahead.
  bool haveUnit = units.next(unit);
  std::string_view following;
  while (haveUnit && units.next(following)) {
    if (out.unitCount == kMaxUnits) return Fault::TooManyUnits;
    std::string_view position, kindText, xText, yText;
    if (!firstTwo(unit, ':', position, kindText)) return Fault::UnitShape;
    if (!firstTwo(position, ',', xText, yText)) return Fault::UnitShape;
    const auto x = toInt16(xText), y = toInt16(yText), kind = toInt16(kindText);
    if (!x || !y || !kind) return Fault::UnitNumber;
    if (!inGrid(*x) || !inGrid(*y)) return Fault::UnitRange;
    if (reader == Reader::Game && (*kind < 0 || *kind > 2)) return Fault::Kind;
    out.units[static_cast<std::size_t>(out.unitCount++)] = Unit{*x, *y, *kind};
    unit = following;
  }
  return Fault::None;
}

}  // namespace

const char* describe(Fault fault) {
  // In the order of Fault; the map cases' "expected" files use these names.
  static constexpr const char* kNames[] = {"valid",     "Empty",        "MissingFin", "MissingInf",
                                           "Header",    "Size",         "Cells",      "CellNumber",
                                           "Player",    "PlayerRange",  "UnitShape",  "UnitNumber",
                                           "UnitRange", "TooManyUnits", "Kind"};
  const auto i = static_cast<std::size_t>(fault);
  return i < std::size(kNames) ? kNames[i] : "?";
}

Fault read(std::string_view text, Reader reader, MapData& out) {
  if (text.empty()) return Fault::Empty;

  std::string_view part[4];
  auto parts = cut(text, kFin);
  for (auto& p : part)
    if (!parts.next(p)) return Fault::MissingFin;  // parts after the fourth are never looked at

  std::string_view header, info;
  {
    auto pieces = cut(part[0], kInf);
    if (!pieces.next(header) || !pieces.next(info)) return Fault::MissingInf;
  }

  std::string_view widthText, heightText;
  if (!firstTwo(header, ',', widthText, heightText)) return Fault::Header;
  const auto maxx = toHighestIndex(widthText), maxy = toHighestIndex(heightText);
  if (!maxx || !maxy) return Fault::Header;
  // Width and height are 1 to 1000; a width of 0 or less would leave no cell.
  if (!inGrid(*maxx) || !inGrid(*maxy)) return Fault::Size;
  out.maxx = *maxx;
  out.maxy = *maxy;
  out.info.assign(info);

  if (const Fault f = readCells(part[1], out); f != Fault::None) return f;

  std::string_view pxText, pyText;
  if (!firstTwo(part[2], ',', pxText, pyText)) return Fault::Player;
  const auto px = toInt16(pxText), py = toInt16(pyText);
  if (!px || !py) return Fault::Player;
  if (!inGrid(*px) || !inGrid(*py)) return Fault::PlayerRange;
  out.px = *px;
  out.py = *py;

  return readUnits(part[3], reader, out);
}

}  // namespace mapformat
