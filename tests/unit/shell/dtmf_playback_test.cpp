#include "dtmf_playback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tone_images.h"

namespace {

// Records the resource id of every image it is given, identified by the image's content; the
// id passed along must name the same image.
class RecordingSoundOut : public tonvex::SoundOut {
 public:
  void Play(int32_t resourceId, const uint8_t* image, uint32_t bytes) override {
    int id = 0;
    for (int i = 0; i < tonvex::kToneCount; ++i) {
      const tonvex::ToneImageBytes& tone = tonvex::ToneImage(i);
      if (bytes == tone.size() && std::equal(tone.begin(), tone.end(), image)) {
        id = tonvex::kToneTable[i].ResourceId;
      }
    }
    EXPECT_EQ(resourceId, id);
    played.push_back(id);
  }
  std::vector<int> played;
};

constexpr const char* kPrevious = "earlier text";
constexpr const char* kInvalid = "不正文字有り";

class PlayDtmfTest : public ::testing::Test {
 protected:
  bool Play(const std::string& phoneNum, tonvex::PlayDtmfGate gate = {}) {
    return tonvex::PlayDtmf(gate, phoneNum, out, errorMsg);
  }
  RecordingSoundOut out;
  std::string errorMsg = kPrevious;
};

TEST_F(PlayDtmfTest, ValidStringsPlayEachToneInOrderAndKeepErrorMsg) {
  EXPECT_TRUE(Play(""));
  EXPECT_TRUE(out.played.empty());

  EXPECT_TRUE(Play("123"));
  EXPECT_EQ(out.played, (std::vector<int>{206, 207, 208}));

  out.played.clear();
  EXPECT_TRUE(Play("0123456789ABCD*#"));  // "A" is resource 215
  std::vector<int> all(16);
  for (int i = 0; i < 16; ++i) all[i] = 205 + i;
  EXPECT_EQ(out.played, all);
  EXPECT_EQ(errorMsg, kPrevious);
}

TEST_F(PlayDtmfTest, InvalidByteStopsAfterTheTonesBeforeIt) {
  struct Case {
    std::string phoneNum;
    std::vector<int> played;
  };
  const Case cases[] = {
      {"12x3", {206, 207}},
      {"a", {}},
      {"1 2", {206}},
      {"P", {}},
      {"12\xE3\x81\x82"
       "3",
       {206, 207}},  // UTF-8 "あ"
      {"1\x82\xA0"
       "3",
       {206}},               // Shift-JIS "あ"
      {"1\x83\x41", {206}},  // Shift-JIS "ア": its second byte is "A"
      {std::string("1\0"
                   "2",
                   3),
       {206}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phoneNum);
    out.played.clear();
    errorMsg = kPrevious;
    EXPECT_FALSE(Play(c.phoneNum));
    EXPECT_EQ(out.played, c.played);
    EXPECT_EQ(errorMsg, kInvalid);
  }
}

TEST_F(PlayDtmfTest, SuccessAfterARefusalKeepsTheRefusalText) {
  EXPECT_FALSE(Play("x"));
  EXPECT_TRUE(Play("1"));
  EXPECT_EQ(errorMsg, kInvalid);
}

TEST_F(PlayDtmfTest, DesignModeSucceedsWithoutLookingAtAnything) {
  EXPECT_TRUE(Play("xyz abc", {false, true, false}));
  EXPECT_TRUE(Play("123", {false, false, true}));
  EXPECT_TRUE(out.played.empty());
  EXPECT_EQ(errorMsg, kPrevious);
}

TEST_F(PlayDtmfTest, DisabledOrSearchingControlRefusesAndPlaysNothing) {
  EXPECT_FALSE(Play("123", {true, false, false}));
  EXPECT_EQ(errorMsg, "プロパティEnabledがFALSE");

  errorMsg = kPrevious;
  EXPECT_FALSE(Play("x", {true, false, true}));
  EXPECT_EQ(errorMsg, "プロパティEnabledがFALSE") << "the enabled check comes first";

  errorMsg = kPrevious;
  EXPECT_FALSE(Play("123", {true, true, true}));
  EXPECT_EQ(errorMsg, "メソッド実行中");
  EXPECT_TRUE(out.played.empty());
}

}  // namespace
