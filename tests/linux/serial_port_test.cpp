// The termios serial port on a pty line with modem_responder.py at the far end, linked as COM7
// of a configuration folder of the test's own: what reaches the modem, what the program hears
// and when, the control's failures, and a far end that goes away.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "main_loop_wait.h"
#include "runtime_error.h"
#include "termios_serial_port.h"

namespace {

namespace fs = std::filesystem;
using dorvane::RuntimeError;
using dorvane::linux_host::LinkedComPorts;
using dorvane::linux_host::TermiosSerialPort;
using linux_test::PumpUntil;
using linux_test::RunPending;

constexpr int16_t kLinePort = 7;
const std::string kNotOpen = "Operation valid only when the port is open";

// A folder with the modem line and a configuration folder whose dosdevices/com7 links to it.
class ModemLine {
 public:
  ModemLine() {
    char pattern[] = "/tmp/dorvane-serial-XXXXXX";
    dir_ = mkdtemp(pattern);
    config_ = dir_ + "/config";
    fs::create_directories(config_ + "/dosdevices");
    Start();
    fs::create_symlink(dir_ + "/line", config_ + "/dosdevices/com7");
  }
  ~ModemLine() {
    Stop();
    fs::remove_all(dir_);
  }

  const std::string& Dir() const { return dir_; }
  const std::string& Config() const { return config_; }

  // The responder goes, and its socat with the pty pair: the line hangs up.
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

  void Tell(const std::string& order) const {
    std::ofstream(dir_ + "/control", std::ios::binary) << order << "\n";
  }

  // Every command the modem has received, one a line.
  std::vector<std::string> Log() const {
    std::ifstream file(dir_ + "/modem.log", std::ios::binary);
    std::vector<std::string> commands;
    for (std::string line; std::getline(file, line);) commands.push_back(line);
    return commands;
  }

 private:
  void Start() {
    const std::string pidFile = dir_ + "/responder.pid";
    const std::string link = dir_ + "/line", log = dir_ + "/modem.log";
    const std::string control = dir_ + "/control";
    const char* argv[] = {"python3",    MODEM_RESPONDER, "--link",    link.c_str(),
                          "--log",      log.c_str(),     "--control", control.c_str(),
                          "--pid-file", pidFile.c_str(), nullptr};
    GError* error = nullptr;
    ASSERT_TRUE(
        g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                      static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL |
                                               G_SPAWN_DO_NOT_REAP_CHILD),
                      nullptr, nullptr, &pid_, &error))
        << (error ? error->message : "");
    ASSERT_TRUE(PumpUntil([&] { return fs::exists(pidFile) && fs::file_size(pidFile) > 0; }))
        << "the modem responder did not come up";
  }

  std::string dir_;
  std::string config_;
  GPid pid_ = 0;
};

// The program's side, with an OnComm handler that reads Input as MSComm1_OnComm does.
struct Program {
  explicit Program(const std::string& config) : config(config) {}
  std::string config;
  int onComms = 0;
  std::string heard;
  std::vector<int32_t> failures;
  TermiosSerialPort port{config, [this] {
                           ++onComms;
                           try {
                             heard += port.Input();
                           } catch (const RuntimeError& failure) {
                             failures.push_back(failure.Number);
                           }
                         }};
};

// The core's wait for the modem: reads and naps on the port, running no handler.
std::string ReadUntil(TermiosSerialPort& port, const std::string& end) {
  std::string reply;
  const gint64 deadline = g_get_monotonic_time() + linux_test::kPatienceUs;
  while (reply.find(end) == std::string::npos && g_get_monotonic_time() < deadline) {
    const std::string read = port.Input();
    reply += read;
    if (read.empty()) port.WaitForData(10);
  }
  return reply;
}

// Runs this program as another process that opens the port; returns what it reports: "open",
// or the number of its failure. With holder set it keeps the port until *input is closed.
std::string Rival(const std::string& config, GPid* holder, int* input = nullptr) {
  const std::string port = std::to_string(kLinePort);
  const char* argv[] = {"/proc/self/exe", "--rival", config.c_str(), port.c_str(), nullptr};
  GPid pid = 0;
  int output = -1;
  int stdinPipe = -1;
  GError* error = nullptr;
  if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr,
                                G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid, &stdinPipe,
                                &output, nullptr, &error)) {
    ADD_FAILURE() << error->message;
    g_error_free(error);
    return "";
  }
  if (!holder) close(stdinPipe);
  std::string said;
  char c = 0;
  while (read(output, &c, 1) == 1 && c != '\n') said += c;
  close(output);
  if (holder) {
    *holder = pid;
    *input = stdinPipe;
  } else {
    waitpid(pid, nullptr, 0);
  }
  return said;
}

