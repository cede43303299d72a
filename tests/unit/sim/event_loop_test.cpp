#include "event_loop.h"

#include <gtest/gtest.h>

#include <string>

#include "sim_window.h"

namespace {

using sim::EventLoop;
using sim::SimWindow;
using sim::WindowMessage;

TEST(EventLoop, PostedMessagesRunBeforeTimersOfTheSameInstant) {
  EventLoop loop;
  std::string order;
  loop.StartTimer(100, [&] { order += "T"; });
  loop.PostAt(100, [&] { order += "M"; });
  loop.PostAt(100, [&] { order += "N"; });
  loop.RunUntil(100);
  EXPECT_EQ(order, "MNT");
  EXPECT_EQ(loop.Now(), 100);
}

TEST(EventLoop, TimersTickAtTheirIntervalsInVirtualTime) {
  EventLoop loop;
  std::string ticks;
  const auto fast = loop.StartTimer(30, [&] { ticks += "f" + std::to_string(loop.Now()) + " "; });
  loop.StartTimer(50, [&] { ticks += "s" + std::to_string(loop.Now()) + " "; });
  loop.RunUntil(100);
  EXPECT_EQ(ticks, "f30 s50 f60 f90 s100 ");
  loop.StopTimer(fast);
  ticks.clear();
  loop.RunUntil(200);
  EXPECT_EQ(ticks, "s150 s200 ");
}

TEST(EventLoop, TickMayStopItsOwnTimerAndPostWork) {
  EventLoop loop;
  int ticks = 0;
  EventLoop::TimerId id = 0;
  id = loop.StartTimer(10, [&] {
    ++ticks;
    loop.StopTimer(id);
    loop.Post([&] { ticks += 10; });
  });
  while (loop.RunOne()) {
  }
  EXPECT_EQ(ticks, 11);
  EXPECT_EQ(loop.Now(), 10);
}

TEST(EventLoop, WhileTheProgramWaitsOnlyTheWorldMovesAndOverdueWorkRunsOnceAtTheCurrentTime) {
  EventLoop loop;
  std::string order;
  std::vector<sim::Micros> ticks;
  loop.StartTimer(100, [&] { ticks.push_back(loop.Now()); });
  loop.PostAt(50, [&] { order += "message@" + std::to_string(loop.Now()) + " "; });
  loop.PostWorldAt(70, [&] { order += "world@" + std::to_string(loop.Now()) + " "; });
  // A handler blocks from 0 to 350: the world's event happens, the program's wait.
  loop.AdvanceWorld(350);
  EXPECT_EQ(order, "world@70 ");
  EXPECT_TRUE(ticks.empty());
  loop.RunUntil(500);
  EXPECT_EQ(order, "world@70 message@350 ");
  EXPECT_EQ(ticks, (std::vector<sim::Micros>{350, 450}));
}

TEST(SimWindow, MessagesForADestroyedWindowAreDropped) {
  EventLoop loop;
  std::string seen;
  auto window = std::make_unique<SimWindow>(loop, [&](const WindowMessage& message) {
    seen += message.kind == WindowMessage::Kind::Destroy ? "D" : "M";
  });
  const sim::WindowHandle handle = window->Handle();
  SimWindow::PostAt(loop, 5, handle, WindowMessage{WindowMessage::Kind::WaveInData, 1});
  window->SetTimer(1, 1);
  window.reset();
  loop.RunUntil(10000);
  EXPECT_EQ(seen, "D");
}

TEST(SimWindow, SettingATimerAgainRestartsItWithTheNewPeriod) {
  EventLoop loop;
  std::vector<sim::Micros> ticks;
  SimWindow window(loop, [&](const WindowMessage&) { ticks.push_back(loop.Now()); });
  window.SetTimer(1, 100);
  loop.RunUntil(150'000);
  window.SetTimer(1, 20);
  loop.RunUntil(200'000);
  EXPECT_EQ(ticks, (std::vector<sim::Micros>{100'000, 170'000, 190'000}));
}

}  // namespace
