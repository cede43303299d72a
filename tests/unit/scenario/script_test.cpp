#include "script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quoting.h"

namespace {

using scenario::Command;
using scenario::Op;

struct Expected {
  Op op;
  int line;
  std::string name;
  std::string text;
  int64_t number;
};

std::vector<Command> ParseOk(const std::string& source) {
  std::vector<Command> commands;
  scenario::ParseError error;
  EXPECT_TRUE(scenario::ParseScript(source, commands, error))
      << "line " << error.line << ": " << error.reason;
  return commands;
}

void ExpectCommands(const std::vector<Command>& actual, const std::vector<Expected>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("command " + std::to_string(i));
    EXPECT_EQ(actual[i].op, expected[i].op);
    EXPECT_EQ(actual[i].line, expected[i].line);
    EXPECT_EQ(actual[i].name, expected[i].name);
    EXPECT_EQ(actual[i].text, expected[i].text);
    EXPECT_EQ(actual[i].number, expected[i].number);
  }
}

TEST(Script, ReadsEveryKindOfCommandOfARealisticScenario) {
  const std::string source =
      "messenger contact alice@example.com \"Alice\"\n"
      "messenger status 50\n"
      "messenger signed-out\n"
      "messenger fails StartVoice\n"
      "file DVN.ini \"2\\r\\n*0\\r\\nATD0;\\r\\n\"\n"
      "file back1.jpg absent\n"
      "file PhoneLst.txt blocked\n"
      "modem answers \"\\r\\nOK\\r\\n\"\n"
      "modem silent\n"
      "port 3 missing\n"
      "port 4 busy\n"
      "instance running\n"
      "window 2 refuses-front\n"
      "window 2 accepts-front\n"
      "start\n"
      "line play sounds/call.wav\n"
      "line dial \"*002\" gap=40\n"
      "wait 2000\n"
      "key \"1P#\"\n"
      "modem says \"\\r\\nRING\\r\\n\"\n"
      "port event RING\n"
      "incoming bob@example.com\n"
      "chat bob@example.com \"hi\"\n"
      "window 1 text \"The call has ended.\"\n"
      "window 1 unreadable\n"
      "window 1 readable\n"
      "window 1 close\n"
      "tray right\n"
      "menu \"Preference(&P)\"\n"
      "dialog set Txt_MDN \"*0\"\n"
      "dialog click Cancel\n"
      "dialog close\n"
      "about close\n"
      "expect 'modem <- \"ATH\\r\"'\n"
      "expect ~ '^\\[[0-9]+\\.[0-9]{3}\\] port open COM(1|2)$'\n"
      "expect no 'desktop end'\n"
      "expect no ~ 'error [0-9]+'\n"
      "state\n"
      "show DVN.ini\n"
      "tray right during-wait\n"
      "messenger contact-quoted \"a b,c\\r\\n\" \"A\"\n";
  ExpectCommands(ParseOk(source),
                 {{Op::MessengerContact, 1, "alice@example.com", "Alice", 0},
                  {Op::MessengerStatus, 2, "", "", 50},
                  {Op::MessengerSignedOut, 3, "", "", 0},
                  {Op::MessengerFails, 4, "StartVoice", "", 0},
                  {Op::FileBytes, 5, "DVN.ini", "2\r\n*0\r\nATD0;\r\n", 0},
                  {Op::FileAbsent, 6, "back1.jpg", "", 0},
                  {Op::FileBlocked, 7, "PhoneLst.txt", "", 0},
                  {Op::ModemAnswers, 8, "", "\r\nOK\r\n", 0},
                  {Op::ModemSilent, 9, "", "", 0},
                  {Op::PortMissing, 10, "", "", 3},
                  {Op::PortBusy, 11, "", "", 4},
                  {Op::InstanceRunning, 12, "", "", 0},
                  {Op::WindowRefusesFront, 13, "", "", 2},
                  {Op::WindowAcceptsFront, 14, "", "", 2},
                  {Op::Start, 15, "", "", 0},
                  {Op::LinePlay, 16, "sounds/call.wav", "", 0},
                  {Op::LineDial, 17, "", "*002", 40},
                  {Op::Wait, 18, "", "", 2000},
                  {Op::Key, 19, "", "1P#", 0},
                  {Op::ModemSays, 20, "", "\r\nRING\r\n", 0},
                  {Op::PortEvent, 21, "RING", "", 0},
                  {Op::Incoming, 22, "bob@example.com", "", 0},
                  {Op::Chat, 23, "bob@example.com", "hi", 0},
                  {Op::WindowText, 24, "", "The call has ended.", 1},
                  {Op::WindowUnreadable, 25, "", "", 1},
                  {Op::WindowReadable, 26, "", "", 1},
                  {Op::WindowClose, 27, "", "", 1},
                  {Op::Tray, 28, "right", "", 0},
                  {Op::Menu, 29, "", "Preference(&P)", 0},
                  {Op::DialogSet, 30, "Txt_MDN", "*0", 0},
                  {Op::DialogClick, 31, "Cancel", "", 0},
                  {Op::DialogClose, 32, "", "", 0},
                  {Op::About, 33, "close", "", 0},
                  {Op::Expect, 34, "", "modem <- \"ATH\\r\"", 0},
                  {Op::ExpectRegex, 35, "", "^\\[[0-9]+\\.[0-9]{3}\\] port open COM(1|2)$", 0},
                  {Op::ExpectNo, 36, "", "desktop end", 0},
                  {Op::ExpectNoRegex, 37, "", "error [0-9]+", 0},
                  {Op::State, 38, "", "", 0},
                  {Op::Show, 39, "DVN.ini", "", 0},
                  {Op::TrayDuringWait, 40, "right", "", 0},
                  {Op::MessengerContact, 41, "a b,c\r\n", "A", 0}});
}

