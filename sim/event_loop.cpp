#include "event_loop.h"

#include <limits>

namespace sim {

void EventLoop::PostAt(Micros when, std::function<void()> message) {
  messages_.push(Message{when < now_ ? now_ : when, sequence_++, std::move(message)});
}

EventLoop::TimerId EventLoop::StartTimer(Micros interval, std::function<void()> tick) {
  if (interval < 1) interval = 1;
  const TimerId id = nextTimerId_++;
  timers_.emplace(id, Timer{interval, now_ + interval, std::move(tick)});
  return id;
}

void EventLoop::StopTimer(TimerId id) { timers_.erase(id); }

std::map<EventLoop::TimerId, EventLoop::Timer>::iterator EventLoop::NextTimer() {
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (next == timers_.end() || it->second.due < next->second.due) next = it;
  }
  return next;
}

Micros EventLoop::NextDue() {
  Micros due = std::numeric_limits<Micros>::max();
  if (!messages_.empty()) due = messages_.top().when;
  auto timer = NextTimer();
  if (timer != timers_.end() && timer->second.due < due) due = timer->second.due;
  return due;
}

bool EventLoop::RunOne() {
  auto timer = NextTimer();
  const bool haveMessage = !messages_.empty();
  if (!haveMessage && timer == timers_.end()) return false;

  if (haveMessage && (timer == timers_.end() || messages_.top().when <= timer->second.due)) {
    Message message = messages_.top();
    messages_.pop();
    now_ = message.when;
    message.run();
    return true;
  }
  now_ = timer->second.due;
  timer->second.due += timer->second.interval;
  // The tick may stop or start timers, so it runs from a copy.
  std::function<void()> tick = timer->second.tick;
  tick();
  return true;
}

void EventLoop::RunUntil(Micros until) {
  while (NextDue() <= until) RunOne();
  if (now_ < until) now_ = until;
}

}  // namespace sim
