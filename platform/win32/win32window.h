// A program's main window on Windows: registers its class, creates it with
// the menu and icon of resource 1 and an exact client size, and sends its
// messages to the object. What both programs' windows do alike is done
// here: activation news for the keys, the timer and its guard, the end of
// the message loop when the window goes.
#pragma once

#include <windows.h>

#include "platform/ticker.h"
#include "platform/win32/win32keys.h"

namespace platform {

class Win32Window {
 public:
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Null once the window is destroyed: requests made after that change nothing.
  HWND hwnd() const { return hwnd_; }
  // Device pixels per layout pixel (platform/scale.h): from the monitor's
  // DPI when the window was made, then from the monitor it was moved to.
  int scale() const { return k_; }

 protected:
  explicit Win32Window(Win32Keys& keys) : keys_(keys) {}
  virtual ~Win32Window();

  // The window owns `menu` from then on. The client area is width x height
  // layout pixels, shown at scale().
  void create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style,
              HBRUSH background, int width, int height, HMENU menu);
  // Calls onTimer() every periodMs, through the guard of ticker.h: a timer
  // message handled in a box's nested loop inside onTimer() is dropped.
  void startTimer(int periodMs);
  // Ends the program: the window goes, and with it the message loop.
  void destroy();

  // The program's messages; what they leave to the base goes to base().
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void onTimer() = 0;
  // Called when scale() has changed: fonts and controls made anew at it.
  // The window is resized and repainted whole by the base.
  virtual void rescale() {}
  LRESULT base(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  Win32Keys& keys_;
  Ticker ticker_;
  HWND hwnd_ = nullptr;
  int width_ = 0, height_ = 0;  // of the client area, in layout pixels
  int k_ = 1;
};

}  // namespace platform
