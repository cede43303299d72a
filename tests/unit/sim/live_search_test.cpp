// The control on the simulated sound card: capture timing, buffer restarts, events in order.
#include <gtest/gtest.h>

#include "event_loop.h"
#include "line_wave_in.h"
#include "sim_control_host.h"
#include "test_signal.h"
#include "tonvex_ctrl.h"

namespace {

using testsignal::Signal;

struct Hit {
  sim::Micros time;
  char key;
};

// Runs a DTMF search over the line and stops it one second after the line ends.
std::vector<Hit> SearchLine(const std::vector<uint8_t>& line) {
  sim::EventLoop loop;
  sim::LineWaveIn wave(loop, line);
  sim::SimControlHost host(loop);
  tonvex::CTonvexCtrl control(host, wave);
  host.Attach(&control);
  std::vector<Hit> hits;
  host.SetEventHandler([&](int32_t dispid, const tonvex::EventArgs& args) {
    if (dispid == tonvex::dispid::kDtmfHit) {
      hits.push_back({loop.Now(), static_cast<char>(std::get<int16_t>(args[0]))});
    }
  });
  EXPECT_TRUE(control.SearchDtmf());
  loop.RunUntil(100'000 + sim::TimeOfSamples(line.size() + 11025));
  EXPECT_TRUE(control.SearchDtmf());
  while (loop.RunOne()) {
  }
  EXPECT_FALSE(control.Running);
  return hits;
}

std::string Keys(const std::vector<Hit>& hits) {
  std::string keys;
  for (const Hit& hit : hits) keys += hit.key;
  return keys;
}

TEST(LiveSearch, KeysArriveOnTheTicksAfterTheyWereRecorded) {
  // Recording starts at the first tick (0.1 s); "4" plays from 0.45 s of the line. The tick at
  // 0.6 s finds 5512 samples recorded but moves only those 700 behind, all before the key.
  const auto line = Signal().Silence(4961).Key('4', 40, 1102).Silence(5000).Bytes();
  const auto hits = SearchLine(line);
  ASSERT_EQ(Keys(hits), "4");
  EXPECT_EQ(hits[0].time, 700'000);
}

TEST(LiveSearch, KeyRecordedJustBeforeTheBufferComesBackIsKept) {
  // The buffer fills 10 s after recording started; these 80 ms end 20 ms before that, after
  // the last tick's transfer of the cycle.
  const auto line = Signal()
                        .Silence(110250 - 1100)
                        .Key('9', 40, 882)
                        .Silence(218 + 11025)
                        .Key('#', 40, 1102)
                        .Silence(2000)
                        .Bytes();
  EXPECT_EQ(Keys(SearchLine(line)), "9#");
}

TEST(LiveSearch, SixteenKeysOverSeveralBufferCyclesArriveInOrder) {
  const std::string keys = "0123456789ABCD*#";
  std::vector<double> samples;
  for (int round = 0; round < 3; ++round) {
    const auto part = testsignal::DialSequence(keys, 100, 300);
    samples.insert(samples.end(), part.begin(), part.end());
  }
  std::vector<uint8_t> line(samples.begin(), samples.end());
  EXPECT_EQ(Keys(SearchLine(line)), keys + keys + keys);
}

}  // namespace
