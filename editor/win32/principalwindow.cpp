#include "editor/win32/principalwindow.h"

#include <windowsx.h>

#include "assets/loadpictures.h"
#include "editor/layout.h"
#include "editor/win32/resource.h"
#include "platform/scale.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"
#include "platform/win32/win32image.h"
#include "platform/win32/win32layout.h"

namespace editor {

namespace {

constexpr wchar_t kClass[] = L"TarnwickEdit";

HWND control(HWND parent, const wchar_t* type, const std::wstring& text, DWORD style,
             const platform::Box& b, int id, HFONT font) {  // b in device pixels
  const HWND c = CreateWindowExW(
      0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.x, b.y, b.w, b.h, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

// A static control draws its text from its left edge: moved right so that
// the ink of the first character begins where it does on Linux. In device
// pixels, at scale k.
platform::Box inked(const platform::Box& box, HFONT font, wchar_t first, int k) {
  const platform::Box b = platform::scaled(box, k);
  const int shift = platform::inkShift(font, first, k);
  return {b.x + shift, b.y, b.w - shift, b.h};
}
platform::Box inked(const platform::Label& label, HFONT font, int k) {
  const std::wstring text = platform::wide(label.text);
  return inked(label.box, font, text.empty() ? 0 : text[0], k);
}

}  // namespace

PrincipalWindow::PrincipalWindow(HINSTANCE instance)
    : Win32Window(keys_),  // kept for later: the keys are made below
      pictures_(assets::loadPictures()),
      messages_(platform::wide(layout::kAplicacion)),
      principal_(Services{keys_, dialogo_, messages_, files_}, pictures_, *this),
      neww_(principal_),
      fondo_(CreateSolidBrush(platform::colorRef(layout::kFondo))) {
  create(instance, kClass, platform::wide(layout::kTitulo).c_str(), WS_CLIPCHILDREN, fondo_,
         layout::kAncho, layout::kAlto, platform::makeMenuBar<Principal>(layout::kMenus));
  dialogo_.setOwner(hwnd());
  messages_.setOwner(hwnd());
  principal_.Form_Load();
  buildControls();
  startTimer(layout::kIntervaloTimer);
}

PrincipalWindow::~PrincipalWindow() {
  DeleteObject(font_);
  DeleteObject(bold_);
  DeleteObject(fondo_);
}

// The controls, made anew at another scale. The palettes' faces and the
// labels' captions are kept.
void PrincipalWindow::rescale() {
  HWND child;
  while ((child = GetWindow(hwnd(), GW_CHILD)) != nullptr) DestroyWindow(child);
  DeleteObject(font_);
  DeleteObject(bold_);
  buildControls();
  neww_.rescale(scale());
}

void PrincipalWindow::buildControls() {
  const int k = scale();
  font_ = platform::makeFont(layout::kLetra, k);
  bold_ = platform::makeFont(layout::kNegrita, k);
  for (const platform::Label& t : layout::kTitulos)
    control(hwnd(), L"STATIC", platform::wide(t.text), SS_LEFT | SS_NOPREFIX, inked(t, bold_, k),
            -1, bold_);

  // The palettes: pictures only, drawn by us as on Linux; screen readers say the names.
  for (std::size_t i = 0; i < layout::kBotones.size(); ++i) {
    const layout::Boton& b = layout::kBotones[i];
    if (caras_[i][0].empty()) {
      const media::Bitmap picture = platform::loadPicture(platform::wide(b.picture).c_str());
      for (bool down : {false, true})
        caras_[i][down] = media::buttonFace(picture, layout::kLadoBoton, layout::kLadoBoton,
                                            layout::kFondo, down);
    }
    control(hwnd(), L"BUTTON", platform::wide(b.what), BS_OWNERDRAW,
            platform::scaled({b.x, b.y, layout::kLadoBoton, layout::kLadoBoton}, k),
            IDC_TERR0 + static_cast<int>(i), font_);
  }

  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    const platform::Label& e = layout::kEtiquetas[i];
    if (!etiquetas_[i]) {
      captions_[i] = platform::wide(e.text);
      captions_[i].reserve(64);
    }
    etiquetas_[i] =
        control(hwnd(), L"STATIC", captions_[i], SS_LEFT | SS_NOPREFIX,
                inked(e.box, font_, captions_[i].empty() ? 0 : captions_[i][0], k), -1, font_);
  }
  nuevo_.reserve(64);
}

LRESULT PrincipalWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = this->hwnd();
  const int k = scale();
  const int x = platform::unscaled(GET_X_LPARAM(lParam), k);
  const int y = platform::unscaled(GET_Y_LPARAM(lParam), k);
  const bool onView = x >= 0 && y >= 0 && x < kViewWidth && y < kViewHeight;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      platform::drawBitmap(dc, 0, 0, principal_.mainpic(), ps.rcPaint, k);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // Everything but the view, which paints every pixel of itself.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      ExcludeClipRect(dc, 0, 0, kViewWidth * k, kViewHeight * k);
      RECT all{0, 0, layout::kAncho * k, layout::kAlto * k};
      FillRect(dc, &all, fondo_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {  // the labels: black on the window's grey
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, platform::colorRef(platform::kNegro));
      SetBkColor(dc, platform::colorRef(layout::kFondo));
      return reinterpret_cast<LRESULT>(fondo_);
    }
    case WM_DRAWITEM: {  // a palette button, raised or held down
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto i = static_cast<std::size_t>(item->CtlID - IDC_TERR0);
      if (i >= caras_.size()) break;
      platform::drawBitmap(item->hDC, 0, 0, caras_[i][(item->itemState & ODS_SELECTED) != 0],
                           item->rcItem, k);
      return TRUE;
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
  const auto boton = static_cast<std::size_t>(id - IDC_TERR0);
  if (id >= IDC_TERR0 && boton < layout::kBotones.size()) {
    principal_.pulsarBoton(boton);
    SetFocus(hwnd());  // the arrows belong to scrolling, not to the button
    return;
  }
  const auto* item = platform::menuItem<Principal>(layout::kMenus, id);
  if (!item) return;
  if (item->handler)
    (principal_.*item->handler)();
  else
    neww_.show(hwnd(), scale());  // "Nuevo"
}

// Converted into a buffer kept for it; an unchanged caption (the origin,
// set every tick) is not set again, so its label is not repainted.
void PrincipalWindow::setCaption(Etiqueta label, const std::string& text) {
  const auto i = static_cast<std::size_t>(label);
  const HWND l = etiquetas_[i];
  std::wstring& shown = captions_[i];
  platform::wideInto(nuevo_, text);
  if (!l || nuevo_ == shown) return;
  const wchar_t before = shown.empty() ? 0 : shown[0], after = nuevo_.empty() ? 0 : nuevo_[0];
  shown.swap(nuevo_);
  if (before != after) {
    const platform::Box b = inked(layout::kEtiquetas[i].box, font_, after, scale());
    MoveWindow(l, b.x, b.y, b.w, b.h, TRUE);
  }
  SetWindowTextW(l, shown.c_str());
}

void PrincipalWindow::present(const media::Rect& c) {
  if (hwnd() && !c.empty()) {
    const RECT changed = platform::deviceRect({c.x, c.y, c.w, c.h}, scale());
    InvalidateRect(hwnd(), &changed, FALSE);
  }
}

void PrincipalWindow::quit() { destroy(); }

}  // namespace editor
