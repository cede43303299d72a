// The control driven as a container drives it: names, DISPIDs and variants.
#include <gtest/gtest.h>

#include "fake_site.h"
#include "fake_wave_in.h"
#include "tone_images.h"
#include "tonvex_control.h"

namespace {

using tonvex::Variant;
using tonvex::hr::kOk;
namespace dispatch = tonvex::dispatch;
namespace dispid = tonvex::dispid;

class RecordingSoundOut : public tonvex::SoundOut {
 public:
  void Play(int32_t, const uint8_t* image, uint32_t bytes) override {
    for (int i = 0; i < tonvex::kToneCount; ++i) {
      if (bytes == tonvex::kToneImageBytes && image == tonvex::ToneImage(i).data()) {
        played += tonvex::kToneTable[i].Symbol;
      }
    }
  }
  std::string played;
};

class ControlSurface : public ::testing::Test {
 protected:
  ControlSurface() : control(site, wave, sound) {}

  Variant Call(int32_t id, std::vector<Variant> args = {}) {
    Variant result;
    EXPECT_EQ(control.Invoke(id, dispatch::kMethod, args, &result), kOk) << id;
    return result;
  }
  Variant Get(int32_t id) {
    Variant result;
    EXPECT_EQ(control.Invoke(id, dispatch::kPropertyGet, {}, &result), kOk) << id;
    return result;
  }
  tonvex::HResult Put(int32_t id, const Variant& value) {
    return control.Invoke(id, dispatch::kPropertyPut, {value}, nullptr);
  }
  std::string ErrorMsg() { return Get(dispid::kErrorMsg).AsBStr(); }

  FakeSite site;
  FakeWaveIn wave;
  RecordingSoundOut sound;
  tonvex::TonvexControl control;
};

TEST_F(ControlSurface, NamesResolveToTheirDispidsWithoutRegardToCase) {
  const std::pair<const char*, int32_t> names[] = {
      {"ErrorMsg", 1},    {"MaxSecond", 2},  {"Sensitivity", 3}, {"PlayDtmf", 4},
      {"SearchDtmf", 5},  {"searchdtmf", 5}, {"SearchLevel", 6}, {"Enabled", -514},
      {"AboutBox", -552}, {"ABOUTBOX", -552}};
  for (const auto& [name, expected] : names) {
    int32_t id = 0;
    EXPECT_EQ(control.GetIDsOfNames(name, id), kOk) << name;
    EXPECT_EQ(id, expected) << name;
  }
  int32_t id = 0;
  EXPECT_EQ(control.GetIDsOfNames("DtmfHit", id), tonvex::hr::kUnknownName);
}

TEST_F(ControlSurface, PropertiesStoreOnlyValuesInTheirRangesAndMarkTheControlModified) {
  EXPECT_EQ(Get(dispid::kMaxSecond), Variant::I2(10));
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(50));
  for (int16_t bad : {9, 121, -1}) EXPECT_EQ(Put(dispid::kMaxSecond, Variant::I2(bad)), kOk);
  for (int32_t bad : {0, 301}) EXPECT_EQ(Put(dispid::kSensitivity, Variant::I4(bad)), kOk);
  EXPECT_EQ(Get(dispid::kMaxSecond), Variant::I2(10));
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(50));
  EXPECT_EQ(site.modified, 0);
  EXPECT_EQ(ErrorMsg(), "");

  Put(dispid::kMaxSecond, Variant::I2(120));
  EXPECT_EQ(Get(dispid::kMaxSecond), Variant::I2(120));
  Put(dispid::kMaxSecond, Variant::I2(10));
  Put(dispid::kSensitivity, Variant::I4(1));
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(1));
  Put(dispid::kSensitivity, Variant::I4(300));
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(300));
  EXPECT_EQ(site.modified, 4);

  Put(dispid::kErrorMsg, Variant::BStr("メモ"));
  EXPECT_EQ(ErrorMsg(), "メモ");
  EXPECT_EQ(site.modified, 4);  // the text is not persisted
}

