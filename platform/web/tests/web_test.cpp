// The browser's key layer and file dialog, without a page: which presses
// count as the page's state changes, the DOM's key codes, and where a
// dialog looks for what the site ships and what the player keeps.
#include <gtest/gtest.h>

#include "platform/web/webfiledialog.h"
#include "platform/web/webkeys.h"

namespace vk = platform::vk;
using Scope = platform::WebKeys::Scope;

TEST(WebKey, ReadsTheDomCodesTheRulesAndBoxesAskAbout) {
  const struct {
    const char* code;
    int vk;
  } cases[] = {
      {"ArrowLeft", vk::Left},
      {"ArrowUp", vk::Up},
      {"ArrowRight", vk::Right},
      {"ArrowDown", vk::Down},
      {"Space", vk::Space},
      {"KeyG", vk::G},
      {"KeyH", vk::H},
      {"KeyR", vk::R},
      {"KeyA", 'A'},
      {"Digit7", '7'},
      {"Enter", 13},
      {"NumpadEnter", 13},
      {"Escape", 27},
      {"Key", -1},
      {"Keyg", -1},
      {"KeyGG", -1},
      {"Digit", -1},
      {"F13", -1},
      {"", -1},
      {"arrowleft", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::webKey(c.code), c.vk) << c.code;
}

// The game's keys count only while play has the keyboard; the editor's
// while the page has it, boxes included. A change of who has the keyboard
// drops what the game held or latched; a release counts wherever it happens.
TEST(WebKeys, PressesCountAsTheDesktopsKeyLayersSay) {
  struct Step {
    bool focused, modal, menu;
    bool counts[2];  // Window, Program
  };
  const Step steps[] = {
      {true, false, false, {true, true}},     // playing
      {true, true, false, {false, true}},     // a box or a file dialog is open
      {true, false, true, {false, true}},     // a menu is open
      {false, false, false, {false, false}},  // another window has the keyboard
  };
  for (const Scope scope : {Scope::Window, Scope::Program}) {
    const int s = scope == Scope::Window ? 0 : 1;
    for (const Step& step : steps) {
      platform::WebKeys keys(scope);
      keys.state(step.focused, step.modal, step.menu);
      keys.key(vk::Up, true);
      EXPECT_EQ(keys.pressed(vk::Up), step.counts[s])
          << s << step.focused << step.modal << step.menu;
    }
  }

  platform::WebKeys game(Scope::Window), editor(Scope::Program);
  for (platform::WebKeys* keys : {&game, &editor}) {
    keys->key(vk::Space, true);
    keys->key(vk::Left, true);  // tapped: latched
    keys->key(vk::Left, false);
    keys->state(true, false, true);  // a menu opens: what is held goes on
    EXPECT_TRUE(keys->pressed(vk::Space));
    keys->state(true, false, false);
    keys->key(vk::Right, true);
    keys->state(true, true, false);  // a box opens
    keys->key(vk::Right, false);     // and takes the release
  }
  EXPECT_FALSE(game.pressed(vk::Space) || game.pressed(vk::Left) || game.pressed(vk::Right));
  EXPECT_TRUE(editor.pressed(vk::Space) && editor.pressed(vk::Left) && editor.pressed(vk::Right));
  editor.state(false, false, false);  // the page lost the keyboard: nothing stays held
  EXPECT_FALSE(editor.pressed(vk::Space));
}

TEST(DialogPlace, PairsTheSitesFolderWithThePlayersOfTheSameName) {
  const platform::Folders folders{"/juego/share/tarnwick", "/datos/tarnwick"};
  const struct {
    const char* proposed;
    bool isFolder;
    platform::DialogPlace place;
  } cases[] = {
      {"/juego/share/tarnwick/mapas/default.mapa",
       false,
       {"/juego/share/tarnwick/mapas", "/datos/tarnwick/mapas", "default.mapa"}},
      {"/datos/tarnwick/personajes/Hugo",
       false,
       {"/juego/share/tarnwick/personajes", "/datos/tarnwick/personajes", "Hugo"}},
      {"/datos/tarnwick/mapas", true, {"/juego/share/tarnwick/mapas", "/datos/tarnwick/mapas", ""}},
      {"/datos/tarnwick", true, {"/juego/share/tarnwick", "/datos/tarnwick", ""}},
      // Not a folder of either, though it starts as one.
      {"/datos/tarnwickX/a", false, {"", "/datos/tarnwickX", "a"}},
      {"/tmp/x.mapa", false, {"", "/tmp", "x.mapa"}},
      {"", false, {"/juego/share/tarnwick", "/datos/tarnwick", ""}},
      {"suelto", false, {"/juego/share/tarnwick", "/datos/tarnwick", "suelto"}},
  };
  for (const auto& c : cases) {
    const platform::DialogPlace p = platform::dialogPlace(folders, c.proposed, c.isFolder);
    EXPECT_EQ(p.shipped, c.place.shipped) << c.proposed;
    EXPECT_EQ(p.player, c.place.player) << c.proposed;
    EXPECT_EQ(p.name, c.place.name) << c.proposed;
  }
}
