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
    : pictures_(assets::loadPictures()),
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

  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = &MainWindow::proc;
  type.hInstance = instance;
  type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  type.lpszClassName = kClass;
  RegisterClassExW(&type);
  // The player cannot resize the window: it is as big as its contents.
  CreateWindowExW(0, kClass, L"Tarnwick quest 1.0",
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                  CW_USEDEFAULT, kSurfaceWidth, kClientHeight, nullptr,
                  LoadMenuW(instance, MAKEINTRESOURCEW(1)), instance, this);
  platform::setClientSize(hwnd_, kSurfaceWidth, kClientHeight);
  keys_.attach(hwnd_);
  dialogo_.setOwner(hwnd_);
  messages_.setOwner(hwnd_);
  main_.Form_Load();
  SetTimer(hwnd_, 1, 100, nullptr);
}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (HFONT f : {arial_, sansSerif_, plain_}) DeleteObject(f);
}

LRESULT CALLBACK MainWindow::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = hwnd_;
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // paint() covers every pixel
    case WM_TIMER:
      tick();
      return 0;
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
    case WM_ACTIVATE:
      keys_.windowActivation();
      break;
    case WM_ACTIVATEAPP:
      keys_.programActivation(wParam != FALSE);
      break;
    case WM_DESTROY:
      KillTimer(hwnd, 1);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;  // from now on the rules' requests change nothing on screen
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
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
void MainWindow::tick() {
  if (enTick_) return;
  enTick_ = true;
  main_.maintimer_Timer();
  enTick_ = false;
}

// The whole client area is composed off screen and shown at once, so
// nothing flickers: the surface, the portrait in its frame, the labels.
void MainWindow::paint() {
  PAINTSTRUCT ps;
  const HDC screen = BeginPaint(hwnd_, &ps);
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
  EndPaint(hwnd_, &ps);
}

void MainWindow::setCaption(Etiqueta label, const std::string& text) {
  std::wstring& shown = captions_[static_cast<std::size_t>(label)];
  std::wstring now = platform::wide(text);
  if (now == shown) return;
  shown = std::move(now);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void MainWindow::present() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void MainWindow::setMapMenuEnabled(bool enabled) {
  if (hwnd_) EnableMenuItem(GetMenu(hwnd_), IDM_MAPA, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::quit() {
  if (hwnd_) DestroyWindow(hwnd_);  // WM_DESTROY ends the message loop
}

}  // namespace game
