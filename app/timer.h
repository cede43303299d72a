// A form's timer control: ticks every Interval milliseconds while Enabled. Interval 0 is idle;
// setting Interval or Enabled restarts the countdown; disabling keeps the interval; a tick
// that comes while the timer's own handler runs is dropped. The runtime supplies the clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dorvane {

class Timer {
 public:
  explicit Timer(std::string name) : name_(std::move(name)) {}
  virtual ~Timer() = default;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  int32_t Interval() const { return interval_; }
  virtual void SetInterval(int32_t milliseconds);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  // The runtime's clock fired.
  void Tick();

 protected:
  // The runtime's clock: fire Tick every periodMs from now on, replacing any earlier period.
  virtual void Arm(uint32_t periodMs) = 0;
  virtual void Disarm() = 0;

 private:
  void Rearm();

  std::string name_;
  int32_t interval_ = 0;
  bool enabled_ = true;
  bool inHandler_ = false;
  std::function<void()> handler_;
};

}  // namespace dorvane