TEST_F(ControlSurface, ArgumentsConvertAsAutomationConvertsThem) {
  EXPECT_EQ(Put(dispid::kMaxSecond, Variant::I4(60)), kOk);
  EXPECT_EQ(Get(dispid::kMaxSecond), Variant::I2(60));
  EXPECT_EQ(Put(dispid::kSensitivity, Variant::BStr(" 75 ")), kOk);
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(75));
  EXPECT_EQ(Put(dispid::kSensitivity, Variant::R8(40.5)), kOk);  // half to even
  EXPECT_EQ(Get(dispid::kSensitivity), Variant::I4(40));

  uint32_t argError = 99;
  EXPECT_EQ(control.Invoke(dispid::kSensitivity, dispatch::kPropertyPut, {Variant::BStr("loud")},
                           nullptr, &argError),
            tonvex::hr::kTypeMismatch);
  EXPECT_EQ(argError, 0u);
  EXPECT_EQ(Put(dispid::kMaxSecond, Variant::I4(70000)), tonvex::hr::kOverflow);
  EXPECT_EQ(Get(dispid::kMaxSecond), Variant::I2(60));

  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::I4(123)}), Variant::Bool(true));
  EXPECT_EQ(sound.played, "123");
}

TEST_F(ControlSurface, WrongMembersCountsAndKindsFailAsAutomationFailures) {
  Variant result;
  EXPECT_EQ(control.Invoke(7, dispatch::kMethod, {}, &result), tonvex::hr::kMemberNotFound);
  EXPECT_EQ(control.Invoke(dispid::kSearchDtmf, dispatch::kMethod, {Variant::I4(1)}, &result),
            tonvex::hr::kBadParamCount);
  EXPECT_EQ(control.Invoke(dispid::kPlayDtmf, dispatch::kMethod, {}, &result),
            tonvex::hr::kBadParamCount);
  EXPECT_EQ(control.Invoke(dispid::kSensitivity, dispatch::kPropertyGet, {Variant::I4(1)}, &result),
            tonvex::hr::kBadParamCount);
  EXPECT_EQ(control.Invoke(dispid::kSearchDtmf, dispatch::kPropertyPut, {Variant::I4(1)}, &result),
            tonvex::hr::kMemberNotFound);
  EXPECT_FALSE(control.Engine().Running);
  // A property read asked for as a method call, as some clients do.
  EXPECT_EQ(
      control.Invoke(dispid::kMaxSecond, dispatch::kMethod | dispatch::kPropertyGet, {}, &result),
      kOk);
  EXPECT_EQ(result, Variant::I2(10));
}

TEST_F(ControlSurface, DisabledControlRefusesEachMethodWithItsOwnText) {
  EXPECT_EQ(Put(dispid::kEnabled, Variant::Bool(false)), kOk);
  EXPECT_EQ(Call(dispid::kSearchDtmf), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "プロパティEnabledがFALSEです");
  EXPECT_EQ(Call(dispid::kSearchLevel), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "プロパティEnabledがFALSE");
  Put(dispid::kErrorMsg, Variant::BStr(""));
  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::BStr("1")}), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "プロパティEnabledがFALSE");
  EXPECT_EQ(sound.played, "");
}

TEST_F(ControlSurface, RunningSearchRefusesTheOtherModeAndPlaybackButErrorMsgSurvivesSuccess) {
  EXPECT_EQ(Call(dispid::kSearchDtmf), Variant::Bool(true));
  EXPECT_EQ(Call(dispid::kSearchLevel), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "メソッド実行中");
  Put(dispid::kErrorMsg, Variant::BStr(""));
  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::BStr("1")}), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "メソッド実行中");
  EXPECT_TRUE(control.Engine().Running);
  EXPECT_EQ(Call(dispid::kSearchDtmf), Variant::Bool(true));

  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::BStr("12x3")}), Variant::Bool(false));
  EXPECT_EQ(ErrorMsg(), "不正文字有り");
  EXPECT_EQ(sound.played, "12");
  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::BStr("#")}), Variant::Bool(true));
  EXPECT_EQ(ErrorMsg(), "不正文字有り");
}