TEST(Script, CommentsBlanksLineEndsAndBothQuoteStyles) {
  const std::string source =
      "# a scenario\r\n"
      "\r\n"
      "   \t\n"
      "key \"*001#\"   # the hash inside quotes is a symbol\r\n"
      "wait 100   # note\n"
      "\tkey\t'#'\t#\ttabs separate too\n"
      "file a#b 'C:\\Dorvane\\x41\"'\n"
      "file \xE9\x9B\xBB\xE8\xA9\xB1.txt \"absent\"\n"
      "expect \"\\x41\\x1b\\x00\\r\\n\\t\\\"\\\\ \xE9\x9B\xBB\"\n"
      "line dial \"\"\n"
      "line play \"my sounds/ring tone.wav\"\n"
      "show 'PhoneLst.txt'\n"
      "messenger status 0";  // no line end on the last line
  ExpectCommands(ParseOk(source),
                 {{Op::Key, 4, "", "*001#", 0},
                  {Op::Wait, 5, "", "", 100},
                  {Op::Key, 6, "", "#", 0},
                  {Op::FileBytes, 7, "a#b", "C:\\Dorvane\\x41\"", 0},
                  {Op::FileBytes, 8, "\xE9\x9B\xBB\xE8\xA9\xB1.txt", "absent", 0},
                  {Op::Expect, 9, "", std::string("A\x1b\0\r\n\t\"\\ \xE9\x9B\xBB", 12), 0},
                  {Op::LineDial, 10, "", "", 100},
                  {Op::LinePlay, 11, "my sounds/ring tone.wav", "", 0},
                  {Op::Show, 12, "PhoneLst.txt", "", 0},
                  {Op::MessengerStatus, 13, "", "", 0}});
}

TEST(Script, MalformedLinesAreReportedWithTheirLineAndReason) {
  struct Case {
    std::string source;
    int line;
    std::string reason;  // a part of the reason
  };
  const std::vector<Case> cases = {
      {"start\nfoo\n", 2, "unknown command 'foo'"},
      {"# c\r\n\r\nkey \"12E\"\r\n", 3, "key symbol 'E' is not one of 0-9 A-D * # P"},
      {"key \"\"", 1, "at least one symbol"},
      {"key 123", 1, "in quotes"},
      {"line dial \"1P\"", 1, "dial symbol 'P'"},
      {"line dial \"1\" gap=", 1, "number for gap"},
      {"line dial \"1\" gap=5 gap=6", 1, "extra argument 'gap=6'"},
      {"line play \"\"", 1, "FILE is empty"},
      {"wait 100 200", 1, "extra argument '200'"},
      {"wait", 1, "missing MS"},
      {"wait -5", 1, "number for MS"},
      {"wait 99999999999", 1, "too large"},
      {"window 0 close", 1, "at least 1"},
      {"window 1 opens", 1, "unknown window command 'opens'"},
      {"port 0 busy", 1, "at least 1"},
      {"port event RING2", 1, "KIND 'RING2' is not one of"},
      {"port 2 gone", 1, "unknown port command 'gone'"},
      {"messenger fails GetContacts", 1, "MEMBER 'GetContacts' is not one of"},
      {"messenger contact \"bob\" \"Bob\"", 1, "bare word"},
      {"messenger status", 1, "missing status"},
      {"modem shouts \"x\"", 1, "unknown modem command 'shouts'"},
      {"tray middle", 1, "not one of right left double move"},
      {"tray right later", 1, "expected during-wait"},
      {"messenger contact-quoted bob \"Bob\"", 1, "SIGNIN"},
      {"dialog set Cmb_Baud \"1\"", 1, "CONTROL 'Cmb_Baud'"},
      {"dialog click Apply", 1, "'Apply' is not one of OK Cancel"},
      {"about cancel", 1, "'cancel' is not one of ok close"},
      {"instance stopped", 1, "unknown instance command"},
      {"file ../x \"a\"", 1, "slash"},
      {"file a\\b absent", 1, "slash"},
      {"file .. absent", 1, "not a plain file name"},
      {"file ... absent", 1, "not a plain file name"},
      {"file .." + std::string(1, '\0') + "x absent", 1, "'..\\x00x' is not a plain file name"},
      {"file a\x01"
       "b \"x\"",
       1, "not a plain file name"},
      {"file a\x7F"
       "b blocked",
       1, "not a plain file name"},
      {"show \"..\\x00x\"", 1, "'..\\x00x' is not a plain file name"},
      {"show \"sub/DVN.ini\"", 1, "not a plain file name"},
      {"show \"\\t\"", 1, "not a plain file name"},
      {"show .", 1, "not a plain file name"},
      {"file x present", 1, "absent or blocked"},
      {"expect ~ 'a(b'", 1, "does not compile"},
      {"expect no ~ '[z-a]'", 1, "does not compile"},
      {"expect ~ 'a" + std::string(40, '+') + "'", 1, "repeats too much"},
      {"expect ~ '(a{100}){100}'", 1, "repeats too much"},
      {"expect no ~ '((x+)+)+(y{9}){500}'", 1, "repeats too much"},
      {"expect ~ '(a)\\1'", 1, "back-reference"},
      {"expect no", 1, "missing 'TEXT'"},
      {"expect 'a' 'b'", 1, "extra argument 'b'"},
      {"start\nmenu \"Exit\\q\"\n", 2, "unknown escape '\\q'"},
      {"menu \"\\x4\"", 1, "two hex digits"},
      {"chat bob \"unterminated", 1, "unterminated"},
      {"chat bob 'it's'", 1, "after the closing quote"},
      {"chat bob\"hi\"", 1, "quote inside the word"},
      {"\"start\"", 1, "starts with a word"},
      {"start\nstart\nstate now\n", 3, "extra argument 'now'"},
  };
  for (const Case& c : cases) {
    std::vector<Command> commands;
    scenario::ParseError error;
    EXPECT_FALSE(scenario::ParseScript(c.source, commands, error)) << c.source;
    EXPECT_EQ(error.line, c.line) << c.source;
    EXPECT_NE(error.reason.find(c.reason), std::string::npos)
        << c.source << "\nreason: " << error.reason;
  }
}

