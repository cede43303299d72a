// The Linux runtime without a display: the handler gate on the GLib main loop, form timers as
// main-loop timeouts, the files in the configuration folder, and the single-instance lock.
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "glib_timer.h"
#include "instance_lock.h"
#include "posix_files.h"
#include "program.h"
#include "runtime_error.h"

namespace dorvane::linux_host {
namespace {

void Post(std::function<void()> action) {
  g_idle_add_full(
      G_PRIORITY_DEFAULT,
      [](gpointer data) -> gboolean {
        (*static_cast<std::function<void()>*>(data))();
        return G_SOURCE_REMOVE;
      },
      new std::function<void()>(std::move(action)),
      [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/dorvane-runtime-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A handler that lets events run while one of them ends the program unwinds too; nothing runs
// afterwards, and held events stay away while handlers called directly still run.
TEST(ProgramGate, EndUnwindsWaitingHandlersAndHoldsEvents) {
  Program program;
  std::string trace;
  Post([&] { program.DeliverEvent([&] { trace += "nested;"; }); });
  Post([&] {
    program.DeliverEvent([&] {
      trace += "ending;";
      throw ProgramEnded{};
    });
  });
  program.Deliver([&] {
    trace += "outer;";
    program.DoEvents();
    trace += "not reached;";
  });
  EXPECT_EQ(trace, "outer;nested;ending;");
  EXPECT_TRUE(program.Ended());
  program.Deliver([&] { trace += "after the end;"; });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_EQ(trace, "outer;nested;ending;");

  Program held;
  held.HoldEvents();
  held.DeliverEvent([&] { trace += "event;"; });
  held.Deliver([&] { trace += "handler;"; });
  EXPECT_EQ(trace, "outer;nested;ending;handler;");
}

// Ticks come from the main loop until the handler stops its timer; a new interval restarts
// the countdown, and an ended program receives no more ticks.
TEST(GlibTimer, TicksThroughTheGateUntilStopped) {
  Program program;
  GlibTimer timer("Timer1", program);
  int ticks = 0;
  timer.SetHandler([&] {
    if (++ticks == 3) timer.SetInterval(0);
  });
  timer.SetInterval(5);
  GlibTimer ender("Timer2", program);
  ender.SetHandler([&] { program.End(); });
  ender.SetInterval(200);
  program.Run();
  EXPECT_EQ(ticks, 3);

  GlibTimer late("Timer1", program);
  int lateTicks = 0;
  late.SetHandler([&] { ++lateTicks; });
  late.SetInterval(1);
  const gint64 until = g_get_monotonic_time() + 50 * 1000;
  while (g_get_monotonic_time() < until) g_main_context_iteration(nullptr, FALSE);
  EXPECT_EQ(lateTicks, 0);
}

TEST(PosixFiles, ReportsWindowsNumbersAndKeepsTheOldFileOnAFailedWrite) {
  TempFolder folder;
  PosixFiles files;
  const std::string settings = folder.path() + "/DVN.ini";
  files.ReplaceFile(settings, "2\r\n*0\r\nATD0;\r\n");
  EXPECT_EQ(files.Dir(settings), "DVN.ini");
  EXPECT_EQ(files.ReadAll(settings), "2\r\n*0\r\nATD0;\r\n");
  EXPECT_EQ(files.Dir(folder.path()), "");

  // The temporary file cannot be made: the write fails with 75 and the old file stays.
  ASSERT_EQ(::mkdir((settings + ".new").c_str(), 0700), 0);
  try {
    files.ReplaceFile(settings, "7\r\n");
    FAIL() << "the write succeeded";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, 75);
  }
  EXPECT_EQ(Slurp(settings), "2\r\n*0\r\nATD0;\r\n");

  files.Copy(settings, folder.path() + "/DVN.bak");
  EXPECT_EQ(Slurp(folder.path() + "/DVN.bak"), "2\r\n*0\r\nATD0;\r\n");
  // A backup is never written over another, and no temporary file is left.
  ASSERT_EQ(::rmdir((settings + ".new").c_str()), 0);
  files.ReplaceFile(settings, "3\r\n");
  try {
    files.Copy(settings, folder.path() + "/DVN.bak");
    FAIL() << "a backup was overwritten";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, 58);
  }
  EXPECT_EQ(Slurp(folder.path() + "/DVN.bak"), "2\r\n*0\r\nATD0;\r\n");
  auto names = files.Names(folder.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"DVN.bak", "DVN.ini"}));
  files.Kill(folder.path() + "/DVN.bak");
  try {
    files.ReadAll(folder.path() + "/DVN.bak");
    FAIL() << "a deleted file was read";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, 53);
  }
  const std::string phoneList = folder.path() + "/PhoneLst.txt";
  files.CheckWritable(phoneList);
  EXPECT_EQ(files.Dir(phoneList), "") << "the check left a file behind";
  EXPECT_THROW(files.CheckWritable(folder.path() + "/missing/PhoneLst.txt"), RuntimeError);
  EXPECT_EQ(files.ToAnsi("キャロル"), "キャロル");
}

// The lock belongs to a process: another one sees it held, and it is free again the moment
// that process dies, however it dies.
TEST(InstanceLock, HeldByAnotherProcessUntilItDies) {
  TempFolder runtime;
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    InstanceLock lock;
    const char held = lock.HeldElsewhere() ? 'n' : 'y';
    (void)!::write(ready[1], &held, 1);
    ::pause();
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  EXPECT_EQ(held, 'y');
  {
    InstanceLock second;
    EXPECT_TRUE(second.HeldElsewhere());
  }
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  InstanceLock after;
  EXPECT_FALSE(after.HeldElsewhere());
  EXPECT_FALSE(after.HeldElsewhere()) << "asking again is not another instance";
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace dorvane::linux_host