TEST_F(ControlSurface, DesignModeAnswersTrueToEveryMethodAndDoesNothing) {
  site.userMode = false;
  Put(dispid::kEnabled, Variant::Bool(false));
  EXPECT_EQ(Call(dispid::kSearchDtmf), Variant::Bool(true));
  EXPECT_EQ(Call(dispid::kSearchLevel), Variant::Bool(true));
  EXPECT_EQ(Call(dispid::kPlayDtmf, {Variant::BStr("not symbols")}), Variant::Bool(true));
  EXPECT_EQ(sound.played, "");
  EXPECT_EQ(ErrorMsg(), "");
  EXPECT_FALSE(control.Engine().Running);
}

TEST_F(ControlSurface, EnabledIsABindablePropertyAndDisablingAtRunTimeStopsTheSearch) {
  site.allowEdit = false;
  EXPECT_EQ(Put(dispid::kEnabled, Variant::Bool(false)), tonvex::hr::kSetNotPermitted);
  EXPECT_EQ(Get(dispid::kEnabled), Variant::Bool(true));
  site.allowEdit = true;

  Call(dispid::kSearchLevel);
  EXPECT_EQ(Put(dispid::kEnabled, Variant::I4(0)), kOk);
  EXPECT_FALSE(control.Engine().Running);
  EXPECT_EQ(site.changed, std::vector<int32_t>{dispid::kEnabled});
  EXPECT_EQ(site.modified, 1);

  Put(dispid::kEnabled, Variant::Bool(true));
  Call(dispid::kSearchLevel);
  site.userMode = false;
  Put(dispid::kEnabled, Variant::Bool(false));
  EXPECT_TRUE(control.Engine().Running);  // design time leaves the engine alone
}

TEST_F(ControlSurface, WindowIsMadeWhenTheSiteIsSetOrWhenASearchFindsNone) {
  site.window = 0;
  control.OnSetClientSite();
  EXPECT_EQ(site.windowsCreated, 1);
  site.window = 0;  // a script host never sets a site
  Call(dispid::kSearchDtmf);
  EXPECT_EQ(site.windowsCreated, 2);
  control.OnTimer(tonvex::kSearchTimerId);
  EXPECT_EQ(wave.window, site.window);
  EXPECT_NE(wave.window, 0u);
}

TEST_F(ControlSurface, ReturnToUserModeClearsCountsAndRedrawsOnlyForThatAmbient) {
  control.Engine().Detector.HitCounts[2] = 3;
  control.OnAmbientPropertyChange(-701);  // another ambient property
  EXPECT_EQ(control.Engine().Detector.HitCounts[2], 3);
  EXPECT_EQ(site.invalidated, 0);
  control.OnAmbientPropertyChange(dispid::kAmbientUserMode);
  EXPECT_EQ(control.Engine().Detector.HitCounts[2], 0);
  EXPECT_EQ(site.invalidated, 1);
}

TEST_F(ControlSurface, AboutBoxAsksTheSiteAndReturnsNothing) {
  EXPECT_EQ(Call(dispid::kAboutBox), Variant());
  EXPECT_EQ(site.aboutBoxes, 1);
}

TEST_F(ControlSurface, PlaybackTakesTheTextAsTheSystemsAnsiBytes) {
  // A full-width digit that a code page maps to its narrow form plays as that digit.
  tonvex::TonvexControl ansi(site, wave, sound, [](const std::string& text) {
    return text == "１" ? std::string("1") : text;
  });
  EXPECT_TRUE(ansi.PlayDtmf("１"));
  EXPECT_EQ(sound.played, "1");
}

}  // namespace
