// The control's own window: it receives the search timer, the wave-input notification and its
// own destruction, and paints the control picture when it is shown in place.
#pragma once

#include <windows.h>

// Called when the library is unloaded.
void UnregisterControlWindowClass();

class ControlWindow {
 public:
  class Handler {
   public:
    virtual void OnTimer(UINT_PTR id) = 0;
    virtual void OnWaveInData(DWORD bytesRecorded) = 0;
    virtual void OnWindowDestroyed() = 0;
    virtual void OnPaint(HDC dc, const RECT& bounds) = 0;

   protected:
    ~Handler() = default;
  };

  explicit ControlWindow(Handler& handler) : handler_(handler) {}
  ~ControlWindow() { Destroy(); }
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // Destroys a window that exists, then makes a new hidden one (a child of parent, if given).
  HWND Recreate(HWND parent);
  void Destroy();
  HWND Handle() const { return hwnd_; }

 private:
  friend ATOM RegisterControlWindowClass();
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Handler& handler_;  // not owned
  HWND hwnd_ = nullptr;
};
