// The simulated world of the bridge: the program's form and every outside part it talks to, on
// one virtual clock. The scenario runner drives it, one command at a time.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dorvane_frm.h"
#include "event_loop.h"
#include "line_feed.h"
#include "program_gate.h"
#include "sim_desktop.h"
#include "sim_files.h"
#include "sim_messenger.h"
#include "sim_serial.h"
#include "sim_timer.h"
#include "sim_tone_detector.h"
#include "transcript.h"

namespace sim {

class World {
 public:
  // A fresh world: the program folder holding the program's own back1.jpg, a signed-in
  // messenger without contacts, a modem that answers OK, a line in silence.
  explicit World(std::ostream& transcriptOut);
  ~World();

  EventLoop& Loop() { return loop_; }
  Transcript& Log() { return transcript_; }
  SimFiles& Files() { return files_; }
  SimSerial& Serial() { return serial_; }
  SimMessenger& Messenger() { return messenger_; }
  SimDesktop& Screen() { return desktop_; }
  const dorvane::Timer& Timer1() const { return timer1_; }
  const dorvane::Timer& Timer2() const { return timer2_; }
  LineFeed& Line() { return line_; }
  ProgramGate& Gate() { return gate_; }
  // The program's form and the control on it, from the start on; null before.
  dorvane::Dorvane_frm* Program() { return form_.get(); }
  SimToneDetector* Detector() { return detector_.get(); }

  // The program starts: its window loads with the control on it.
  void Start();
  // Runs a handler of the program now, then what it left due now.
  void Act(const std::function<void()>& handler);
  // The tone detector hears a symbol on the line.
  void Hear(char symbol);
  // Lets time pass to `until`, running everything due.
  void RunUntil(Micros until);
  // Whether DtmfSearchOn tells the truth about the control; empty when it does.
  std::string SearchFlagMismatch();

 private:
  // Once the program has ended, its window and the control on it are gone.
  void ReleaseEndedProgram();

  EventLoop loop_;
  Transcript transcript_;
  ProgramGate gate_;
  SimFiles files_;
  SimSerial serial_;
  SimMessenger messenger_;
  SimDesktop desktop_;
  SimTimer timer1_;
  SimTimer timer2_;
  LineFeed line_;
  std::unique_ptr<SimToneDetector> detector_;
  std::unique_ptr<dorvane::Dorvane_frm> form_;
};

}  // namespace sim
