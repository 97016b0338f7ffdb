// Frames composed by dibujar, checked pixel by pixel against the sheets.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace gametest;
using game::Casilla;

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;
constexpr uint32_t kBlackRgb = 0;

// A w x h map of one ground, nobody on it.
void suelo(game::Main& m, int w, int h, int16_t terreno) {
  m.maxx = static_cast<int16_t>(w - 1);
  m.maxy = static_cast<int16_t>(h - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.casilla(x, y) = Casilla{terreno, false, -1, false, terreno >= 2};
}

// What one field tile must show, worked out from the sheets directly:
// ground (ANDed with the shimmer tile when given), then the figure wherever
// its mask is black.
struct Expected {
  Expected(int ground, std::optional<std::pair<int, int>> shimmerAt = {},
           const platform::Bitmap* figures = nullptr, int figureRow = 0)
      : groundX(ground), shimmer(shimmerAt), sheet(figures), row(figureRow) {}
  int groundX;
  std::optional<std::pair<int, int>> shimmer;
  const platform::Bitmap* sheet;
  int row;
  uint32_t at(int i, int j) const {
    const auto& p = pictures();
    uint32_t c = p.terrenos.at(groundX + i, j) & kRgb;
    if (shimmer) c &= p.terrenos.at(shimmer->first + i, shimmer->second + j) & kRgb;
    if (sheet && (sheet->at(20 + i, row + j) & kRgb) == kBlackRgb) c = sheet->at(i, row + j) & kRgb;
    return c;
  }
};

::testing::AssertionResult tileIs(const game::Main& m, int k, int r, const Expected& want) {
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 20; ++i) {
      const uint32_t got = m.mainpic().at(20 * k + i, 20 * r + j) & kRgb;
      if (got != want.at(i, j))
        return ::testing::AssertionFailure()
               << "tile " << k << "," << r << " pixel " << i << "," << j << ": " << std::hex << got
               << " != " << want.at(i, j);
    }
  return ::testing::AssertionSuccess();
}

class Render : public ::testing::Test {
 protected:
  Game g;
  game::Main& m = g.main;
};

}  // namespace

TEST_F(Render, SheetsHaveTheirSizesAndPureMasks) {
  const auto& p = pictures();
  EXPECT_EQ(p.terrenos.width, 80);
  EXPECT_EQ(p.terrenos.height, 40);
  EXPECT_EQ(p.sangre.width, 40);
  EXPECT_EQ(p.resp.width, 600);
  EXPECT_EQ(p.derecha.height, 500);
  EXPECT_EQ(p.abajo.width, 600);
  for (const platform::Bitmap* s : {&p.yo, &p.enemigos[0], &p.enemigos[1], &p.enemigos[2]}) {
    ASSERT_EQ(s->width, 40);
    ASSERT_EQ(s->height, 160);
    for (int y = 0; y < 160; ++y)
      for (int x = 0; x < 20; ++x) {
        const uint32_t mask = s->at(20 + x, y) & kRgb, fig = s->at(x, y) & kRgb;
        // White is transparent: the mask is black exactly where the figure is not white.
        ASSERT_TRUE(mask == 0 || mask == kRgb) << x << "," << y;
        ASSERT_EQ(mask == 0, fig != kRgb) << x << "," << y;
      }
  }
}

TEST_F(Render, HeroBloodAndEnemies) {
  suelo(m, 40, 30, 1);
  m.mapax = 5;
  m.mapay = 3;
  m.casilla(10, 8).heroe = true;
  m.jugador.direccion = game::kNoreste;
  m.listaenemigos[0] = {};
  m.listaenemigos[0].tipo = 1;
  m.listaenemigos[0].direccion = game::kOeste;
  m.casilla(12, 8).enemigo = 0;
  m.listaenemigos[1].tipo = 2;
  m.listaenemigos[1].muerto = true;  // killed: not drawn even though a cell names it
  m.casilla(13, 8).enemigo = 1;
  m.dibujar();
  EXPECT_TRUE(tileIs(m, 5, 5, {20, {}, &pictures().yo, 40}));
  EXPECT_TRUE(tileIs(m, 7, 5, {20, {}, &pictures().enemigos[1], 140}));
  EXPECT_TRUE(tileIs(m, 8, 5, {20}));
  EXPECT_TRUE(tileIs(m, 0, 0, {20}));

  m.jugador.muerto = true;  // the blood mark replaces him
  m.dibujar();
  EXPECT_TRUE(tileIs(m, 5, 5, {20, {}, &pictures().sangre, 0}));
}

TEST_F(Render, WaterShimmersSixTicksOfSixteen) {
  suelo(m, 30, 20, 3);
  m.casilla(0, 0).enemigo = 0;  // a flying enemy over the water
  m.listaenemigos[0].tipo = 1;
  m.listaenemigos[0].direccion = game::kSur;
  const Expected base{60}, shimmer{60, std::make_pair(60, 20)};
  for (int cuadro : {0, 4, 11, 15}) {
    m.cuadro = static_cast<int16_t>(cuadro);
    m.dibujar();
    EXPECT_TRUE(tileIs(m, 29, 19, base)) << "cuadro " << cuadro;
  }
  for (int cuadro : {5, 10}) {
    m.cuadro = static_cast<int16_t>(cuadro);
    m.dibujar();
    EXPECT_TRUE(tileIs(m, 29, 19, shimmer)) << "cuadro " << cuadro;
    EXPECT_TRUE(tileIs(m, 0, 0, {60, std::make_pair(60, 20), &pictures().enemigos[1], 100}));
  }
  // The shimmer must be visible.
  int differ = 0;
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 20; ++i) differ += base.at(i, j) != shimmer.at(i, j);
  EXPECT_GT(differ, 20);
}

TEST_F(Render, FrameIsRepeatableAndLeavesThePanelsAlone) {
  suelo(m, 30, 20, 0);
  m.casilla(3, 3) = Casilla{2, false, -1, false, true};
  m.casilla(4, 4).heroe = true;
  const platform::Bitmap before = m.mainpic();
  m.dibujar();
  const platform::Bitmap first = m.mainpic();
  const int presents = g.view.presents;
  m.dibujar();
  EXPECT_EQ(m.mainpic().pixels, first.pixels);
  EXPECT_EQ(g.view.presents, presents + 1);
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 720; ++x)
      if (x >= 600 || y >= 400) {
        ASSERT_EQ(first.at(x, y), before.at(x, y)) << x << "," << y;
      }
  EXPECT_TRUE(tileIs(m, 3, 3, {40}));
}

TEST_F(Render, CellsBeyondASmallMapAreBlackAndEmpty) {
  suelo(m, 40, 30, 0);
  m.casilla(35, 25).heroe = true;  // left behind by the earlier, larger map
  m.casilla(35, 25).enemigo = 0;
  suelo(m, 10, 5, 1);
  m.dibujar();
  EXPECT_TRUE(tileIs(m, 9, 4, {20}));
  for (auto [k, r] : {std::pair{10, 0}, {0, 5}, {29, 19}})
    for (int j = 0; j < 20; ++j)
      for (int i = 0; i < 20; ++i)
        ASSERT_EQ(m.mainpic().at(20 * k + i, 20 * r + j) & kRgb, kBlackRgb) << k << "," << r;
}
