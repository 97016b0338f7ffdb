#include "game/win32/mainwindow.h"

#include <windowsx.h>

#include "assets/loadpictures.h"
#include "game/layout.h"
#include "platform/scale.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"
#include "platform/win32/win32image.h"
#include "platform/win32/win32layout.h"

namespace game {

namespace {

constexpr wchar_t kClass[] = L"TarnwickQuest";

bool meets(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The labels are painted by the window itself, into its off-screen copy
// with everything else, so that nothing flickers. Each also has a static
// control over its box that holds its text for screen readers (and for
// anything that reads a window's texts) but paints nothing, and lets the
// mouse through: a static control redraws itself at once when its text
// changes, which would cover the window's own painting.
WNDPROC staticProc = nullptr;

LRESULT CALLBACK textOnly(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      ValidateRect(label, nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT:
      return DefWindowProcW(label, message, wParam, lParam);
    default:
      return CallWindowProcW(staticProc, label, message, wParam, lParam);
  }
}

HWND readableLabel(HWND parent, const platform::Label& e, const std::wstring& text, int k) {
  const platform::Box b = platform::scaled(e.box, k);
  const HWND label =
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                      b.x, b.y, b.w, b.h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&textOnly)));
  if (!staticProc) staticProc = previous;
  return label;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : Win32Window(keys_),  // kept for later: the keys are made below
      pictures_(assets::loadPictures()),
      persona_(platform::loadPicture(platform::wide(layout::kRetrato).c_str())),
      messages_(platform::wide(layout::kAplicacion)),
      main_(Services{keys_, sound_, dialogo_, messages_, files_, random_}, pictures_, *this) {
  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    // Grown once, so that a new caption is converted without allocating.
    captions_[i] = platform::wide(layout::kEtiquetas[i].text);
    captions_[i].reserve(256);
  }
  nuevo_.reserve(256);
  fondo_ = CreateSolidBrush(platform::colorRef(layout::kFondo));
  create(instance, kClass, platform::wide(layout::kTitulo).c_str(), 0, fondo_, layout::kAncho,
         layout::kAlto, platform::makeMenuBar<Main>(layout::kMenus));
  rescale();
  dialogo_.setOwner(hwnd());
  messages_.setOwner(hwnd());
  main_.Form_Load();
  startTimer(layout::kIntervaloTimer);
}

MainWindow::~MainWindow() {
  dropBack();
  for (HFONT f : fuentes_) DeleteObject(f);
  DeleteObject(fondo_);
}

void MainWindow::dropBack() {
  if (!backDc_) return;
  SelectObject(backDc_, backOld_);
  DeleteObject(back_);
  DeleteDC(backDc_);
  backDc_ = nullptr;
}

// The fonts, the labels' places and the off-screen copy, at the window's scale.
void MainWindow::rescale() {
  const int k = scale();
  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    if (fuentes_[i]) DeleteObject(fuentes_[i]);
    fuentes_[i] = platform::makeFont(*layout::kEtiquetas[i].font, k);
    if (etiquetas_[i]) DestroyWindow(etiquetas_[i]);
    etiquetas_[i] = readableLabel(hwnd(), layout::kEtiquetas[i], captions_[i], k);
  }
  dropBack();
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // paint() covers every pixel
    case WM_COMMAND:
      command(LOWORD(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int x = platform::unscaled(GET_X_LPARAM(lParam), scale());
      const int y = platform::unscaled(GET_Y_LPARAM(lParam), scale());
      if (x >= 0 && y >= 0 && x < kSurfaceWidth && y < kSurfaceHeight)
        main_.mainpic_MouseDown(x, y);
      return 0;
    }
    default:
      break;
  }
  return base(message, wParam, lParam);
}

void MainWindow::command(int id) {
  if (const auto* item = platform::menuItem<Main>(layout::kMenus, id)) (main_.*item->handler)();
}

void MainWindow::onTimer() { main_.maintimer_Timer(); }

// What needs painting is composed off screen and shown at once, so nothing
// flickers: the surface, the portrait in its frame, the labels. The rest of
// the off-screen picture is kept from earlier paints.
void MainWindow::paint() {
  PAINTSTRUCT ps;
  const HDC screen = BeginPaint(hwnd(), &ps);
  const int k = scale();
  if (!backDc_) {
    backDc_ = CreateCompatibleDC(screen);
    back_ = CreateCompatibleBitmap(screen, layout::kAncho * k, layout::kAlto * k);
    backOld_ = SelectObject(backDc_, back_);
  }
  const HDC dc = backDc_;
  const RECT& area = ps.rcPaint;
  // Text drawn twice over itself would thicken its edges: nothing is drawn outside the area.
  SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  FillRect(dc, &area, fondo_);
  platform::drawBitmap(dc, 0, 0, main_.mainpic(), area, k);
  const RECT frame = platform::deviceRect(layout::kMarcoRetrato, k);
  if (meets(frame, area)) {  // a line one layout pixel wide, the picture inside
    FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    platform::drawBitmap(dc, frame.left + k, frame.top + k, persona_, area, k);
  }
  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i)
    if (meets(platform::deviceRect(layout::kEtiquetas[i].box, k), area))
      platform::drawLabel(dc, layout::kEtiquetas[i], fuentes_[i], captions_[i], k);
  RestoreDC(dc, -1);
  BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left,
         area.top, SRCCOPY);
  EndPaint(hwnd(), &ps);
}

// Converted into a buffer kept for it; only a changed caption's box is painted again.
void MainWindow::setCaption(Etiqueta label, const std::string& text) {
  platform::wideInto(nuevo_, text);
  std::wstring& shown = captions_[static_cast<std::size_t>(label)];
  if (nuevo_ == shown) return;
  shown.swap(nuevo_);
  const RECT box = platform::deviceRect(layout::etiqueta(label).box, scale());
  if (hwnd()) InvalidateRect(hwnd(), &box, FALSE);
  if (const HWND readable = etiquetas_[static_cast<std::size_t>(label)])
    SetWindowTextW(readable, shown.c_str());
}

void MainWindow::present(const media::Rect& c) {
  if (hwnd() && !c.empty()) {
    const RECT changed = platform::deviceRect({c.x, c.y, c.w, c.h}, scale());
    InvalidateRect(hwnd(), &changed, FALSE);
  }
}

void MainWindow::setMapMenuEnabled(bool enabled) {
  // The command id of "Cargar mapa", found once in the menu table.
  static const int id = [] {
    for (std::size_t k = 0; k < std::size(layout::kArchivo); ++k)
      if (layout::kArchivo[k].handler == &Main::mnumapa_Click) return platform::menuId(0, k);
    return 0;
  }();
  if (hwnd())
    EnableMenuItem(GetMenu(hwnd()), static_cast<UINT>(id),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::quit() { destroy(); }

}  // namespace game
