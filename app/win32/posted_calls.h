// Work handed to the program's thread from any other thread (the serial reader, COM event
// sinks): queued under a lock and run, in order, by the window procedure of a message-only
// window that belongs to the thread which created this object.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace dorvane::win32 {

class PostedCalls {
 public:
  PostedCalls();
  ~PostedCalls();
  PostedCalls(const PostedCalls&) = delete;
  PostedCalls& operator=(const PostedCalls&) = delete;

  // Safe from any thread; the call runs later on the owning thread, from its message loop.
  void Post(std::function<void()> call);
  // Runs what is queued now, on the owning thread (for loops that wait without dispatching).
  void RunQueued();
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM, LPARAM);

  HWND window_ = nullptr;
  std::mutex lock_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace dorvane::win32
