// Waits of the device tests: GLib's default main context runs until a condition holds, with a
// bound that only ends a wait gone wrong.
#pragma once

#include <glib.h>

namespace linux_test {

constexpr gint64 kPatienceUs = 15 * G_USEC_PER_SEC;

// Runs the main context's events until done() holds; false when patience ran out.
template <typename Done>
bool PumpUntil(Done done) {
  const gint64 deadline = g_get_monotonic_time() + kPatienceUs;
  for (;;) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (done()) return true;
    if (g_get_monotonic_time() > deadline) return false;
    g_usleep(2000);
  }
}

// Runs what the main context holds now, and what that brings, without waiting.
inline void RunPending() {
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
}

}  // namespace linux_test
