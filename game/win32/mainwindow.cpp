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

// Where each label's text starts, and for the strip below the field the
// box it is cut to; the panel labels grow with their text.
struct Lugar {
  int x, y, width;
  bool strip;
};
constexpr std::array<Lugar, 8> kLugares = {{
    {104, 410, 0, false},  // nombre
    {608, 120, 0, false},  // enedata0..3
    {608, 152, 0, false},
    {608, 168, 0, false},
    {608, 184, 0, false},
    {0, 504, 105, true},  // exy
    {112, 504, 113, true},  // labmapa
    {232, 504, 112, true},  // nenemigos
}};

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

// The whole client area is composed off screen and shown at once, so
// nothing flickers: the surface, the portrait in its frame, the labels.
void MainWindow::paint() {
  PAINTSTRUCT ps;
  const HDC screen = BeginPaint(hwnd(), &ps);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP back = CreateCompatibleBitmap(screen, kSurfaceWidth, kClientHeight);
  const HGDIOBJ old = SelectObject(dc, back);
  RECT all{0, 0, kSurfaceWidth, kClientHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  platform::drawBitmap(dc, 0, 0, main_.mainpic());
  RECT frame{8, 407, 95, 494};
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  platform::drawBitmap(dc, 9, 408, persona_);

  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < kLugares.size(); ++i) {
    const Lugar& l = kLugares[i];
    const std::wstring& text = captions_[i];
    const auto which = static_cast<Etiqueta>(i);
    SelectObject(dc, which == Etiqueta::nombre ? arial_ : l.strip ? plain_ : sansSerif_);
    SetTextColor(dc, l.strip ? RGB(255, 255, 255) : RGB(0, 0, 0));
    RECT box{l.x, l.y, l.strip ? l.x + l.width : kSurfaceWidth, l.strip ? l.y + 17 : kSurfaceHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
  }
  BitBlt(screen, 0, 0, kSurfaceWidth, kClientHeight, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(back);
  DeleteDC(dc);
  EndPaint(hwnd(), &ps);
}

void MainWindow::setCaption(Etiqueta label, const std::string& text) {
  std::wstring& shown = captions_[static_cast<std::size_t>(label)];
  std::wstring now = platform::wide(text);
  if (now == shown) return;
  shown = std::move(now);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
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
