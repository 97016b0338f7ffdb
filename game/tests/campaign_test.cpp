// Two scripted players play the shipped campaign on the real rules: a careful
// one, who takes enemies one at a time, drinks potions and steps out of sight
// to heal when his life is low, and a careless one, who never retreats.
#include <cstdio>
#include <deque>
#include <random>

#include "game/testing/fakes.h"

namespace gametest {
namespace {

constexpr int kPasoX[] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kPasoY[] = {-1, -1, -1, 0, 1, 1, 1, 0};
constexpr int kVista = 4;  // enemies see this far on both axes

int lejos(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }
int facing(int dx, int dy) {
  return std::array{0, 1, 2, 7, -1, 3, 6, 5, 4}.at(3 * (dy + 1) + dx + 1);
}
std::set<int> arrows(int d) {
  std::set<int> k{kPasoX[d] < 0 ? vk::Left
                  : kPasoX[d]   ? vk::Right
                                : 0,
                  kPasoY[d] < 0 ? vk::Up
                  : kPasoY[d]   ? vk::Down
                                : 0};
  k.erase(0);
  return k;
}

struct Jugador : Game {
  bool careful;
  int deaths = 0;
  std::vector<int> vistos;  // per cell of the map: how many live enemies see it
  Jugador(bool c, unsigned seed) : careful(c) {
    for (std::mt19937 rng(seed); random.next_.size() < 2000;)
      random.next_.push_back(std::uniform_real_distribution<>(0, 0.999)(rng));
  }
  bool vivo(int i) { return e(i).activo && !e(i).muerto; }
  static int golpe(int ataque, int defensa) { return std::max(1, ataque - defensa); }
  // Life a whole fight with enemy i costs, the enemy striking first.
  int coste(int i) {
    return (e(i).vida - 1) / golpe(j.ataque, e(i).defensa) * golpe(e(i).ataque, j.defensa) +
           golpe(e(i).ataque, j.defensa);
  }
  // A live enemy within reach of (x, y); the careful player looks for one he
  // can beat at full life, and lures the others only when none is left.
  int cerca(int x, int y, int alcance, bool batible = false) {
    for (int i = 0; i < game::kMaxUnits && e(i).activo; ++i)
      if (vivo(i) && lejos(x, y, e(i).x, e(i).y) <= alcance && (!batible || coste(i) < j.vidamax))
        return i;
    return -1;
  }
  // The first step of a shortest walk to a cell where `meta` holds (-1 when
  // already there) and that cell; the careful player keeps out of the sight
  // of every enemy but `objetivo` where he can.
  std::optional<std::pair<int, int>> camino(auto meta, int objetivo) {
    const int w = m.maxx + 1;
    for (bool evitar : {careful, false}) {
      std::vector<int> primero(w * (m.maxy + 1), -2);
      std::deque<int> cola{j.x + w * j.y};
      primero[cola.front()] = -1;
      for (; !cola.empty(); cola.pop_front()) {
        const int c = cola.front(), x = c % w, y = c / w;
        if (meta(x, y)) return std::pair{primero[c], c};
        for (int d = 0; d < 8; ++d) {
          const int nx = x + kPasoX[d], ny = y + kPasoY[d], nc = nx + w * ny;
          if (!m.enMapa(nx, ny) || primero[nc] != -2 || m.casilla(nx, ny).ocupada ||
              m.casilla(nx, ny).bloqueada ||
              (evitar && vistos[nc] > (objetivo >= 0 &&
                                       lejos(nx, ny, e(objetivo).x, e(objetivo).y) <= kVista)))
            continue;
          primero[nc] = primero[c] < 0 ? d : primero[c];
          cola.push_back(nc);
        }
      }
    }
    return std::nullopt;
  }
  std::set<int> hacia(std::optional<std::pair<int, int>> paso) {
    return paso && paso->first >= 0 ? arrows(paso->first) : std::set<int>{};
  }

