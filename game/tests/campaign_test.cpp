// A scripted player plays the shipped campaign from a new level-1 hero to
// the end of the last map, using only the keys a person has.
#include <queue>
#include <random>

#include "fakes.h"

using namespace gametest;
namespace fs = std::filesystem;

namespace {

const std::set<int> kTeclas[8] = {
    {vk::Left, vk::Up},    {vk::Up},   {vk::Up, vk::Right},  {vk::Right},
    {vk::Right, vk::Down}, {vk::Down}, {vk::Down, vk::Left}, {vk::Left}};
constexpr int kDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// Hunts the nearest enemy: walks next to it, turns to it, strikes; drinks
// when low, revives when dead.
struct Jugador {
  int muertes = 0, pociones = 0;

  std::set<int> decidir(const game::Main& m) {
    const game::Jugador& j = m.jugador;
    if (j.muerto) {
      ++muertes;
      return {vk::R};
    }
    if (j.vida < j.vidamax / 3 && j.pociones > 0) {
      ++pociones;
      return {vk::H};
    }
    // An enemy next to him: face it, then strike.
    for (int d = 0; d < 8; ++d) {
      const int x = j.x + kDx[d], y = j.y + kDy[d];
      if (!m.enMapa(x, y) || m.casilla(x, y).enemigo < 0) continue;
      if (j.direccion != d) return kTeclas[d];
      return {vk::Space};
    }
    // Otherwise the first step of a shortest walk to a cell next to an enemy.
    const int w = m.maxx + 1, h = m.maxy + 1;
    std::vector<int> desde(static_cast<std::size_t>(w * h), -1);
    std::queue<std::pair<int, int>> cola;
    cola.push({j.x, j.y});
    desde[static_cast<std::size_t>(j.x + w * j.y)] = 8;
    while (!cola.empty()) {
      const auto [x, y] = cola.front();
      cola.pop();
      for (int d = 0; d < 8; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (!m.enMapa(nx, ny)) continue;
        if (m.casilla(nx, ny).enemigo >= 0 && (x != j.x || y != j.y)) {
          // (x, y) is next to an enemy: walk back to find the first step.
          int cx = x, cy = y;
          while (true) {
            const int paso = desde[static_cast<std::size_t>(cx + w * cy)];
            const int px = cx - kDx[paso], py = cy - kDy[paso];
            if (px == j.x && py == j.y) return kTeclas[paso];
            cx = px;
            cy = py;
          }
        }
        const game::Casilla& c = m.casilla(nx, ny);
        auto& seen = desde[static_cast<std::size_t>(nx + w * ny)];
        if (seen >= 0 || c.ocupada || c.bloqueada) continue;
        seen = d;
        cola.push({nx, ny});
      }
    }
    return {};  // nothing reachable now: wait for the enemies to come
  }
};

}  // namespace

TEST_F(Play, NewHeroFinishesTheShippedMaps) {
  for (const auto& f : fs::directory_iterator(TARNWICK_SHIPPED_MAPS))
    fs::copy_file(f.path(), files.root / "mapas" / f.path().filename());
  // Potions fall as they would in play: 2 kills in 10 on average.
  std::mt19937 rng(2026);
  for (int i = 0; i < 1000; ++i) random.next_.push_back(std::generate_canonical<double, 32>(rng) * 0.999);
  nuevoHeroe("bot");
  answer("mapas/default.mapa", "default.mapa");
  m.mnumapa_Click();
  ASSERT_EQ(m.nummapa, "0");
  EXPECT_GE(m.enemigosrestantes, 8);

  Jugador bot;
  std::string mapas = m.nummapa;
  int ticks = 0;
  for (; !(m.nummapa == "2" && m.enemigosrestantes == 0) && ticks < 100000; ++ticks) {
    tick(bot.decidir(m));
    if (m.nummapa != mapas.substr(mapas.size() - 1)) mapas += m.nummapa;
  }
  EXPECT_EQ(mapas, "012");
  EXPECT_EQ(m.enemigosrestantes, 0) << "stuck after " << ticks << " ticks";
  // Every kind is met by the last map; the levels grow harder.
  std::set<int16_t> tipos;
  for (const auto& en : m.listaenemigos)
    if (en.activo) tipos.insert(en.tipo);
  EXPECT_EQ(tipos, (std::set<int16_t>{0, 1, 2}));
  EXPECT_GT(j.nivel, 3);
  EXPECT_EQ(files.get("personajes/bot")->rfind("bot," + std::to_string(j.nivel) + ",", 0), 0u);
  std::printf("campaign: %d ticks (%d s of play), level %d, %d deaths, %d potions\n", ticks,
              ticks / 10, j.nivel, bot.muertes, bot.pociones);
}
