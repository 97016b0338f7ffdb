#include "game/win32/mainwindow.h"

#include <windowsx.h>

#include "assets/loadpictures.h"
#include "game/win32/resource.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"
#include "platform/win32/win32image.h"

namespace game {

namespace {

constexpr int kClientHeight = 526;
constexpr wchar_t kClass[] = L"TarnwickQuest";

// Each label's box: its text starts at the top left and is cut to it. The
// panels' labels span the rest of their panel, as on Linux.
struct Lugar {
  int x, y, width, height;
  bool strip;
  RECT box() const { return {x, y, x + width, y + height}; }
};
constexpr std::array<Lugar, 8> kLugares = {{
    {104, 410, kFieldWidth - 104, kSurfaceHeight - 410, false},  // nombre
    {608, 120, kSurfaceWidth - 608, 16, false},                    // enedata0..3
    {608, 152, kSurfaceWidth - 608, 16, false},
    {608, 168, kSurfaceWidth - 608, 16, false},
    {608, 184, kSurfaceWidth - 608, 16, false},
    {0, 504, 105, 17, true},    // exy
    {112, 504, 113, 17, true},  // labmapa
    {232, 504, 112, 17, true},  // nenemigos
}};

bool meets(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : Win32Window(keys_),  // kept for later: the keys are made below
      pictures_(assets::loadPictures()),
      persona_(platform::loadPicture(L"persona")),
      main_(Services{keys_, sound_, dialogo_, messages_, files_, random_}, pictures_, *this),
      // The status in bold 9-point Arial, the enemy lines in bold 8.25-point
      // MS Sans Serif, the strip below in its regular face.
      arial_(platform::makeFont(L"Arial", 12, true)),
      sansSerif_(platform::makeFont(L"MS Sans Serif", 11, true)),
      plain_(platform::makeFont(L"MS Sans Serif", 11, false)) {
  // Grown once, so that a new caption is converted without allocating.
  for (std::wstring& c : captions_) c.reserve(256);
  nuevo_.reserve(256);
  captions_[static_cast<std::size_t>(Etiqueta::exy)] = L"Persona";
  captions_[static_cast<std::size_t>(Etiqueta::labmapa)] = L"Mapa";
  captions_[static_cast<std::size_t>(Etiqueta::nenemigos)] = L"Enemigos: ";

  create(instance, kClass, L"Tarnwick quest 1.0", 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
         kSurfaceWidth, kClientHeight);
  dialogo_.setOwner(hwnd());
  messages_.setOwner(hwnd());
  main_.Form_Load();
  startTimer();
}

MainWindow::~MainWindow() {
  if (backDc_) {
    SelectObject(backDc_, backOld_);
    DeleteObject(back_);
    DeleteDC(backDc_);
  }
  for (HFONT f : {arial_, sansSerif_, plain_}) DeleteObject(f);
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
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (x >= 0 && y >= 0 && x < kSurfaceWidth && y < kSurfaceHeight) main_.mainpic_MouseDown(x, y);
      return 0;
    }
    default:
      break;
  }
  return base(message, wParam, lParam);
}

void MainWindow::command(int id) {
  switch (id) {
    case IDM_NUEVO: main_.mnunuevo_Click(); break;
    case IDM_GUARDAR: main_.mnuguardar_Click(); break;
    case IDM_JUGADOR: main_.mnujugador_Click(); break;
    case IDM_MAPA: main_.mnumapa_Click(); break;
    case IDM_SALIR: main_.mnusalir_Click(); break;
    case IDM_CONTROLES: main_.mnucontroles_Click(); break;
    case IDM_ACERCA: main_.mnuacerca_Click(); break;
    default: break;
  }
}

// No tick starts while another runs: a message box or dialog opened inside
// a tick runs a nested message loop, and a timer message handled there
// would act on half-updated state. Such ticks are dropped, not queued.
void MainWindow::onTimer() {
  if (enTick_) return;
  enTick_ = true;
  main_.maintimer_Timer();
  enTick_ = false;
}

// What needs painting is composed off screen and shown at once, so nothing
// flickers: the surface, the portrait in its frame, the labels. The rest of
// the off-screen picture is kept from earlier paints.
void MainWindow::paint() {
  PAINTSTRUCT ps;
  const HDC screen = BeginPaint(hwnd(), &ps);
  if (!backDc_) {
    backDc_ = CreateCompatibleDC(screen);
    back_ = CreateCompatibleBitmap(screen, kSurfaceWidth, kClientHeight);
    backOld_ = SelectObject(backDc_, back_);
    SetBkMode(backDc_, TRANSPARENT);
  }
  const HDC dc = backDc_;
  const RECT& area = ps.rcPaint;
  // Text drawn twice over itself would thicken its edges: nothing is drawn outside the area.
  SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  platform::drawBitmap(dc, 0, 0, main_.mainpic(), area);
  const RECT frame{8, 407, 95, 494};
  if (meets(frame, area)) {
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    platform::drawBitmap(dc, 9, 408, persona_, area);
  }
  for (std::size_t i = 0; i < kLugares.size(); ++i) {
    const Lugar& l = kLugares[i];
    RECT box = l.box();
    if (!meets(box, area)) continue;
    const std::wstring& text = captions_[i];
    SelectObject(dc, static_cast<Etiqueta>(i) == Etiqueta::nombre ? arial_ : l.strip ? plain_ : sansSerif_);
    SetTextColor(dc, l.strip ? RGB(255, 255, 255) : RGB(0, 0, 0));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
  }
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
  const RECT box = kLugares[static_cast<std::size_t>(label)].box();
  if (hwnd()) InvalidateRect(hwnd(), &box, FALSE);
}

void MainWindow::present(const platform::Rect& c) {
  if (hwnd() && !c.empty()) {
    const RECT changed{c.x, c.y, c.x + c.w, c.y + c.h};
    InvalidateRect(hwnd(), &changed, FALSE);
  }
}

void MainWindow::setMapMenuEnabled(bool enabled) {
  if (hwnd()) EnableMenuItem(GetMenu(hwnd()), IDM_MAPA, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::quit() { destroy(); }

}  // namespace game
