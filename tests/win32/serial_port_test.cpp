// The serial port on a pty line with modem_responder.py at the far end (serial_line.sh): what
// reaches the modem, what the program hears and on which thread, and the control's failures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "posted_calls.h"
#include "runtime_error.h"
#include "win32_serial_port.h"

namespace {

using dorvane::RuntimeError;
using dorvane::win32::PostedCalls;
using dorvane::win32::Win32SerialPort;

constexpr int16_t kLinePort = TEST_COM_PORT;
constexpr int16_t kMissingPort = 99;
const std::string kLineDir = "Z:" TEST_LINE_DIR;  // the responder's folder through Wine's Z:
constexpr DWORD kPatienceMs = 10000;              // a bound on waits, never a measure

// The program's side, with an OnComm handler that reads Input as MSComm1_OnComm does.
struct Program {
  PostedCalls calls;
  int onComms = 0;
  DWORD handlerThread = 0;
  std::string heard;
  Win32SerialPort port{calls, [this] {
                         ++onComms;
                         handlerThread = GetCurrentThreadId();
                         heard += port.Input();
                       }};
};

// Runs the thread's messages until done() holds; false when patience ran out.
template <typename Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (done()) return true;
    if (GetTickCount() - start > kPatienceMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// The core's wait for the modem: reads and naps on the data event, running no message.
std::string ReadUntil(Win32SerialPort& port, const std::string& end) {
  std::string reply;
  const DWORD start = GetTickCount();
  while (reply.find(end) == std::string::npos && GetTickCount() - start < kPatienceMs) {
    const std::string read = port.Input();
    reply += read;
    if (read.empty()) WaitForSingleObject(port.DataArrived(), 10);
  }
  return reply;
}

// A character in the ANSI code page, as the responder logs bytes outside printable ASCII.
std::string AnsiShown(wchar_t character) {
  char bytes[4] = {};
  const int count =
      WideCharToMultiByte(CP_ACP, 0, &character, 1, bytes, sizeof bytes, nullptr, nullptr);
  std::string shown;
  for (int i = 0; i < count; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    shown += byte >= 0x20 && byte < 0x7F && byte != '\\' ? std::string(1, bytes[i]) : escaped;
  }
  return shown;
}

void TellModem(const std::string& order) {
  std::ofstream(kLineDir + "/control", std::ios::binary) << order << "\n";
}

// Every command the modem has received, one a line.
std::vector<std::string> ModemLog() {
  std::ifstream file(kLineDir + "/modem.log", std::ios::binary);
  std::vector<std::string> commands;
  for (std::string line; std::getline(file, line);) commands.push_back(line);
  return commands;
}

// Opens the line and reads away whatever an earlier test left on it.
void OpenLine(Win32SerialPort& port) {
  port.SetCommPort(kLinePort);
  port.SetPortOpen(true);
  TellModem("send SETTLED\\r\\n");
  ASSERT_NE(ReadUntil(port, "SETTLED\r\n").find("SETTLED\r\n"), std::string::npos);
}

template <typename Call>
void ExpectFailure(Call call, int32_t number, const std::string& description) {
  try {
    call();
    ADD_FAILURE() << "no failure; expected " << number;
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, number);
    EXPECT_EQ(failure.Description, description);
  }
}

TEST(SerialPort, TalksWithTheModemAndRaisesOnCommOnTheProgramThread) {
  Program program;
  Win32SerialPort& port = program.port;
  ASSERT_NO_FATAL_FAILURE(OpenLine(port));
  ASSERT_TRUE(PumpUntil([&] { return program.onComms > 0; }));
  program.onComms = 0;
  program.heard.clear();
  const size_t logged = ModemLog().size();

  // Waits that run no message still hear each answer, whole and once. The program's UTF-8
  // reaches the modem in the ANSI code page ("\xc3\xa9" is U+00E9).
  for (const std::string command : {"ATZ", "ATD*0;", "AT\x01\xc3\xa9\\"}) {
    port.Output(command + "\r");
    EXPECT_EQ(ReadUntil(port, "OK\r\n"), "\r\nOK\r\n") << command;
  }
  const std::vector<std::string> log = ModemLog();
  EXPECT_EQ(
      std::vector<std::string>(log.begin() + logged, log.end()),
      (std::vector<std::string>{"ATZ", "ATD*0;", "AT\\x01" + AnsiShown(L'\u00e9') + "\\x5c"}));

  // The three answers that came meanwhile wait in one OnComm, which finds them read already.
  ASSERT_TRUE(PumpUntil([&] { return program.onComms > 0; }));
  EXPECT_EQ(program.onComms, 1);
  EXPECT_EQ(program.heard, "");

  TellModem("ring");
  ASSERT_TRUE(PumpUntil([&] { return program.heard.find("RING\r\n") != std::string::npos; }));
  EXPECT_EQ(program.heard, "\r\nRING\r\n");
  EXPECT_EQ(program.handlerThread, GetCurrentThreadId());
}

TEST(SerialPort, RefusesAsTheSerialControlDoesAndClosesDuringTraffic) {
  Program program;
  Win32SerialPort& port = program.port;
  Win32SerialPort other(program.calls, [] {});
  const std::string notOpen = "Operation valid only when the port is open";
  ExpectFailure([&] { port.SetCommPort(0); }, 8002, "Invalid port number");
  port.SetCommPort(kMissingPort);
  ExpectFailure([&] { port.SetPortOpen(true); }, 8002, "Invalid port number");
  EXPECT_FALSE(port.PortOpen());
  ExpectFailure([&] { port.Output("AT\r"); }, 8018, notOpen);
  ExpectFailure([&] { port.Input(); }, 8018, notOpen);
  port.SetPortOpen(false);

  ASSERT_NO_FATAL_FAILURE(OpenLine(port));
  ExpectFailure([&] { port.SetCommPort(kLinePort); }, 8005, "Port already open");
  ExpectFailure([&] { port.SetPortOpen(true); }, 8005, "Port already open");
  other.SetCommPort(kLinePort);
  ExpectFailure([&] { other.SetPortOpen(true); }, 8005, "Port already open");

  // Closed while the modem answers: the reader stops, and the OnComm posted before is dropped.
  const size_t logged = ModemLog().size();
  for (int i = 0; i < 50; ++i) port.Output("AT\r");
  ASSERT_NE(ReadUntil(port, "OK\r\n").find("OK\r\n"), std::string::npos);
  port.SetPortOpen(false);
  EXPECT_FALSE(port.PortOpen());
  ExpectFailure([&] { port.Input(); }, 8018, notOpen);
  ASSERT_TRUE(PumpUntil([&] { return ModemLog().size() == logged + 50; }));
  EXPECT_EQ(program.onComms, 0);

  // The port is free again: the other object takes it and talks.
  ASSERT_NO_FATAL_FAILURE(OpenLine(other));
  other.Output("AT\r");
  EXPECT_EQ(ReadUntil(other, "OK\r\n"), "\r\nOK\r\n");
}

}  // namespace
