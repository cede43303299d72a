// Virtual time, posted messages, interval timers and the world's own events, on one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <vector>

namespace sim {

using Micros = int64_t;
constexpr Micros kMicrosPerSecond = 1'000'000;
constexpr Micros kMicrosPerMilli = 1'000;

// Nothing sleeps: the clock jumps to the next message, world event or timer. At one instant,
// posted messages and world events run in the order they were posted, timers after them, as a
// window's timer messages come only when its queue is otherwise empty.
//
// World events (a modem answering, a sound driver returning a buffer) happen at their time even
// while a handler of the program blocks; the program's messages and timers then wait for it.
// Whatever is overdue runs at the current time, never in the past, and a timer that fell due
// more than once while the program was busy ticks once.
class EventLoop {
 public:
  using TimerId = uint64_t;

  Micros Now() const { return now_; }

  // A message to the program's thread.
  void Post(std::function<void()> message) { PostAt(now_, std::move(message)); }
  void PostAt(Micros when, std::function<void()> message);
  // Something that happens outside the program.
  void PostWorldAt(Micros when, std::function<void()> event);

  // First tick one interval from now.
  TimerId StartTimer(Micros interval, std::function<void()> tick);
  void StopTimer(TimerId id);

  // Handles the next message, world event or timer tick; false when nothing is pending.
  bool RunOne();
  // Handles everything due up to and including `until`, then sets the clock to it.
  void RunUntil(Micros until);
  // Handles what is due now, and what that posts for now.
  void RunDue();
  // Lets time pass to `until` running world events only.
  void AdvanceWorld(Micros until);
  // When the next thing of any kind is due; the largest Micros when nothing is pending.
  Micros NextDue();

 private:
  struct Message {
    Micros when;
    uint64_t sequence;
    std::function<void()> run;
  };
  struct Later {
    bool operator()(const Message& a, const Message& b) const {
      return a.when != b.when ? a.when > b.when : a.sequence > b.sequence;
    }
  };
  using Queue = std::priority_queue<Message, std::vector<Message>, Later>;
  struct Timer {
    Micros interval;
    Micros due;
    std::function<void()> tick;
  };

  // The next timer to tick, or timers_.end().
  std::map<TimerId, Timer>::iterator NextTimer();
  static void RunFront(Queue& queue, Micros& now);
  void Push(Queue& queue, Micros when, std::function<void()> run);

  Micros now_ = 0;
  uint64_t sequence_ = 0;
  Queue messages_;
  Queue worldEvents_;
  TimerId nextTimerId_ = 1;
  std::map<TimerId, Timer> timers_;
};

}  // namespace sim
