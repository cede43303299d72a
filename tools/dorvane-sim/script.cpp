#include "script.h"

#include <utility>

#include "script_args.h"
#include "script_checks.h"
#include "script_tokens.h"

namespace scenario {
namespace {

const std::vector<std::string> kMembers = {"create",     "MyStatus",   "GetContact",
                                           "StartVoice", "MyContacts", "History",
                                           "IsClosed",   "Close",      "HWND"};
const std::vector<std::string> kPortKinds = {"CD", "CTS", "DSR", "RING", "BREAK", "ERR"};
const std::vector<std::string> kTrayActions = {"right", "left", "double", "move"};
const std::vector<std::string> kDialogControls = {"Cmb_Com", "Txt_MDN", "Cmb_MAC"};
constexpr int64_t kDefaultDialGap = 100;

LineError Unknown(const std::string& command, const std::string& word) {
  return LineError("unknown " + command + " command '" + word + "'");
}

Command Make(Op op) {
  Command command;
  command.op = op;
  return command;
}

Command WithName(Op op, std::string name) {
  Command command = Make(op);
  command.name = std::move(name);
  return command;
}

Command WithText(Op op, std::string text) {
  Command command = Make(op);
  command.text = std::move(text);
  return command;
}

Command WithNumber(Op op, int64_t number) {
  Command command = Make(op);
  command.number = number;
  return command;
}

Command ParseFile(ArgReader& args) {
  Command command = WithName(Op::FileBytes, args.Word("NAME"));
  CheckFolderFileName(command.name);
  if (args.NextIsString()) {
    command.text = args.String("\"BYTES\"");
  } else {
    const std::string what = args.Word("\"BYTES\", absent or blocked");
    if (what == "absent") {
      command.op = Op::FileAbsent;
    } else if (what == "blocked") {
      command.op = Op::FileBlocked;
    } else {
      throw LineError("expected \"BYTES\", absent or blocked, got '" + what + "'");
    }
  }
  return command;
}

Command ParseMessenger(ArgReader& args) {
  const std::string what = args.Word("signed-out, status, contact, contact-quoted or fails");
  if (what == "signed-out") return Make(Op::MessengerSignedOut);
  if (what == "status") return WithNumber(Op::MessengerStatus, args.Number("status", 0));
  if (what == "contact" || what == "contact-quoted") {
    const bool quoted = what == "contact-quoted";
    Command command =
        WithName(Op::MessengerContact, quoted ? args.String("\"SIGNIN\"") : args.Word("SIGNIN"));
    command.text = args.String("\"FRIENDLY\"");
    return command;
  }
  if (what == "fails") return WithName(Op::MessengerFails, args.OneOf("MEMBER", kMembers));
  throw Unknown("messenger", what);
}

Command ParseModem(ArgReader& args) {
  const std::string what = args.Word("answers, silent or says");
  if (what == "silent") return Make(Op::ModemSilent);
  if (what == "says") return WithText(Op::ModemSays, args.String("\"TEXT\""));
  if (what == "answers") {
    Command command = WithText(Op::ModemAnswers, args.String("\"TEXT\""));
    while (!args.AtEnd()) command.more.push_back(args.String("\"TEXT\""));
    return command;
  }
  throw Unknown("modem", what);
}

Command ParsePort(ArgReader& args) {
  if (args.NextIsWord("event")) {
    args.Word("event");
    return WithName(Op::PortEvent, args.OneOf("KIND", kPortKinds));
  }
  Command command = WithNumber(Op::PortMissing, args.Number("port N", 1));
  const std::string what = args.Word("missing or busy");
  if (what == "busy") {
    command.op = Op::PortBusy;
  } else if (what != "missing") {
    throw Unknown("port", what);
  }
  return command;
}

Command ParseLine(ArgReader& args) {
  const std::string what = args.Word("play or dial");
  if (what == "play") return WithName(Op::LinePlay, args.Path("FILE"));
  if (what != "dial") throw Unknown("line", what);
  Command command = WithText(Op::LineDial, args.String("\"SYMBOLS\""));
  CheckDialSymbols(command.text);
  command.number = kDefaultDialGap;
  if (!args.AtEnd()) {
    const std::string gap = args.Word("gap=MS");
    const std::string prefix = "gap=";
    if (gap.compare(0, prefix.size(), prefix) != 0) {
      throw LineError("expected gap=MS, got '" + gap + "'");
    }
    command.number = ParseNumber("gap", gap.substr(prefix.size()), 0);
  }
  return command;
}

Command ParseWindow(ArgReader& args) {
  Command command = WithNumber(Op::WindowClose, args.Number("window N", 1));
  const std::string what =
      args.Word("text, close, readable, unreadable, refuses-front, loses-front or accepts-front");
  if (what == "refuses-front") {
    command.op = Op::WindowRefusesFront;
  } else if (what == "loses-front") {
    command.op = Op::WindowLosesFront;
  } else if (what == "accepts-front") {
    command.op = Op::WindowAcceptsFront;
  } else if (what == "text") {
    command.op = Op::WindowText;
    command.text = args.String("\"TEXT\"");
  } else if (what == "unreadable") {
    command.op = Op::WindowUnreadable;
  } else if (what == "readable") {
    command.op = Op::WindowReadable;
  } else if (what != "close") {
    throw Unknown("window", what);
  }
  return command;
}

Command ParseDialog(ArgReader& args) {
  const std::string what = args.Word("set, click or close");
  if (what == "close") return Make(Op::DialogClose);
  if (what == "click") return WithName(Op::DialogClick, args.OneOf("button", {"OK", "Cancel"}));
  if (what == "set") {
    Command command = WithName(Op::DialogSet, args.OneOf("CONTROL", kDialogControls));
    command.text = args.String("\"TEXT\"");
    return command;
  }
  throw Unknown("dialog", what);
}

Command ParseExpect(ArgReader& args) {
  const bool no = args.NextIsWord("no");
  if (no) args.Word("no");
  const bool regex = args.NextIsWord("~");
  if (regex) args.Word("~");
  const Op op =
      no ? (regex ? Op::ExpectNoRegex : Op::ExpectNo) : (regex ? Op::ExpectRegex : Op::Expect);
  Command command = WithText(op, args.String(regex ? "'REGEX'" : "'TEXT'"));
  if (regex) CheckRegex(command.text);
  return command;
}

Command ParseKey(ArgReader& args) {
  Command command = WithText(Op::Key, args.String("\"SYMBOLS\""));
  CheckKeySymbols(command.text);
  return command;
}

Command ParseChat(ArgReader& args) {
  Command command = WithName(Op::Chat, args.Word("SIGNIN"));
  command.text = args.String("\"TEXT\"");
  return command;
}

// Reads the arguments after the command word; the caller checks nothing is left over.
Command ParseArguments(const std::string& word, ArgReader& args) {
  if (word == "file") return ParseFile(args);
  if (word == "messenger") return ParseMessenger(args);
  if (word == "modem") return ParseModem(args);
  if (word == "port") return ParsePort(args);
  if (word == "line") return ParseLine(args);
  if (word == "window") return ParseWindow(args);
  if (word == "dialog") return ParseDialog(args);
  if (word == "expect") return ParseExpect(args);
  if (word == "key") return ParseKey(args);
  if (word == "chat") return ParseChat(args);
  if (word == "start") return Make(Op::Start);
  if (word == "state") return Make(Op::State);
  if (word == "instance") {
    const std::string what = args.Word("running");
    if (what != "running") throw Unknown("instance", what);
    return Make(Op::InstanceRunning);
  }
  if (word == "disk") {
    return Make(args.OneOf("full or free", {"full", "free"}) == "full" ? Op::DiskFull
                                                                       : Op::DiskFree);
  }
  if (word == "wait") return WithNumber(Op::Wait, args.Number("MS", 0));
  if (word == "incoming") return WithName(Op::Incoming, args.Word("SIGNIN"));
  if (word == "tray") {
    Command command = WithName(Op::Tray, args.OneOf("tray action", kTrayActions));
    if (!args.AtEnd()) {
      const std::string when = args.Word("during-wait");
      if (when != "during-wait") throw LineError("expected during-wait, got '" + when + "'");
      command.op = Op::TrayDuringWait;
    }
    return command;
  }
  if (word == "menu") return WithText(Op::Menu, args.String("\"CAPTION\""));
  if (word == "about") return WithName(Op::About, args.OneOf("about button", {"ok", "close"}));
  if (word == "show") {
    Command command = WithName(Op::Show, args.Path("FILE"));
    CheckFolderFileName(command.name);
    return command;
  }
  throw LineError("unknown command '" + word + "'");
}

Command ParseCommand(std::vector<Token> tokens) {
  if (tokens.front().quoted) throw LineError("a command starts with a word, not a string");
  const std::string word = tokens.front().text;
  tokens.erase(tokens.begin());
  ArgReader args(std::move(tokens));
  Command command = ParseArguments(word, args);
  args.Finish();
  return command;
}

}  // namespace

bool ParseScript(const std::string& source, std::vector<Command>& commands, ParseError& error) {
  commands.clear();
  int lineNumber = 0;
  for (size_t start = 0; start < source.size();) {
    size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    std::string line = source.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    std::vector<Token> tokens;
    std::string reason;
    if (!SplitScriptLine(line, tokens, reason)) {
      error = {lineNumber, reason};
      return false;
    }
    if (tokens.empty()) continue;
    try {
      commands.push_back(ParseCommand(std::move(tokens)));
    } catch (const LineError& lineError) {
      error = {lineNumber, lineError.what()};
      return false;
    }
    commands.back().line = lineNumber;
  }
  return true;
}

}  // namespace scenario
