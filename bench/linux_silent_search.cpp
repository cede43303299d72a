// The control's search on a silent line through PulseAudio, as Dorvane runs it while it waits
// for a call: the processor time it takes (both threads) and whether its memory grows.
//   linux_silent_search [SECONDS]   default 60; PULSE_SERVER and PULSE_SOURCE choose the line
#include <glib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "main_loop_site.h"

namespace {

double CpuSeconds() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

struct Sample {
  double wall = 0;
  double cpu = 0;
  long rss = 0;
};

Sample Now() { return {g_get_monotonic_time() / 1e6, CpuSeconds(), ResidentKiB()}; }

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  if (seconds < 10) {
    std::fprintf(stderr, "usage: linux_silent_search [SECONDS >= 10]\n");
    return 2;
  }
  linux_test::HostedControl host;
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  if (!host.control.SearchDtmf()) return 1;
  // The first seconds settle the stream and the ring; the measure starts after them.
  Sample start;
  g_timeout_add_seconds(
      5,
      [](gpointer data) -> gboolean {
        *static_cast<Sample*>(data) = Now();
        return G_SOURCE_REMOVE;
      },
      &start);
  g_timeout_add_seconds(
      5 + seconds,
      [](gpointer data) -> gboolean {
        g_main_loop_quit(static_cast<GMainLoop*>(data));
        return G_SOURCE_REMOVE;
      },
      loop);
  g_main_loop_run(loop);
  const Sample end = Now();
  g_main_loop_unref(loop);
  const double wall = end.wall - start.wall;
  std::printf("seconds %.1f  cpu %.3f s  %.3f %% of one core  rss %ld -> %ld KiB  errors %zu\n",
              wall, end.cpu - start.cpu, 100 * (end.cpu - start.cpu) / wall, start.rss, end.rss,
              host.site.errors.size());
  return host.site.errors.empty() && host.control.Running ? 0 : 1;
}
