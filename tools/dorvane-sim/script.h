// A dorvane-sim script, parsed: one command a line, checked for form before anything runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scenario {

enum class Op {
  // The world.
  FileBytes,           // file NAME "BYTES"          name, text
  FileAbsent,          // file NAME absent           name
  FileBlocked,         // file NAME blocked          name
  MessengerSignedOut,  // messenger signed-out
  MessengerStatus,     // messenger status N         number
  MessengerContact,    // messenger contact SIGNIN "FRIENDLY"   name, text
                       // messenger contact-quoted "SIGNIN" "FRIENDLY"
  MessengerFails,      // messenger fails MEMBER     name (one of the listed members)
  ModemAnswers,        // modem answers "TEXT" ["TEXT"...]   text, more (the later pieces)
  ModemSilent,         // modem silent
  PortMissing,         // port N missing             number
  PortBusy,            // port N busy                number
  InstanceRunning,     // instance running
  LinePlay,            // line play FILE             name (the path as written)
  LineDial,            // line dial "SYMBOLS" [gap=MS]   text, number (gap, default 100)
  WindowRefusesFront,  // window N refuses-front     number
  WindowAcceptsFront,  // window N accepts-front     number
  WindowLosesFront,    // window N loses-front       number
  DiskFull,            // disk full
  DiskFree,            // disk free
  // Events.
  Start,             // start
  Wait,              // wait MS                    number
  Key,               // key "SYMBOLS"              text (each of 0-9 A-D * # P)
  ModemSays,         // modem says "TEXT"          text
  PortEvent,         // port event KIND            name (CD CTS DSR RING BREAK ERR)
  Incoming,          // incoming SIGNIN            name
  Chat,              // chat SIGNIN "TEXT"         name, text
  WindowText,        // window N text "TEXT"       number, text
  WindowClose,       // window N close             number
  WindowUnreadable,  // window N unreadable        number
  WindowReadable,    // window N readable          number
  Tray,              // tray right|left|double|move   name
  TrayDuringWait,    // tray ACTION during-wait    name
  Menu,              // menu "CAPTION"             text
  DialogSet,         // dialog set CONTROL "TEXT"  name (Cmb_Com Txt_MDN Cmb_MAC), text
  DialogClick,       // dialog click OK|Cancel     name
  DialogClose,       // dialog close
  About,             // about ok|close             name
  // Checks.
  Expect,         // expect 'TEXT'              text
  ExpectRegex,    // expect ~ 'REGEX'           text
  ExpectNo,       // expect no 'TEXT'           text
  ExpectNoRegex,  // expect no ~ 'REGEX'        text
  State,          // state
  Show,           // show FILE                  name
};

struct Command {
  Op op;
  int line = 0;                   // 1-based line of the script
  std::string name;               // NAME, SIGNIN, MEMBER, KIND, CONTROL, FILE, or the chosen word
  std::string text;               // a string argument, escapes resolved (bytes, UTF-8 as written)
  int64_t number = 0;             // N, MS, or the gap of line dial
  std::vector<std::string> more;  // the strings after the first, where a command takes several
};

struct ParseError {
  int line = 0;
  std::string reason;
};

// Parses a whole script. On failure returns false and fills `error` with the first offending
// line and why; `commands` is then unspecified.
bool ParseScript(const std::string& source, std::vector<Command>& commands, ParseError& error);

}  // namespace scenario
