// Virtual time, posted messages and interval timers on one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <queue>
#include <vector>

namespace sim {

using Micros = int64_t;
constexpr Micros kMicrosPerSecond = 1'000'000;

// Nothing sleeps: the clock jumps to the next message or timer. At one instant, posted messages
// run before timers, as a window's timer messages come only when its queue is otherwise empty.
class EventLoop {
 public:
  using TimerId = uint64_t;

  Micros Now() const { return now_; }

  void Post(std::function<void()> message) { PostAt(now_, std::move(message)); }
  void PostAt(Micros when, std::function<void()> message);

  // First tick one interval from now.
  TimerId StartTimer(Micros interval, std::function<void()> tick);
  void StopTimer(TimerId id);

  // Handles the next message or timer tick; false when nothing is pending.
  bool RunOne();
  // Handles everything due up to and including `until`, then sets the clock to it.
  void RunUntil(Micros until);

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
  struct Timer {
    Micros interval;
    Micros due;
    std::function<void()> tick;
  };

  // The next timer to tick, or timers_.end().
  std::map<TimerId, Timer>::iterator NextTimer();
  Micros NextDue();

  Micros now_ = 0;
  uint64_t sequence_ = 0;
  std::priority_queue<Message, std::vector<Message>, Later> messages_;
  TimerId nextTimerId_ = 1;
  std::map<TimerId, Timer> timers_;
};

}  // namespace sim
