// Data-driven map cases: each folder under cases/ holds "map.mapa" and
// "expected", which reads "game: <outcome>" and "editor: <outcome>" on two
// lines, the outcome being "valid" or the fault's name. Regression files are
// named after the fault they caught.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mapformat/reader.h"

using namespace mapformat;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(MapCases, BothReadersGiveTheExpectedOutcome) {
  for (const auto& entry : fs::directory_iterator(TARNWICK_MAP_CASES)) {
    const std::string text = slurp(entry.path() / "map.mapa");
    MapData map;
    std::string got;
    for (auto [who, reader] : {std::pair{"game", Reader::Game}, {"editor", Reader::Editor}})
      got = got + who + ": " + describe(read(text, reader, map)) + "\n";
    EXPECT_EQ(got, slurp(entry.path() / "expected")) << entry.path().filename();
  }
}