TEST(Script, RegexesOfEverydayChecksAreAccepted) {
  for (const std::string& pattern : std::vector<std::string>{
           "file write DVN\\.ini \"[^\\\\]*\"", "(ATH|ATZ)+\\\\r", "x{3,5}y*z?",
           "[[:alpha:]]+ [].-]*",
           "^\\[[0-9]+\\.[0-9]{3}\\] (modem|port) .*" + std::string(300, 'a')}) {
    std::vector<Command> commands = ParseOk("expect ~ '" + pattern + "'");
    ASSERT_EQ(commands.size(), 1u) << pattern;
    EXPECT_EQ(commands[0].text, pattern);
  }
}

TEST(Quote, EscapesControlsKeepsUtf8AndMarksInvalidBytes) {
  EXPECT_EQ(sim::Quote("ATH1\r"), "\"ATH1\\r\"");
  EXPECT_EQ(sim::Quote("a\"b\\c\n\t"), "\"a\\\"b\\\\c\\n\\t\"");
  EXPECT_EQ(sim::Quote(std::string("\0\x1b\x7f~", 4)), "\"\\x00\\x1B\\x7F~\"");
  EXPECT_EQ(sim::Quote("\xFF"), "\"\\xFF\"");
  // Two, three and four bytes, and the highest code point.
  const std::string japanese =
      "\xE9\x9B\xBB\xE8\xA9\xB1 \xC3\xA9 \xF0\x9F\x93\x9E \xF4\x8F\xBF\xBF";
  EXPECT_EQ(sim::Quote(japanese), "\"" + japanese + "\"");
  EXPECT_EQ(sim::Quote("\xC0\xAF"), "\"\\xC0\\xAF\"");                    // overlong '/'
  EXPECT_EQ(sim::Quote("\xE0\x80\xAF"), "\"\\xE0\\x80\\xAF\"");           // overlong, three bytes
  EXPECT_EQ(sim::Quote("\xF0\x8F\xBF\xBF"), "\"\\xF0\\x8F\\xBF\\xBF\"");  // overlong, four
  EXPECT_EQ(sim::Quote("\xED\xA0\x80"), "\"\\xED\\xA0\\x80\"");           // surrogate
  EXPECT_EQ(sim::Quote("\xF4\x90\x80\x80"), "\"\\xF4\\x90\\x80\\x80\"");  // above U+10FFFF
  EXPECT_EQ(sim::Quote("\xE9\x9B"), "\"\\xE9\\x9B\"");                    // cut off at the end
  EXPECT_EQ(sim::Quote("\xE9\x9B"
                       "A\xE9\x9B\xBB"),
            "\"\\xE9\\x9BA\xE9\x9B\xBB\"");
  EXPECT_EQ(sim::Quote("\xED\x9F\xBF"), "\"\xED\x9F\xBF\"");  // last before surrogates
}

}  // namespace