  // The keys of one tick.
  std::set<int> decidir() {
    if (j.muerto) return ++deaths, std::set<int>{vk::R};
    const int w = m.maxx + 1;
    vistos.assign(w * (m.maxy + 1), 0);
    for (int i = 0; i < game::kMaxUnits && e(i).activo; ++i)
      for (int y = e(i).y - kVista; vivo(i) && y <= e(i).y + kVista; ++y)
        for (int x = e(i).x - kVista; x <= e(i).x + kVista; ++x)
          if (m.enMapa(x, y)) ++vistos[x + w * y];
    // Next to an enemy: face it, then strike, drinking when the next blows could kill.
    if (const int i = cerca(j.x, j.y, 1); i >= 0) {
      const int d = facing(e(i).x - j.x, e(i).y - j.y);
      std::set<int> k = j.direccion == d ? std::set<int>{vk::Space} : arrows(d);
      if (j.pociones > 0 && j.vida <= 2 * golpe(e(i).ataque, j.defensa)) k.insert(vk::H);
      return k;
    }
    const auto aqui = camino([&](int x, int y) { return cerca(x, y, 1, careful) >= 0; }, -1);
    if (!careful || !aqui)
      return hacia(aqui ? aqui
                        : camino([&](int x, int y) { return cerca(x, y, kVista) >= 0; }, -1));
    const int objetivo = cerca(aqui->second % w, aqui->second / w, 1, careful);
    if (j.vida >= std::min(coste(objetivo) + 2, j.vidamax))
      return hacia(camino(
          [&](int x, int y) { return lejos(x, y, e(objetivo).x, e(objetivo).y) == 1; }, objetivo));
    if (j.pociones > 0 && j.vidamax - j.vida >= 20) return {vk::H};
    // Out of everyone's sight, life comes back on its own.
    return hacia(camino([&](int x, int y) { return vistos[x + w * y] == 0; }, -1));
  }
};

// The campaign from "Jugador Nuevo" and "Cargar mapa" of default.mapa to the
// last enemy of the last map, with up to an hour of play.
TEST(Campaign, CarefulAndCarelessPlayersFinish) {
  for (unsigned seed : {1u, 2u, 3u})
    for (bool careful : {true, false}) {
      Jugador p(careful, seed);
      const std::array<std::string, 3> nombres{"default", "mapa1", "mapa2"};
      for (const std::string& name : nombres)
        p.files.put("mapas/" + name + ".mapa",
                    p.files.read(TARNWICK_MAPAS "/" + name + ".mapa", 1 << 20).value());
      p.nuevoHeroe("valiente");
      p.answer("mapas/default.mapa", "default.mapa");
      p.m.mnumapa_Click();
      std::vector<int> muertes{0}, ticks{0};  // when each map ended
      for (int t = 1; t <= 36000 && ticks.size() < 4; ++t) {
        const std::string antes = p.m.nummapa;
        p.tick(p.decidir());
        if (p.m.nummapa == antes && p.m.enemigosrestantes > 0) continue;
        muertes.push_back(p.deaths), ticks.push_back(t);
        std::printf("%s player, seed %u, %s: %d deaths, %.1f minutes of play, level %d\n",
                    careful ? "careful" : "careless", seed, nombres.at(ticks.size() - 2).c_str(),
                    muertes.back() - muertes.end()[-2], (t - ticks.end()[-2]) / 600.0, p.j.nivel);
      }
      ASSERT_EQ(ticks.size(), 4u);
      EXPECT_LE(p.deaths, careful ? 3 : 15);
      if (!careful) continue;
      EXPECT_LE(ticks[3], 30 * 600);
      EXPECT_LT(ticks[1] - ticks[0], ticks[2] - ticks[1]);
      EXPECT_LT(ticks[2] - ticks[1], ticks[3] - ticks[2]);
    }
}

}  // namespace
}  // namespace gametest
