// The editor's Windows window under Wine: "Nuevo Mapa" opened again and
// again makes nothing new (its fonts and brush are made once), and its
// texts come from the layout table.
#include <gtest/gtest.h>

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
