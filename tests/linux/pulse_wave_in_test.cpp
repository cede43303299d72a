// The PulseAudio wave input on a server of the tests' own (pulse_line.sh): keys played into the
// line's null sink are heard by the control's search, the device calls keep winmm's rules, and
// without a server or a source the search reports the control's own failure.
#include "pulse_wave_in.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "error_texts.h"
#include "main_loop_site.h"
#include "main_loop_wait.h"
#include "tonvex_ctrl.h"

namespace {

using dorvane::linux_host::PulseWaveIn;
using linux_test::HostedControl;
using linux_test::kControlWindow;
using linux_test::PumpUntil;
using linux_test::RunPending;

void RunCommand(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  gint status = -1;
  GError* error = nullptr;
  ASSERT_TRUE(g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                           nullptr, nullptr, &status, &error))
      << (error ? error->message : "");
  ASSERT_TRUE(g_spawn_check_wait_status(status, nullptr)) << command[0] << " failed";
}

// Plays the tones of symbols, 100 ms each with 100 ms between them, into the line.
void PlayKeys(const std::string& symbols) {
  const std::string file =
      std::string(g_get_tmp_dir()) + "/dorvane-keys-" + std::to_string(getpid()) + ".wav";
  ASSERT_NO_FATAL_FAILURE(RunCommand({TONVEX_DIAL, "--gap=100", "--out=" + file, symbols}));
  ASSERT_NO_FATAL_FAILURE(RunCommand({"paplay", "--device=line", file}));
  std::remove(file.c_str());
}

tonvex::PcmFormat LineFormat() {
  return tonvex::PcmFormat{tonvex::kWaveFormatPcm, 1, 11025, 11025, 1, 8};
}

