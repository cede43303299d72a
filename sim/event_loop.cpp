#include "event_loop.h"

#include <algorithm>
#include <limits>

namespace sim {

void EventLoop::Push(Queue& queue, Micros when, std::function<void()> run) {
  queue.push(Message{std::max(when, now_), sequence_++, std::move(run)});
}

void EventLoop::PostAt(Micros when, std::function<void()> message) {
  Push(messages_, when, std::move(message));
}

void EventLoop::PostWorldAt(Micros when, std::function<void()> event) {
  Push(worldEvents_, when, std::move(event));
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
  if (!worldEvents_.empty()) due = std::min(due, worldEvents_.top().when);
  auto timer = NextTimer();
  if (timer != timers_.end()) due = std::min(due, timer->second.due);
  return due;
}

void EventLoop::RunFront(Queue& queue, Micros& now) {
  // Popped before it runs: the message may run the loop again.
  Message message = queue.top();
  queue.pop();
  now = std::max(now, message.when);
  message.run();
}

bool EventLoop::RunOne() {
  const Queue* first = nullptr;
  for (const Queue* queue : {&messages_, &worldEvents_}) {
    if (queue->empty()) continue;
    if (!first || Later()(first->top(), queue->top())) first = queue;
  }
  auto timer = NextTimer();
  if (!first && timer == timers_.end()) return false;

  if (first && (timer == timers_.end() || first->top().when <= timer->second.due)) {
    RunFront(first == &messages_ ? messages_ : worldEvents_, now_);
    return true;
  }
  now_ = std::max(now_, timer->second.due);
  timer->second.due = now_ + timer->second.interval;
  // The tick may stop or start timers, so it runs from a copy.
  std::function<void()> tick = timer->second.tick;
  tick();
  return true;
}

void EventLoop::RunUntil(Micros until) {
  while (NextDue() <= until) RunOne();
  if (now_ < until) now_ = until;
}

void EventLoop::RunDue() {
  while (NextDue() <= now_) RunOne();
}

void EventLoop::AdvanceWorld(Micros until) {
  while (!worldEvents_.empty() && worldEvents_.top().when <= until) RunFront(worldEvents_, now_);
  if (now_ < until) now_ = until;
}

}  // namespace sim
