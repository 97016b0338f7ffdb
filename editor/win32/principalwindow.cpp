#include "editor/win32/principalwindow.h"

#include <windowsx.h>

#include "assets/loadpictures.h"
#include "editor/win32/resource.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"
#include "platform/win32/win32image.h"

namespace editor {

namespace {

constexpr int kWidth = 714, kHeight = 428;
constexpr wchar_t kClass[] = L"TarnwickEdit";

HWND control(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int x, int y, int w,
             int h, int id, HFONT font) {
  const HWND c = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

}  // namespace

PrincipalWindow::PrincipalWindow(HINSTANCE instance)
    : Win32Window(keys_),  // kept for later: the keys are made below
      pictures_(assets::loadPictures()),
      principal_(Services{keys_, dialogo_, messages_, files_}, pictures_, *this),
      neww_([this](int16_t w, int16_t h) { principal_.nuevomapa(w, h); },
            [this] { messages_.show("El tamaño no es válido", platform::Icon::Critical); }),
      // One small face for labels and buttons: 8.25-point MS Sans Serif.
      font_(platform::makeFont(L"MS Sans Serif", 11, false)),
      bold_(platform::makeFont(L"MS Sans Serif", 11, true)) {
  create(instance, kClass, L"Tarnwick Editor", WS_CLIPCHILDREN, GetSysColorBrush(COLOR_BTNFACE), kWidth,
         kHeight);
  dialogo_.setOwner(hwnd());
  messages_.setOwner(hwnd());
  principal_.Form_Load();
  buildControls();
  startTimer();
}

PrincipalWindow::~PrincipalWindow() {
  for (HBITMAP b : iconos_) DeleteObject(b);
  DeleteObject(font_);
  DeleteObject(bold_);
}

void PrincipalWindow::buildControls() {
  const struct {
    const wchar_t* text;
    int y, w;
  } titulos[] = {{L"Terrenos", 8, 64}, {L"Personaje", 104, 72}, {L"Enemigos", 168, 70}};
  for (const auto& t : titulos) control(hwnd(), L"STATIC", t.text, 0, 624, t.y, t.w, 16, -1, bold_);

  // The palettes: pictures only; screen readers say the names.
  const struct {
    const wchar_t* picture;
    const wchar_t* what;
    int x, y;
  } botones[] = {{L"paleta_pasto", L"Pasto", 632, 32},        {L"paleta_tierra", L"Tierra", 664, 32},
                 {L"paleta_arbol", L"Árbol", 632, 64},        {L"paleta_agua", L"Agua", 664, 64},
                 {L"paleta_jugador", L"Jugador", 648, 128},   {L"paleta_enemigo0", L"Mancha asesina", 616, 192},
                 {L"paleta_enemigo1", L"Rata voladora", 648, 192},
                 {L"paleta_enemigo2", L"Borrego mutante", 680, 192}};
  for (std::size_t i = 0; i < iconos_.size(); ++i) {
    const auto& b = botones[i];
    const HWND button = control(hwnd(), L"BUTTON", b.what, BS_PUSHBUTTON | BS_BITMAP, b.x, b.y, 24, 24,
                                IDC_TERR0 + static_cast<int>(i), font_);
    iconos_[i] = platform::toHBitmap(platform::loadPicture(b.picture));
    SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(iconos_[i]));
  }

  mousecap_ = control(hwnd(), L"STATIC", L"Mouse", SS_NOPREFIX, 40, 408, 121, 17, -1, font_);
  mapcap_ = control(hwnd(), L"STATIC", L"Mapa", SS_NOPREFIX, 184, 408, 137, 17, -1, font_);
  captions_ = {L"Mouse", L"Mapa"};
  for (std::wstring* c : {&captions_[0], &captions_[1], &nuevo_}) c->reserve(64);
}

LRESULT PrincipalWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = this->hwnd();
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const bool onView = x >= 0 && y >= 0 && x < kViewWidth && y < kViewHeight;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      platform::drawBitmap(dc, 0, 0, principal_.mainpic(), ps.rcPaint);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // Everything but the view, which paints every pixel of itself.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      ExcludeClipRect(dc, 0, 0, kViewWidth, kViewHeight);
      RECT all{0, 0, kWidth, kHeight};
      FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
      command(LOWORD(wParam));
      return 0;
    // A button pressed on the view keeps the mouse's moves there until the
    // last button is let go, wherever it is dragged, as on Linux; one pressed
    // elsewhere keeps them from the view.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (onView) {
        SetCapture(hwnd);
        principal_.mainpic_MouseDown(x, y);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd)
        ReleaseCapture();
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd || (onView && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))))
        principal_.mainpic_MouseMove(x, y);
      return 0;
    default:
      break;
  }
  return base(message, wParam, lParam);
}

void PrincipalWindow::command(int id) {
  if (id >= IDC_TERR0 && id < IDC_TERR0 + 8) {
    if (id < IDC_PERS)
      principal_.terr_Click(id - IDC_TERR0);
    else if (id == IDC_PERS)
      principal_.pers_Click();
    else
      principal_.enem_Click(id - IDC_ENEM0);
    SetFocus(hwnd());  // the arrows belong to scrolling, not to the button
    return;
  }
  switch (id) {
    case IDM_NUEVO: neww_.show(hwnd()); break;
    case IDM_ABRIR: principal_.mnuabrir_Click(); break;
    case IDM_GUARDAR: principal_.mnuguardar_Click(); break;
    case IDM_SALIR: principal_.mnusalir_Click(); break;
    case IDM_MANUAL: principal_.mnumanual_Click(); break;
    case IDM_ACERCA: principal_.mnuacerca_Click(); break;
    default: break;
  }
}

// Converted into a buffer kept for it; an unchanged caption (the origin,
// set every tick) is not set again, so its label is not repainted.
void PrincipalWindow::setCaption(Etiqueta label, const std::string& text) {
  const bool mouse = label == Etiqueta::mousecap;
  const HWND l = mouse ? mousecap_ : mapcap_;
  std::wstring& shown = captions_[mouse ? 0 : 1];
  platform::wideInto(nuevo_, text);
  if (!l || nuevo_ == shown) return;
  shown.swap(nuevo_);
  SetWindowTextW(l, shown.c_str());
}

void PrincipalWindow::present(const platform::Rect& c) {
  if (hwnd() && !c.empty()) {
    const RECT changed{c.x, c.y, c.x + c.w, c.y + c.h};
    InvalidateRect(hwnd(), &changed, FALSE);
  }
}

void PrincipalWindow::quit() { destroy(); }

}  // namespace editor
