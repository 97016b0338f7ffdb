// The editor's Windows window under Wine: "Nuevo Mapa" opened again and
// again makes nothing new (its fonts and brush are made once), and its
// texts come from the layout table.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/layout.h"
#include "editor/win32/principalwindow.h"
#include "editor/win32/resource.h"
#include "platform/win32/win32layout.h"

namespace {

std::wstring text(HWND w) {
  wchar_t buffer[128] = {};
  GetWindowTextW(w, buffer, 128);
  return buffer;
}

// The label that shows the mouse's cell (made anew at each scale).
HWND mouseLabel(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM out) {
        if (text(child).rfind(L"Mouse", 0) == 0) *reinterpret_cast<HWND*>(out) = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TEST(Win32Editor, NuevoMapaReusesItsFontsAndShowsTheTablesTexts) {
  editor::PrincipalWindow w(GetModuleHandleW(nullptr));
  ShowWindow(w.hwnd(), SW_SHOW);
  HGDIOBJ font = nullptr;
  for (int opening = 0; opening < 3; ++opening) {
    SendMessageW(w.hwnd(), WM_COMMAND, platform::menuId(0, 0), 0);  // "Nuevo"
    const HWND d = w.neww();
    ASSERT_TRUE(d) << opening;
    const HWND ancho = GetDlgItem(d, IDC_ANCHO);
    const auto used = reinterpret_cast<HGDIOBJ>(SendMessageW(ancho, WM_GETFONT, 0, 0));
    ASSERT_TRUE(used);
    if (opening > 0) {
      EXPECT_EQ(used, font) << opening;
    }
    font = used;
    EXPECT_EQ(text(d) + L"|" + text(GetDlgItem(d, IDC_TITULO)) + L"|" + text(GetDlgItem(d, IDOK)) +
                  L"|" + text(GetDlgItem(d, IDC_ANCHO_TEXTO)) + L"|" + text(ancho),
              L"Nuevo Mapa|Seleccione el tamaño del mapa|Crear|Ancho|30");
    EXPECT_EQ(SendMessageW(ancho, CB_GETCOUNT, 0, 0), 11);
    SendMessageW(d, WM_COMMAND, IDCANCEL, 0);  // Escape
    EXPECT_FALSE(w.neww()) << opening;
  }
}

// Dragged to monitors of other scales: the window takes each one's k, its
// client k times the layout, and the mouse still names the cell it is on.
TEST(Win32Editor, FollowsTheMonitorsScaleAndDividesTheMouseByIt) {
  editor::PrincipalWindow w(GetModuleHandleW(nullptr));
  ShowWindow(w.hwnd(), SW_SHOW);
  SendMessageW(w.hwnd(), WM_COMMAND, platform::menuId(0, 0), 0);  // "Nuevo"
  SendMessageW(w.neww(), WM_COMMAND, IDOK, 0);                    // "Crear": 30 x 20
  for (const UINT dpi : {192u, 144u, 96u, 120u}) {
    const int k = dpi >= 144 ? 2 : 1;  // 1.25 rounds down; the screen holds k = 2
    RECT proposed{10, 10, 500, 500};
    SendMessageW(w.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(w.scale(), k) << dpi;
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, editor::layout::kAncho * k) << dpi;
    EXPECT_EQ(client.bottom, editor::layout::kAlto * k) << dpi;
    // The last device pixel of cell (3, 2), and the first of (4, 5).
    for (const auto [x, y, want] : {std::tuple{80 * k - 1, 60 * k - 1, L"Mouse (3,2)"},
                                    std::tuple{80 * k, 100 * k, L"Mouse (4,5)"}}) {
      SendMessageW(w.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
      EXPECT_EQ(text(mouseLabel(w.hwnd())), want) << dpi;
    }
  }
}
