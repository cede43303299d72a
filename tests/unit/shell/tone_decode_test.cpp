#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dtmf_detector.h"
#include "tone_images.h"

namespace {

struct KeySink : tonvex::DtmfHitSink {
  bool OnDtmfHit(const tonvex::DtmfHit& hit) override {
    keys += static_cast<char>(hit.KeyCode);
    return true;
  }
  std::string keys;
};

// Each image, followed by as much silence, through the control's own detector.
TEST(ToneDecode, EveryImageIsHeardAsItsOwnSymbol) {
  for (int i = 0; i < tonvex::kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + tonvex::kToneTable[i].Symbol);
    tonvex::DtmfDetector detector;
    detector.Arm(50);
    KeySink sink;

    const uint8_t* tone = tonvex::ToneImage(i).data() + tonvex::kToneDataOffset;
    const std::vector<double> samples(tone, tone + tonvex::kToneSamples);
    const std::vector<double> silence(tonvex::kToneSamples, 128.0);
    detector.Feed(samples.data(), samples.size(), sink);
    detector.Feed(silence.data(), silence.size(), sink);

    EXPECT_EQ(sink.keys, std::string(1, tonvex::kToneTable[i].Symbol));
  }
}

}  // namespace