// Opens the line and reads away whatever an earlier step left on it.
void OpenLine(TermiosSerialPort& port, const ModemLine& line) {
  port.SetCommPort(kLinePort);
  port.SetPortOpen(true);
  line.Tell("send SETTLED\\r\\n");
  ASSERT_NE(ReadUntil(port, "SETTLED\r\n").find("SETTLED\r\n"), std::string::npos);
}

template <typename Call>
void ExpectFailure(Call call, int32_t number, const std::string& description = "") {
  try {
    call();
    ADD_FAILURE() << "no failure; expected " << number;
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, number);
    if (!description.empty()) {
      EXPECT_EQ(failure.Description, description);
    }
  }
}

TEST(TermiosSerialPort, TalksWithTheModemAtNineSixHundredAndRaisesOnCommOnTheMainLoop) {
  ModemLine line;
  fs::create_symlink("/nonexistent/tty", line.Config() + "/dosdevices/com12");
  fs::create_symlink(line.Dir() + "/line", line.Config() + "/dosdevices/com0");
  fs::create_symlink(line.Dir() + "/line", line.Config() + "/dosdevices/comx");
  fs::create_symlink(line.Dir() + "/line", line.Config() + "/dosdevices/lpt1");
  std::ofstream(line.Config() + "/dosdevices/com3") << "no link\n";
  EXPECT_EQ(LinkedComPorts(line.Config()), (std::vector<int16_t>{7, 12}));
  EXPECT_TRUE(LinkedComPorts(line.Dir() + "/missing").empty());

  Program program(line.Config());
  TermiosSerialPort& port = program.port;
  EXPECT_EQ(port.DevicePath(2), "/dev/ttyS1");
  ASSERT_NO_FATAL_FAILURE(OpenLine(port, line));
  EXPECT_EQ(port.CommPort(), kLinePort);
  EXPECT_TRUE(port.PortOpen());

  // The line as the system sees it through another descriptor.
  const int probe = open((line.Dir() + "/line").c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(probe, 0);
  termios state = {};
  ASSERT_EQ(tcgetattr(probe, &state), 0);
  close(probe);
  EXPECT_EQ(cfgetospeed(&state), B9600);
  EXPECT_EQ(cfgetispeed(&state), B9600);
  EXPECT_EQ(state.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL), CS8 | CLOCAL);
  EXPECT_EQ(state.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(state.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(state.c_oflag & OPOST, 0u);

  RunPending();
  program.onComms = 0;
  program.heard.clear();
  const size_t logged = line.Log().size();

  // Waits that run no handler still hear each answer, whole and once.
  for (const std::string command : {"ATZ", "ATD*0;", "AT\x01\xe9\\"}) {
    port.Output(command + "\r");
    EXPECT_EQ(ReadUntil(port, "OK\r\n"), "\r\nOK\r\n") << command;
  }
  EXPECT_EQ(program.onComms, 0);
  const std::vector<std::string> log = line.Log();
  EXPECT_EQ(std::vector<std::string>(log.begin() + logged, log.end()),
            (std::vector<std::string>{"ATZ", "ATD*0;", "AT\\x01\\xe9\\x5c"}));

  // An answer the main loop saw arrive is kept for the wait, and raises one OnComm that finds
  // it read already.
  port.Output("AT\r");
  port.WaitForData(1000);
  ASSERT_TRUE(g_main_context_iteration(nullptr, FALSE));
  EXPECT_EQ(ReadUntil(port, "OK\r\n"), "\r\nOK\r\n");
  ASSERT_TRUE(PumpUntil([&] { return program.onComms > 0; }));
  RunPending();
  EXPECT_EQ(program.onComms, 1);
  EXPECT_EQ(program.heard, "");

  line.Tell("ring");
  ASSERT_TRUE(PumpUntil([&] { return program.heard.find("RING\r\n") != std::string::npos; }));
  EXPECT_EQ(program.heard.find("RING"), program.heard.rfind("RING"));
  EXPECT_TRUE(program.failures.empty());
}

TEST(TermiosSerialPort, RefusesAsTheSerialControlDoesInThisProcessAndAnother) {
  ModemLine line;
  fs::create_symlink("/nonexistent/tty", line.Config() + "/dosdevices/com12");
  std::ofstream(line.Config() + "/dosdevices/com3") << "no terminal\n";
  Program program(line.Config());
  TermiosSerialPort& port = program.port;
  TermiosSerialPort other(line.Config(), [] {});

  ExpectFailure([&] { port.SetCommPort(0); }, 8002, "Invalid port number");
  for (const int16_t missing : {3, 12, 99}) {
    port.SetCommPort(missing);
    ExpectFailure([&] { port.SetPortOpen(true); }, 8002, "Invalid port number");
    EXPECT_FALSE(port.PortOpen()) << missing;
  }
  ExpectFailure([&] { port.Output("AT\r"); }, 8018, kNotOpen);
  ExpectFailure([&] { port.Input(); }, 8018, kNotOpen);
  port.SetPortOpen(false);

  ASSERT_NO_FATAL_FAILURE(OpenLine(port, line));
  ExpectFailure([&] { port.SetCommPort(kLinePort); }, 8005, "Port already open");
  ExpectFailure([&] { port.SetPortOpen(true); }, 8005, "Port already open");
  other.SetCommPort(kLinePort);
  ExpectFailure([&] { other.SetPortOpen(true); }, 8005, "Port already open");

  // Another program asks for the port while this one holds it, and the other way round.
  EXPECT_EQ(Rival(line.Config(), nullptr), "8005");
  port.SetPortOpen(false);
  GPid rival = 0;
  int toRival = -1;
  ASSERT_EQ(Rival(line.Config(), &rival, &toRival), "open");
  ExpectFailure([&] { port.SetPortOpen(true); }, 8005, "Port already open");
  close(toRival);
  int status = -1;
  ASSERT_EQ(waitpid(rival, &status, 0), rival);
  EXPECT_EQ(status, 0);

  // Closed with an OnComm pending: the event is dropped.
  ASSERT_NO_FATAL_FAILURE(OpenLine(port, line));
  RunPending();
  program.onComms = 0;
  const size_t logged = line.Log().size();
  for (int i = 0; i < 50; ++i) port.Output("AT\r");
  port.WaitForData(1000);
  ASSERT_TRUE(g_main_context_iteration(nullptr, FALSE));  // the arrival is seen
  port.SetPortOpen(false);
  EXPECT_FALSE(port.PortOpen());
  ExpectFailure([&] { port.Input(); }, 8018, kNotOpen);
  ASSERT_TRUE(PumpUntil([&] { return line.Log().size() == logged + 50; }));
  RunPending();
  EXPECT_EQ(program.onComms, 0);

  // The port is free again: the other object takes it and talks.
  ASSERT_NO_FATAL_FAILURE(OpenLine(other, line));
  other.Output("AT\r");
  EXPECT_EQ(ReadUntil(other, "OK\r\n"), "\r\nOK\r\n");
}

TEST(TermiosSerialPort, AFarEndThatVanishesFailsTheNextCallsWithoutHangingOrSpinning) {
  ModemLine line;
  Program program(line.Config());
  TermiosSerialPort& port = program.port;
  ASSERT_NO_FATAL_FAILURE(OpenLine(port, line));
  RunPending();
  program.onComms = 0;

  line.Stop();
  // A wait for the modem ends in a failure, not in patience running out.
  ExpectFailure([&] { ReadUntil(port, "OK\r\n"); }, 31,
                "A device attached to the system is not functioning.");
  ExpectFailure([&] { port.Output("ATH\r"); }, 31);
  port.WaitForData(10);

  // The hang-up raises one OnComm, whose read fails; then the main loop has nothing to run.
  ASSERT_TRUE(PumpUntil([&] { return program.onComms > 0; }));
  RunPending();
  EXPECT_EQ(program.onComms, 1);
  EXPECT_EQ(program.failures, std::vector<int32_t>{31});
  EXPECT_FALSE(g_main_context_pending(nullptr));

  EXPECT_TRUE(port.PortOpen());
  port.SetPortOpen(false);
  ExpectFailure([&] { port.Input(); }, 8018, kNotOpen);
  ExpectFailure([&] { port.SetPortOpen(true); }, 8002, "Invalid port number");
}

}  // namespace

// With --rival CONFIG PORT, the other program of the tests: it opens the port, says "open" or
// the failure's number on a line, and keeps the port until its input ends.
int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--rival") {
    TermiosSerialPort rival(argv[2], [] {});
    try {
      rival.SetCommPort(static_cast<int16_t>(std::stoi(argv[3])));
      rival.SetPortOpen(true);
    } catch (const RuntimeError& failure) {
      std::printf("%d\n", failure.Number);
      return 0;
    }
    std::printf("open\n");
    std::fflush(stdout);
    char c = 0;
    while (read(0, &c, 1) > 0) {
    }
    return 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
