#include "editor/win32/newwdialog.h"

#include <array>
#include <string>

#include "editor/neww.h"
#include "editor/win32/resource.h"
#include "platform/win32/text.h"
#include "platform/win32/win32app.h"

namespace editor {

namespace {

constexpr int kWidth = 252, kHeight = 123;

std::string texto(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return platform::utf8(text);
}

// The user's decimal separator, as Qt's locale gives it on Linux.
char separadorDecimal() {
  wchar_t sep[8] = L".";
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8);
  return sep[0] > 0 && sep[0] < 128 ? static_cast<char>(sep[0]) : '.';
}

}  // namespace

NewwDialog::~NewwDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (HGDIOBJ o : std::array<HGDIOBJ, 3>{font_, bold_, white_})
    if (o) DeleteObject(o);
}

void NewwDialog::show(HWND owner) {
  if (!hwnd_)
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NEWW), owner, &NewwDialog::proc,
                       reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetActiveWindow(hwnd_);
}

INT_PTR CALLBACK NewwDialog::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<NewwDialog*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<NewwDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR NewwDialog::handle(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      layOut();
      return TRUE;  // the keyboard goes to "Ancho"
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(white_);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) crear_Click();  // the button, or Return anywhere
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

// The Linux dialog's pixels: 252 x 123 on white, the title in bold.
void NewwDialog::layOut() {
  white_ = CreateSolidBrush(RGB(255, 255, 255));
  font_ = platform::makeFont(L"MS Sans Serif", 11, false);
  bold_ = platform::makeFont(L"MS Sans Serif", 11, true);
  auto place = [this](int id, int x, int y, int w, int h) {
    const HWND control = GetDlgItem(hwnd_, id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(id == IDC_TITULO ? bold_ : font_), TRUE);
    MoveWindow(control, x, y, w, h, TRUE);
    return control;
  };
  place(IDC_TITULO, 40, 8, 177, 13);
  place(IDOK, 80, 96, 105, 17);
  const struct {
    int box, label, y, labelWidth;
    std::array<const wchar_t*, 12> items;
  } cajas[] = {
      {IDC_ANCHO, IDC_ANCHO_TEXTO, 32, 41,
       {L"30", L"40", L"50", L"60", L"70", L"80", L"90", L"100", L"120", L"150", L"200"}},
      {IDC_ALTO, IDC_ALTO_TEXTO, 64, 33,
       {L"20", L"30", L"40", L"50", L"60", L"70", L"80", L"90", L"100", L"120", L"150", L"200"}},
  };
  for (const auto& c : cajas) {
    // The height given to a drop-down box includes its open list.
    const HWND box = place(c.box, 88, c.y, 129, 21 + 12 * 14);
    for (const wchar_t* item : c.items)
      if (item) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(box, CB_SETCURSEL, 0, 0);
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
    place(c.label, 32, c.y + info.rcItem.top + (field - metrics.tmHeight + 1) / 2, c.labelWidth, 17);
  }

  // Centred over the main window, as big as the Linux one inside its frame.
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  RECT owner{};
  GetWindowRect(GetWindow(hwnd_, GW_OWNER), &owner);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(hwnd_, nullptr, (owner.left + owner.right - w) / 2, (owner.top + owner.bottom - h) / 2,
               w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NewwDialog::crear_Click() {
  const auto tamano = tamanonuevo(texto(GetDlgItem(hwnd_, IDC_ANCHO)),
                                  texto(GetDlgItem(hwnd_, IDC_ALTO)), separadorDecimal());
  if (!tamano) {
    rechazar_();  // the texts stay as typed
    return;
  }
  crear_(tamano->first, tamano->second);
  DestroyWindow(hwnd_);
}

}  // namespace editor
