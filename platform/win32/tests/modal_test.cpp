// Message boxes and file dialogs under Wine, on a display of their own: the
// active window owns them and every other window of the program is disabled
// while they are open; afterwards exactly the windows that were enabled are
// enabled again, and the window that was active is active again.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "platform/win32/win32filedialog.h"
#include "platform/win32/win32messages.h"

namespace {

HWND principal, neww, apagada, oculta;

struct Visto {
  HWND owner = nullptr;
  bool principal = false, neww = false, apagada = false, oculta = false;
};
Visto visto;
const wchar_t* titulo;  // of the box or dialog to look at and close

// Runs inside the box's or dialog's own message loop.
void CALLBACK mirarYCerrar(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindWindowW(L"#32770", titulo);
  if (!box || !IsWindowVisible(box)) return;  // not open yet
  KillTimer(nullptr, timer);
  visto = {GetWindow(box, GW_OWNER), IsWindowEnabled(principal) != FALSE,
           IsWindowEnabled(neww) != FALSE, IsWindowEnabled(apagada) != FALSE,
           IsWindowEnabled(oculta) != FALSE};
  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

HWND ventana(const wchar_t* name, HWND owner, bool visible) {
  return CreateWindowExW(0, L"STATIC", name, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0,
                         200, 100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(Win32Modal, BoxesAndFileDialogsLeaveNoOtherWindowWithinReach) {
  principal = ventana(L"principal", nullptr, true);
  neww = ventana(L"neww", principal, true);  // owned and modeless, as "Nuevo Mapa"
  apagada = ventana(L"apagada", principal, true);
  EnableWindow(apagada, FALSE);  // disabled before: it stays so
  oculta = ventana(L"oculta", nullptr, false);
  platform::Win32Messages messages(L"Edit");
  messages.setOwner(principal);
  platform::Win32FileDialog dialogo;
  dialogo.setOwner(principal);

  const struct {
    const wchar_t* titulo;
    std::function<void()> abrir;
  } casos[] = {
      {L"Edit", [&] { messages.show("El tamaño no es válido", platform::Icon::Critical); }},
      {L"Open", [&] { dialogo.open(""); }}};
  for (const auto& caso : casos) {
    SetForegroundWindow(neww);
    ASSERT_EQ(GetActiveWindow(), neww);
    titulo = caso.titulo;
    visto = {};
    SetTimer(nullptr, 0, 20, mirarYCerrar);
    caso.abrir();
    // The dialog's owner is disabled by the dialog itself; a hidden window takes no input anyway.
    EXPECT_EQ(visto.owner, neww);
    EXPECT_FALSE(visto.principal || visto.neww || visto.apagada);
    EXPECT_TRUE(visto.oculta);
    EXPECT_TRUE(IsWindowEnabled(principal) && IsWindowEnabled(neww) && IsWindowEnabled(oculta));
    EXPECT_FALSE(IsWindowEnabled(apagada));
    EXPECT_EQ(GetActiveWindow(), neww);
  }
}
