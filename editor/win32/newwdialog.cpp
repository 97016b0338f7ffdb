#include "editor/win32/newwdialog.h"

#include <array>
#include <string>

#include "editor/layout.h"
#include "editor/win32/resource.h"
#include "platform/scale.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"
#include "platform/win32/win32layout.h"

namespace editor {

namespace {

namespace neww = layout::neww;

std::string texto(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return platform::utf8(text);
}

// The user's decimal separator, as Qt's locale gives it on Linux.
char separadorDecimal() {
  wchar_t sep[8] = L".";
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8);
  return sep[0] > 0 && sep[0] < 128 ? static_cast<char>(sep[0]) : '.';
}

}  // namespace

// Every opening of the dialog uses the same brush, and the same fonts while
// the scale stays.
NewwDialog::NewwDialog(Principal& principal)
    : principal_(principal), white_(CreateSolidBrush(platform::colorRef(neww::kFondo))) {}

void NewwDialog::makeFonts() {
  if (fontsK_ == k_) return;
  for (HFONT f : {font_, bold_})
    if (f) DeleteObject(f);
  font_ = platform::makeFont(layout::kLetra, k_);
  bold_ = platform::makeFont(layout::kNegrita, k_);
  fontsK_ = k_;
}

NewwDialog::~NewwDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (HGDIOBJ o : std::array<HGDIOBJ, 3>{font_, bold_, white_})
    if (o) DeleteObject(o);
}

void NewwDialog::show(HWND owner, int k) {
  if (!hwnd_) {
    k_ = k;
    makeFonts();
  }
  if (!hwnd_)
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NEWW), owner,
                       &NewwDialog::proc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetActiveWindow(hwnd_);
}

void NewwDialog::rescale(int k) {
  k_ = k;
  if (hwnd_) layOut();
}

INT_PTR CALLBACK NewwDialog::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<NewwDialog*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<NewwDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR NewwDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED: {  // dragged alone to another monitor: the editor's scale there
      const auto* proposed = reinterpret_cast<const RECT*>(lParam);
      rescale(platform::windowScale(GetWindow(hwnd_, GW_OWNER), HIWORD(wParam),
                                    MonitorFromRect(proposed, MONITOR_DEFAULTTONEAREST),
                                    layout::kAncho, layout::kAlto));
      return TRUE;
    }
    case WM_INITDIALOG:
      layOut();
      return TRUE;  // the keyboard goes to "Ancho"
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), platform::colorRef(neww::kFondo));
      return reinterpret_cast<INT_PTR>(white_);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) crear_Click();             // the button, or Return anywhere
      if (LOWORD(wParam) == IDCANCEL) DestroyWindow(hwnd_);  // Escape or the close box
      return TRUE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

// The layout table's pixels at the scale k, on white, the title in bold.
void NewwDialog::layOut() {
  makeFonts();
  const int k = k_;
  SetWindowTextW(hwnd_, platform::wide(neww::kTitulo).c_str());
  auto place = [this, k](int id, const platform::Box& b, HFONT font, const char* text = nullptr) {
    const HWND control = GetDlgItem(hwnd_, id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const platform::Box d = platform::scaled(b, k);
    MoveWindow(control, d.x, d.y, d.w, d.h, TRUE);
    if (text) SetWindowTextW(control, platform::wide(text).c_str());
    return control;
  };
  place(IDC_TITULO, neww::kEncabezado.box, bold_, neww::kEncabezado.text);
  place(IDOK, neww::kBotonCrear, font_, neww::kCrear);
  const int ids[2][2] = {{IDC_ANCHO, IDC_ANCHO_TEXTO}, {IDC_ALTO, IDC_ALTO_TEXTO}};
  for (std::size_t i = 0; i < neww::kCajas.size(); ++i) {
    const neww::Caja& c = neww::kCajas[i];
    // The height given to a drop-down box includes its open list.
    platform::Box alto = c.box;
    alto.h += 14 * static_cast<int>(c.items.size() + 1);
    const HWND box = place(ids[i][0], alto, font_);
    if (SendMessageW(box, CB_GETCOUNT, 0, 0) == 0) {  // laid out again at another scale: kept
      for (const char* item : c.items)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::wide(item).c_str()));
      SendMessageW(box, CB_SETCURSEL, 0, 0);
    }
    // The label's text on the line of the text in the box.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(box, &info);
    TEXTMETRICW metrics{};
    const HDC dc = GetDC(hwnd_);
    const HGDIOBJ old = SelectObject(dc, font_);
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const int field = info.rcItem.bottom - info.rcItem.top;
    // The box's field in layout pixels, so that the line falls on a whole one.
    platform::Box label = c.label.box;
    label.y = neww::lineaEtiqueta(c, platform::unscaled(info.rcItem.top, k),
                                  platform::unscaled(field, k), metrics.tmHeight / k);
    place(ids[i][1], label, font_, c.label.text);
  }

  // Centred over the main window, as big as the Linux one inside its frame.
  RECT frame{0, 0, neww::kAncho * k, neww::kAlto * k};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)),
                           platform::dpiOf(hwnd_));
  RECT owner{};
  GetWindowRect(GetWindow(hwnd_, GW_OWNER), &owner);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(hwnd_, nullptr, (owner.left + owner.right - w) / 2,
               (owner.top + owner.bottom - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NewwDialog::crear_Click() {
  if (principal_.crear_Click(texto(GetDlgItem(hwnd_, IDC_ANCHO)),
                             texto(GetDlgItem(hwnd_, IDC_ALTO)), separadorDecimal()))
    DestroyWindow(hwnd_);
}

}  // namespace editor
