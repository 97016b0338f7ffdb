// TarnwickEdit in a page: the editor's entry point. The window lives as
// long as the page; the page's shell drives it from then on.
#include "editor/web/principalwindow.h"

int main() {
  new editor::PrincipalWindow();  // never deleted: it lives as long as the page
  return 0;
}
