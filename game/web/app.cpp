// TarnwickQuest in a page: the game's entry point. The window lives as
// long as the page; the page's shell drives it from then on.
#include "game/web/mainwindow.h"

int main() {
  new game::MainWindow();  // never deleted: it lives as long as the page
  return 0;
}