// Sets an environment variable for one scope, as the user would before starting the program.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = g_getenv(name)) old_ = old, had_ = true;
    g_setenv(name, value, TRUE);
  }
  ~ScopedEnvironment() {
    if (had_) {
      g_setenv(name_, old_.c_str(), TRUE);
    } else {
      g_unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(PulseWaveIn, KeysPlayedIntoTheLineAreHeardBySearchesStartedAndStoppedOnTheMainLoop) {
  ASSERT_STREQ(g_getenv("PULSE_SOURCE"), "line.monitor") << "the tests run under ctest";
  HostedControl host;
  ASSERT_TRUE(host.control.SearchDtmf());
  ASSERT_TRUE(PumpUntil([&] { return host.control.CaptureStarted != 0; }));
  ASSERT_NO_FATAL_FAILURE(PlayKeys("159#"));
  ASSERT_TRUE(PumpUntil([&] { return host.site.keys.size() >= 4; })) << host.site.keys;
  EXPECT_EQ(host.site.keys, "159#");

  // Stopped, the device is reset and closed; a new search records again.
  ASSERT_TRUE(host.control.SearchDtmf());
  EXPECT_FALSE(host.control.Running);
  EXPECT_FALSE(host.control.Device.IsOpen());
  host.site.keys.clear();
  ASSERT_TRUE(host.control.SearchDtmf());
  ASSERT_TRUE(PumpUntil([&] { return host.control.CaptureStarted != 0; }));
  ASSERT_NO_FATAL_FAILURE(PlayKeys("*0D"));
  ASSERT_TRUE(PumpUntil([&] { return host.site.keys.size() >= 3; })) << host.site.keys;
  EXPECT_EQ(host.site.keys, "*0D");
  EXPECT_TRUE(host.site.errors.empty());
}

TEST(PulseWaveIn, HandsBuffersBackOnTheMainLoopAsWinmmDoes) {
  std::vector<std::pair<tonvex::WindowHandle, uint32_t>> returned;
  auto waveIn = std::make_unique<PulseWaveIn>(
      [&](tonvex::WindowHandle window, uint32_t bytes) { returned.emplace_back(window, bytes); });
  tonvex::PcmFormat odd = LineFormat();
  odd.FormatTag = 2;
  EXPECT_EQ(waveIn->Open(odd, kControlWindow), tonvex::kWaveErrBadFormat);
  odd = LineFormat();
  odd.BitsPerSample = 12;
  EXPECT_EQ(waveIn->Open(odd, kControlWindow), tonvex::kWaveErrBadFormat);
  uint32_t position = 1;
  EXPECT_EQ(waveIn->GetPosition(position), tonvex::kMmInvalidHandle);

  ASSERT_EQ(waveIn->Open(LineFormat(), kControlWindow), tonvex::kMmNoError);
  EXPECT_EQ(waveIn->Open(LineFormat(), kControlWindow), tonvex::kMmAllocated);
  std::vector<uint8_t> memory(2205, 0);
  tonvex::WaveHeader header{memory.data(), static_cast<uint32_t>(memory.size()), 0, 0};
  EXPECT_EQ(waveIn->AddBuffer(header), tonvex::kWaveErrUnprepared);
  ASSERT_EQ(waveIn->PrepareHeader(header), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->AddBuffer(header), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->GetPosition(position), tonvex::kMmNoError);
  EXPECT_EQ(position, 0u);
  ASSERT_EQ(waveIn->Start(), tonvex::kMmNoError);
  EXPECT_EQ(waveIn->Close(), tonvex::kWaveErrStillPlaying);
  EXPECT_EQ(waveIn->UnprepareHeader(header), tonvex::kWaveErrStillPlaying);

  // Full: the silent line's samples, all of them, and the whole buffer's length.
  ASSERT_TRUE(PumpUntil([&] { return !returned.empty(); }));
  RunPending();
  ASSERT_EQ(returned, (decltype(returned){{kControlWindow, 2205}}));
  EXPECT_EQ(std::count(memory.begin(), memory.end(), 128), 2205);
  ASSERT_EQ(waveIn->GetPosition(position), tonvex::kMmNoError);
  EXPECT_EQ(position, 2205u);

  // Reset while recording: the buffer comes back with what it holds, the position goes to 0.
  returned.clear();
  std::vector<uint8_t> longer(110250, 0);
  tonvex::WaveHeader second{longer.data(), static_cast<uint32_t>(longer.size()), 0, 0};
  ASSERT_EQ(waveIn->UnprepareHeader(header), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->PrepareHeader(second), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->AddBuffer(second), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->Start(), tonvex::kMmNoError);
  ASSERT_TRUE(PumpUntil([&] { return waveIn->GetPosition(position) == 0 && position > 0; }));
  EXPECT_TRUE(returned.empty());
  ASSERT_EQ(waveIn->Reset(), tonvex::kMmNoError);
  ASSERT_TRUE(PumpUntil([&] { return !returned.empty(); }));
  ASSERT_EQ(returned.size(), 1u);
  EXPECT_GE(returned[0].second, position);
  EXPECT_LT(returned[0].second, 110250u);
  ASSERT_EQ(waveIn->GetPosition(position), tonvex::kMmNoError);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(waveIn->UnprepareHeader(second), tonvex::kMmNoError);
  EXPECT_EQ(waveIn->Close(), tonvex::kMmNoError);
  EXPECT_EQ(waveIn->Close(), tonvex::kMmInvalidHandle);

  // A buffer handed back just before the device went is never delivered to nobody.
  returned.clear();
  ASSERT_EQ(waveIn->Open(LineFormat(), kControlWindow), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->PrepareHeader(second), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->AddBuffer(second), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->Start(), tonvex::kMmNoError);
  ASSERT_EQ(waveIn->Reset(), tonvex::kMmNoError);
  waveIn.reset();
  RunPending();
  EXPECT_TRUE(returned.empty());
}

TEST(PulseWaveIn, WithoutAServerOrASourceTheSearchReportsThatTheDeviceCannotOpen) {
  for (const auto& [name, value] : {std::pair{"PULSE_SERVER", "unix:/nonexistent/native"},
                                    std::pair{"PULSE_SOURCE", "no-such-source"}}) {
    const ScopedEnvironment missing(name, value);
    {
      PulseWaveIn waveIn([](tonvex::WindowHandle, uint32_t) {});
      EXPECT_EQ(waveIn.Open(LineFormat(), kControlWindow), tonvex::kMmBadDeviceId) << name;
    }
    HostedControl host;
    ASSERT_TRUE(host.control.SearchDtmf());
    ASSERT_TRUE(PumpUntil([&] { return !host.site.errors.empty(); })) << name;
    EXPECT_EQ(host.site.errors[0], tonvex::text::kCannotOpen);
    EXPECT_FALSE(host.control.Device.IsOpen());
  }
  // And once there is one again, the device opens.
  PulseWaveIn waveIn([](tonvex::WindowHandle, uint32_t) {});
  EXPECT_EQ(waveIn.Open(LineFormat(), kControlWindow), tonvex::kMmNoError);
}

TEST(PulseWaveIn, AServerThatDiesDuringASearchEndsInTheControlsOpenFailure) {
  char pattern[] = "/tmp/dorvane-pulse-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  ASSERT_NO_FATAL_FAILURE(RunCommand({PULSE_LINE_SCRIPT, "up", dir}));
  {
    const ScopedEnvironment server("PULSE_SERVER", ("unix:" + dir + "/native").c_str());
    HostedControl host;
    ASSERT_TRUE(host.control.SearchDtmf());
    ASSERT_TRUE(PumpUntil([&] { return host.control.Device.InputPosition() > 0; }));
    ASSERT_NO_FATAL_FAILURE(RunCommand({PULSE_LINE_SCRIPT, "down", dir}));
    // What was recorded comes back; the next start finds no server and says so, every tick.
    ASSERT_TRUE(PumpUntil([&] { return host.site.errors.size() >= 2; }));
    EXPECT_EQ(host.site.errors[0], tonvex::text::kCannotOpen);
    EXPECT_TRUE(host.control.Running);
    EXPECT_FALSE(host.control.Device.IsOpen());
    ASSERT_TRUE(host.control.SearchDtmf());
    EXPECT_FALSE(host.control.Running);
  }
  RunCommand({PULSE_LINE_SCRIPT, "down", dir});
  std::filesystem::remove_all(dir);
}

}  // namespace
