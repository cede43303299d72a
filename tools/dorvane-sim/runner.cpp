#include "runner.h"

#include <filesystem>

#include "line_matcher.h"
#include "quoting.h"
#include "sim_views.h"
#include "sound_file.h"

namespace scenario {
namespace {

using dorvane::MenuItem;

constexpr sim::Micros kKeySpacing = 200 * sim::kMicrosPerMilli;

// Mouse codes of the tray notifications, in the order the shell sends them.
std::vector<int> TrayCodes(const std::string& action) {
  if (action == "right") return {516, 517};
  if (action == "left") return {513, 514};
  if (action == "double") return {513, 514, 515, 514};
  return {512};
}

std::string Describe(const Command& check) {
  const bool negated = check.op == Op::ExpectNo || check.op == Op::ExpectNoRegex;
  const bool regex = check.op == Op::ExpectRegex || check.op == Op::ExpectNoRegex;
  return std::string("expect ") + (negated ? "no " : "") + (regex ? "~ " : "") +
         sim::Quote(check.text);
}

}  // namespace

Runner::Runner(std::string scriptPath, std::vector<Command> commands, std::ostream& transcript,
               std::ostream& errors)
    : scriptPath_(std::move(scriptPath)),
      commands_(std::move(commands)),
      errors_(errors),
      world_(transcript) {
  world_.Screen().SetMenuChooser([this](const MenuItem& menu) { return ChooseFromMenu(menu); });
}

int Runner::Run() {
  try {
    while (next_ < commands_.size()) {
      const Command& command = commands_[next_++];
      Execute(command);
      const std::string mismatch = world_.SearchFlagMismatch();
      if (!mismatch.empty()) {
        errors_ << scriptPath_ << ":" << command.line << ": " << mismatch << '\n';
        return kRunnerFailed;
      }
    }
  } catch (const Stop& stop) {
    return stop.status;
  }
  return kAllHeld;
}

void Runner::ScriptError(const Command& command, const std::string& reason) {
  errors_ << scriptPath_ << ":" << command.line << ": " << reason << '\n';
  throw Stop{kScriptError};
}

std::string Runner::ScriptFile(const std::string& name) const {
  const std::filesystem::path path(name);
  if (path.is_absolute()) return name;
  return (std::filesystem::path(scriptPath_).parent_path() / path).string();
}

void Runner::Execute(const Command& command) {
  switch (command.op) {
    case Op::Expect:
    case Op::ExpectRegex:
    case Op::ExpectNo:
    case Op::ExpectNoRegex:
    case Op::State:
    case Op::Show:
      ExecuteCheck(command);
      return;
    case Op::Start:
    case Op::Wait:
    case Op::Key:
    case Op::ModemSays:
    case Op::PortEvent:
    case Op::Incoming:
    case Op::Chat:
    case Op::WindowText:
    case Op::WindowClose:
    case Op::WindowUnreadable:
    case Op::WindowReadable:
      ExecuteEvent(command);
      return;
    case Op::Tray:
    case Op::TrayDuringWait:
    case Op::Menu:
    case Op::DialogSet:
    case Op::DialogClick:
    case Op::DialogClose:
    case Op::About:
      ExecuteProgramEvent(command);
      return;
    default:
      ExecuteWorld(command);
  }
}

void Runner::ExecuteWorld(const Command& command) {
  sim::World& world = world_;
  switch (command.op) {
    case Op::FileBytes:
      world.Files().Put(command.name, command.text);
      break;
    case Op::FileAbsent:
      world.Files().Remove(command.name);
      break;
    case Op::FileBlocked:
      world.Files().Block(command.name);
      break;
    case Op::MessengerSignedOut:
      world.Messenger().SetStatus(dorvane::kStatusOffline);
      break;
    case Op::MessengerStatus:
      world.Messenger().SetStatus(static_cast<int32_t>(command.number));
      break;
    case Op::MessengerContact:
      world.Messenger().AddContact(command.name, command.text);
      break;
    case Op::MessengerFails:
      world.Messenger().FailNext(command.name);
      break;
    case Op::ModemAnswers:
      world.Serial().SetAnswer(command.text, command.more);
      break;
    case Op::DiskFull:
    case Op::DiskFree:
      world.Files().SetDiskFull(command.op == Op::DiskFull);
      break;
    case Op::ModemSilent:
      world.Serial().SetSilent();
      break;
    case Op::PortMissing:
      world.Serial().SetMissing(static_cast<int>(command.number));
      break;
    case Op::PortBusy:
      world.Serial().SetBusy(static_cast<int>(command.number));
      break;
    case Op::InstanceRunning:
      if (world.Gate().Started()) ScriptError(command, "instance running comes before start");
      world.Screen().SetPrevInstance(true);
      break;
    case Op::LinePlay: {
      const sim::LineRecording recording = sim::ReadLineRecording(ScriptFile(command.name));
      if (!recording.error.empty()) ScriptError(command, recording.error);
      world.Line().Play(recording.samples, world.Loop().Now());
      break;
    }
    case Op::LineDial: {
      std::vector<uint8_t> samples;
      if (!sim::DialSamples(command.text, static_cast<uint32_t>(command.number), samples)) {
        ScriptError(command, "cannot dial " + sim::Quote(command.text));
      }
      world.Line().Play(std::move(samples), world.Loop().Now());
      break;
    }
    case Op::WindowRefusesFront:
    case Op::WindowLosesFront:
    case Op::WindowAcceptsFront: {
      sim::Conversation& window = WindowOf(command);
      window.refusesFront = command.op == Op::WindowRefusesFront;
      window.losesFront = command.op == Op::WindowLosesFront;
      break;
    }
    default:
      ScriptError(command, "not a world command");
  }
}

sim::Conversation& Runner::WindowOf(const Command& command) {
  sim::Conversation* window = world_.Messenger().Window(static_cast<int>(command.number));
  if (!window) ScriptError(command, "there is no window " + std::to_string(command.number));
  return *window;
}

void Runner::ExecuteEvent(const Command& command) {
  sim::World& world = world_;
  const sim::Micros now = world.Loop().Now();
  if (command.op == Op::Wait) {
    world.RunUntil(now + command.number * sim::kMicrosPerMilli);
    return;
  }
  if (world.Gate().Ended()) ScriptError(command, "the program has ended");
  switch (command.op) {
    case Op::Start:
      if (world.Gate().Started()) ScriptError(command, "the program has already started");
      world.Start();
      return;
    case Op::Key:
      for (char symbol : command.text) {
        world.Hear(symbol);
        world.RunUntil(world.Loop().Now() + kKeySpacing);
      }
      return;
    case Op::ModemSays:
      world.Serial().ModemSays(command.text);
      break;
    case Op::PortEvent:
      world.Serial().RaiseEvent(command.name);
      break;
    case Op::Incoming:
      world.Messenger().Incoming(command.name);
      break;
    case Op::Chat:
      world.Messenger().Chat(command.name, command.text);
      break;
    case Op::WindowText:
      WindowOf(command).text += command.text;
      break;
    case Op::WindowClose:
      WindowOf(command).closed = true;
      break;
    case Op::WindowUnreadable:
    case Op::WindowReadable:
      WindowOf(command).unreadable = command.op == Op::WindowUnreadable;
      break;
    default:
      ScriptError(command, "not an event");
  }
  world.RunUntil(world.Loop().Now());
}

dorvane::Dorvane_frm& Runner::RunningProgram(const Command& command) {
  if (world_.Gate().Ended()) ScriptError(command, "the program has ended");
  if (!world_.Gate().Started()) ScriptError(command, "the program has not started");
  return *world_.Program();
}

void Runner::ExecuteProgramEvent(const Command& command) {
  dorvane::Dorvane_frm& program = RunningProgram(command);
  switch (command.op) {
    case Op::Tray:
      if (!world_.Screen().HasTrayIcon()) ScriptError(command, "there is no tray icon");
      for (int code : TrayCodes(command.name)) {
        if (world_.Gate().Ended()) break;
        const float x = static_cast<float>(code * world_.Screen().TwipsPerPixelX());
        world_.Act([&program, x] { program.Form_MouseDown(4, 0, x, 0); });
      }
      return;
    case Op::TrayDuringWait:
      if (!world_.Screen().HasTrayIcon()) ScriptError(command, "there is no tray icon");
      if (next_ < commands_.size() && commands_[next_].op == Op::Menu) {
        heldMenuChoice_ = commands_[next_++];
      }
      world_.Screen().AtNextWait([this, action = command.name] { PostTrayAction(action); });
      return;
    case Op::Menu:
      ScriptError(command, "no popup menu is open");
    case Op::DialogSet: {
      auto* window = static_cast<sim::SimPreferenceWindow*>(program.PreferenceDialog().Window());
      if (!window) ScriptError(command, "the settings dialog is not open");
      std::string reason;
      if (!window->Enter(command.name, command.text, reason)) ScriptError(command, reason);
      return;
    }
    case Op::DialogClick:
    case Op::DialogClose: {
      dorvane::Preference& dialog = program.PreferenceDialog();
      if (!dialog.IsLoaded()) ScriptError(command, "the settings dialog is not open");
      if (command.op == Op::DialogClose) {
        world_.Act([&dialog] { dialog.OnCloseBox(); });
      } else if (command.name == "OK") {
        world_.Act([&dialog] { dialog.Cmd_OK_Click(); });
      } else {
        world_.Act([&dialog] { dialog.Cmd_Cancel_Click(); });
      }
      return;
    }
    case Op::About: {
      dorvane::frmAbout& about = program.AboutBox();
      if (!about.IsLoaded()) ScriptError(command, "the About box is not open");
      if (command.name == "ok") {
        world_.Act([&about] { about.cmdOK_Click(); });
      } else {
        world_.Act([&about] { about.OnCloseBox(); });
      }
      return;
    }
    default:
      ScriptError(command, "not an event of the program");
  }
}

void Runner::PostTrayAction(const std::string& action) {
  for (int code : TrayCodes(action)) {
    const float x = static_cast<float>(code * world_.Screen().TwipsPerPixelX());
    world_.Loop().Post([this, x] {
      if (dorvane::Dorvane_frm* program = world_.Program()) {
        world_.Gate().Deliver([program, x] { program->Form_MouseDown(4, 0, x, 0); });
      }
    });
  }
}

const MenuItem* Runner::ChooseFromMenu(const MenuItem& menu) {
  std::optional<Command> choice;
  choice.swap(heldMenuChoice_);
  if (!choice) {
    if (next_ >= commands_.size() || commands_[next_].op != Op::Menu) return nullptr;
    choice = commands_[next_++];
  }
  const MenuItem* item = sim::FindVisibleItem(menu, choice->text);
  if (!item) ScriptError(*choice, "the menu has no item " + sim::Quote(choice->text));
  return item;
}

void Runner::ExecuteCheck(const Command& command) {
  switch (command.op) {
    case Op::State:
      PrintState();
      return;
    case Op::Show:
      world_.Log().Add("file", world_.Files().Describe(command.name));
      return;
    default:
      Expect(command);
  }
}

void Runner::PrintState() {
  dorvane::Dorvane_frm* program = world_.Program();
  const dorvane::SharedState state = program ? program->State() : dorvane::SharedState{};
  const std::string buffer = program ? program->DtmfBuffer() : "";
  world_.Log().Add("state", "InCall=" + std::to_string(state.InCall) +
                                " DtmfSearchOn=" + std::to_string(state.DtmfSearchOn) +
                                " Timer1=" + std::to_string(world_.Timer1().Interval()) +
                                " Timer2=" + std::to_string(world_.Timer2().Interval()) +
                                " DtmfBuffer=" + sim::Quote(buffer) +
                                " PhoneCount=" + std::to_string(state.PhoneCount));
}

void Runner::Expect(const Command& command) {
  sim::Transcript& log = world_.Log();
  const bool negated = command.op == Op::ExpectNo || command.op == Op::ExpectNoRegex;
  const LineMatcher matcher(command.text,
                            command.op == Op::ExpectRegex || command.op == Op::ExpectNoRegex);
  for (size_t index = matched_; index < log.End(); ++index) {
    if (!matcher.Matches(log.Line(index))) continue;
    if (negated) ExpectFailed(command, "this line matches", index, index + 1);
    matched_ = index + 1;
    log.ForgetBefore(matched_);
    return;
  }
  if (!negated) ExpectFailed(command, "no line matches", matched_, log.End());
}

void Runner::ExpectFailed(const Command& command, const std::string& what, size_t from, size_t to) {
  const sim::Transcript& log = world_.Log();
  errors_ << scriptPath_ << ":" << command.line << ": " << Describe(command) << " failed: " << what
          << (to > from ? ":" : " (no lines since the last match)") << '\n';
  for (size_t index = from; index < to; ++index) errors_ << "  " << log.Line(index) << '\n';
  throw Stop{kExpectFailed};
}

}  // namespace scenario
