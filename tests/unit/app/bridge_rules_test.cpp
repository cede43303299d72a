// Rules of the bridge that no scenario can reach at their edges: port numbers, text lines, the
// tray record, and the timer control.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "com_port.h"
#include "modem_line.h"
#include "runtime_error.h"
#include "text_lines.h"
#include "timer.h"
#include "tray_icon_data.h"

namespace {

using dorvane::RuntimeError;

int32_t FailureOf(const std::string& comPort) {
  try {
    dorvane::ComPortNumber(comPort);
  } catch (const RuntimeError& failure) {
    return failure.Number;
  }
  return 0;
}

TEST(BridgeRules, ComPortConvertsAsANumberRoundedHalfToEven) {
  // clang-format off
  const std::vector<std::pair<const char*, int>> converted = {
      {"2", 2},         {" \t12  ", 12},   {"+7", 7},          {"-3", -3},      {"0", 0},
      {"3.0", 3},       {"2.5", 2},        {"3.5", 4},         {"-2.5", -2},    {"0.5", 0},
      {"2.5000001", 3}, {"2.49999", 2},    {"1e2", 100},       {"15E-1", 2},    {".75", 1},
      {"4.", 4},        {"0.04", 0},       {"32767", 32767},   {"-32768", -32768},
      {"32766.5", 32766}, {"0032767.4", 32767}, {"1e-99999999999", 0}, {"0e99999999999", 0}};
  // clang-format on
  for (const auto& [text, number] : converted) {
    try {
      EXPECT_EQ(dorvane::ComPortNumber(text), number) << text;
    } catch (const RuntimeError& failure) {
      ADD_FAILURE() << text << " failed with " << failure.Number;
    }
  }
  for (const char* text :
       {"32768", "-32769", "32767.5", "-32768.6", "1e5", "99999999999", "4e9999999999"}) {
    EXPECT_EQ(FailureOf(text), 6) << text;
  }
  for (const char* text : {"", "  ", "two", "COM3", "1e", "1e+", ".", "+", "-.e1", "1 2", "1.2.3",
                           "0x10", "3,0", "++1", "1e2.5"}) {
    EXPECT_EQ(FailureOf(text), 13) << text;
  }
}

TEST(BridgeRules, TheDialogsPortList) {
  EXPECT_EQ(dorvane::ComEntries("3").size(), 6u);
  EXPECT_EQ(dorvane::ComEntries("10").back(), "COM10");
  EXPECT_EQ(dorvane::ComPortFromChoice("COM12"), "12");
}

TEST(BridgeRules, LinesEndAtCrLfOrALoneLfAndALastLineCounts) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(dorvane::SplitLines("2\r\n*0\nATD0;"), (Lines{"2", "*0", "ATD0;"}));
  EXPECT_EQ(dorvane::SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(dorvane::SplitLines("a\rb\r\n"), (Lines{"a\rb"}));
  EXPECT_TRUE(dorvane::SplitLines("").empty());
  EXPECT_EQ(dorvane::JoinLines({"2", "*0", "ATD0;"}), "2\r\n*0\r\nATD0;\r\n");
}

TEST(BridgeRules, ModemLineKeepsOnlyWhatCouldStillBeginAReply) {
  dorvane::ModemLine line(5);
  EXPECT_EQ(line.Join("\r\nRI"), "\r\nRI");
  EXPECT_EQ(line.Join("NG\r\n"), "\nRING\r\n");
  EXPECT_EQ(line.Partial(), "\n");
  // A line without a carriage return never grows past the longest reply but its return.
  for (int i = 0; i < 1000; ++i) line.Join("garbage");
  EXPECT_EQ(line.Partial(), "bage");
  EXPECT_EQ(line.Join("\r"), "bage\r");
  EXPECT_EQ(line.Partial(), "");
}

TEST(BridgeRules, TrayRecordHasTheShellsLayout) {
  const dorvane::TrayIconData data = dorvane::MakeTrayIconData(0x1234, 0x99, "Dorvane");
  EXPECT_EQ(data.cbSize, 88u);
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 519u);
  EXPECT_EQ(std::string(data.szTip.data(), 9), std::string("Dorvane\0 ", 9));
  EXPECT_EQ(data.szTip[63], ' ');
  EXPECT_EQ(dorvane::TipText(data), "Dorvane");
}

class RecordingTimer : public dorvane::Timer {
 public:
  RecordingTimer() : Timer("Timer1") {}
  std::vector<int> clock;  // each arming's period; -1 for disarming

 protected:
  void Arm(uint32_t periodMs) override { clock.push_back(static_cast<int>(periodMs)); }
  void Disarm() override { clock.push_back(-1); }
};

TEST(BridgeRules, TimerKeepsItsIntervalAndNeverTicksInsideItsOwnHandler) {
  RecordingTimer timer;
  int ticks = 0;
  timer.SetHandler([&] {
    ++ticks;
    timer.Tick();  // a tick due while the handler runs is dropped
    if (ticks == 2) throw dorvane::ProgramEnded{};
  });
  timer.Tick();
  EXPECT_EQ(ticks, 0) << "interval 0 is idle";

  timer.SetInterval(5000);
  timer.SetInterval(5000);
  timer.SetEnabled(false);
  timer.Tick();
  EXPECT_EQ(ticks, 0) << "a disabled timer does not tick";
  EXPECT_EQ(timer.Interval(), 5000);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.clock, (std::vector<int>{5000, 5000, -1, 5000}));

  timer.Tick();
  EXPECT_EQ(ticks, 1);
  EXPECT_THROW(timer.Tick(), dorvane::ProgramEnded);
  timer.Tick();
  EXPECT_EQ(ticks, 3) << "a handler left by an exception can tick again";
  EXPECT_THROW(timer.SetInterval(-1), RuntimeError);
}

}  // namespace
