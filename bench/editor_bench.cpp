// The editor's file commands on its largest map, 200 x 200 with 101 enemies,
// through the program's own file layer (TempFiles is it, below a temporary
// folder): a save writes a temporary file, syncs it and renames it.
#include <benchmark/benchmark.h>

#include "assets/loadpictures.h"
#include "editor/principal.h"
#include "platform/testing/fakes.h"

namespace {

struct NoView : editor::View {
  void setCaption(editor::Etiqueta, const std::string&) override {}
  void present(const media::Rect&) override {}
  void quit() override {}
};

struct Editor {
  platform::testing::FakeKeys keys;
  platform::testing::FakeDialog dialog;
  platform::testing::FakeMessages messages;
  platform::testing::TempFiles files;
  NoView view;
  const assets::Pictures pictures = assets::loadPictures();
  editor::Principal p{editor::Services{keys, dialog, messages, files}, pictures, view};
  Editor() {
    p.Form_Load();
    p.nuevomapa(200, 200);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) p.mapa(x, y).terreno = static_cast<int16_t>((x * 7 + y) % 4);
    p.pers_Click();
    click(3, 4);
    p.enem_Click(1);
    for (int i = 0; i < 101; ++i) click(i % 30, 5 + i / 30);
  }
  void click(int cx, int cy) { p.mainpic_MouseDown(cx * 20 + 5, cy * 20 + 5); }
  void answer() {
    dialog.answers.push_back(platform::FileChoice{files.path("mapas/grande.mapa"), "grande.mapa"});
    dialog.asked.clear();
    messages.shown.clear();
  }
};

void BM_GuardarMapa200(benchmark::State& state) {
  Editor e;
  for (auto _ : state) {
    e.answer();
    e.p.mnuguardar_Click();
    if (e.messages.shown.empty() || e.messages.shown[0].text != "Guardado con éxito!")
      state.SkipWithError("not saved");
  }
}
BENCHMARK(BM_GuardarMapa200)->Unit(benchmark::kMillisecond);

void BM_AbrirMapa200(benchmark::State& state) {
  Editor e;
  e.answer();
  e.p.mnuguardar_Click();
  for (auto _ : state) {
    e.answer();
    e.p.mnuabrir_Click();
  }
}
BENCHMARK(BM_AbrirMapa200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
