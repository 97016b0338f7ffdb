// Data-driven map cases: each folder under cases/ holds "map.mapa" and
// "expected", whose lines read "game: <outcome>" and "editor: <outcome>",
// the outcome being "valid" or the fault's name. Regression files are named
// after the fault they caught.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "mapformat/reader.h"

using namespace mapformat;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::map<std::string, Fault>& faultNames() {
  static const std::map<std::string, Fault> names = {{"valid", Fault::None},
                                                     {"Empty", Fault::Empty},
                                                     {"MissingFin", Fault::MissingFin},
                                                     {"MissingInf", Fault::MissingInf},
                                                     {"Header", Fault::Header},
                                                     {"Size", Fault::Size},
                                                     {"Cells", Fault::Cells},
                                                     {"CellNumber", Fault::CellNumber},
                                                     {"Player", Fault::Player},
                                                     {"PlayerRange", Fault::PlayerRange},
                                                     {"UnitShape", Fault::UnitShape},
                                                     {"UnitNumber", Fault::UnitNumber},
                                                     {"UnitRange", Fault::UnitRange},
                                                     {"TooManyUnits", Fault::TooManyUnits},
                                                     {"Kind", Fault::Kind}};
  return names;
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(TARNWICK_MAP_CASES))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class MapCase : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(MapCase, BothReadersGiveTheExpectedOutcome) {
  const fs::path dir = fs::path(TARNWICK_MAP_CASES) / GetParam();
  const std::string text = slurp(dir / "map.mapa");
  std::istringstream expected(slurp(dir / "expected"));
  std::string line;
  int checked = 0;
  while (std::getline(expected, line)) {
    if (line.empty()) continue;
    const auto colon = line.find(':');
    ASSERT_NE(colon, std::string::npos) << line;
    const std::string who = line.substr(0, colon);
    std::string outcome = line.substr(colon + 1);
    outcome.erase(0, outcome.find_first_not_of(' '));
    ASSERT_TRUE(faultNames().count(outcome)) << "unknown outcome " << outcome;
    ASSERT_TRUE(who == "game" || who == "editor") << line;
    MapData map;
    const Fault got = read(text, who == "game" ? Reader::Game : Reader::Editor, map);
    EXPECT_EQ(got, faultNames().at(outcome)) << who << " reader said: " << describe(got);
    ++checked;
  }
  EXPECT_EQ(checked, 2) << "expected file must name both readers";
}

INSTANTIATE_TEST_SUITE_P(Cases, MapCase, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
