#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "fake_site.h"
#include "fake_wave_in.h"
#include "property_bag.h"
#include "stream_persistence.h"
#include "tonvex_control.h"

namespace {

using tonvex::PersistentState;
using tonvex::Variant;

bool Same(const PersistentState& a, const PersistentState& b) {
  return a.ExtentX == b.ExtentX && a.ExtentY == b.ExtentY && a.Enabled == b.Enabled &&
         a.Sensitivity == b.Sensitivity && a.MaxSecond == b.MaxSecond;
}

class MapBag : public tonvex::PropertyBag {
 public:
  tonvex::HResult Read(const std::string& name, Variant& value) override {
    reads.push_back(name);
    if (name == failingName) return tonvex::hr::kFail;
    auto found = entries.find(name);
    if (found == entries.end()) return tonvex::hr::kInvalidArg;
    value = found->second;
    return tonvex::hr::kOk;
  }
  tonvex::HResult Write(const std::string& name, const Variant& value) override {
    entries[name] = value;
    return tonvex::hr::kOk;
  }
  std::map<std::string, Variant> entries;
  std::vector<std::string> reads;
  std::string failingName;
};

const PersistentState kCustom{1200, 400, false, 275, 90};

TEST(StreamPersistence, SavesVersionOneInALittleEndianLayoutAndLoadsItBack) {
  const std::vector<uint8_t> bytes = tonvex::SaveToStream(kCustom);
  const std::vector<uint8_t> expected = {0x00, 0x00, 0x01, 0x00,  // version 1.0
                                         0xB0, 0x04, 0x00, 0x00,  // extent 1200
                                         0x90, 0x01, 0x00, 0x00,  // extent 400
                                         0x00, 0x00,              // Enabled false
                                         0x13, 0x01, 0x00, 0x00,  // Sensitivity 275
                                         0x5A, 0x00};             // MaxSecond 90
  EXPECT_EQ(bytes, expected);
  PersistentState loaded;
  EXPECT_EQ(tonvex::LoadFromStream(bytes.data(), bytes.size(), loaded), tonvex::hr::kOk);
  EXPECT_TRUE(Same(loaded, kCustom));
}

TEST(StreamPersistence, AnyVersionLoads) {
  std::vector<uint8_t> bytes = tonvex::SaveToStream(kCustom);
  bytes[0] = 0x03;
  bytes[2] = 0x02;        // version 2.3
  bytes.push_back(0xEE);  // what follows belongs to someone else
  PersistentState loaded;
  EXPECT_EQ(tonvex::LoadFromStream(bytes.data(), bytes.size(), loaded), tonvex::hr::kOk);
  EXPECT_TRUE(Same(loaded, kCustom));
}

// Values the setters refuse take their defaults whichever way they were stored; the rest of
// the state loads as stored, and the edges of the ranges load as they are.
TEST(Persistence, LoadedValuesOutsideTheSettersRangesTakeTheirDefaults) {
  struct Case {
    int32_t sensitivity;
    int16_t maxSecond;
    int32_t expectedSensitivity;
    int16_t expectedMaxSecond;
  };
  const Case cases[] = {{0, 32767, 50, 10},     {-5, 0, 50, 10},      {301, 9, 50, 10},
                        {1, 121, 1, 10},        {300, 120, 300, 120}, {275, -1, 275, 10},
                        {INT32_MIN, 10, 50, 10}};
  for (const Case& c : cases) {
    const PersistentState stored{1200, 400, false, c.sensitivity, c.maxSecond};
    const PersistentState expected{1200, 400, false, c.expectedSensitivity, c.expectedMaxSecond};
    const std::vector<uint8_t> bytes = tonvex::SaveToStream(stored);
    PersistentState fromStream;
    EXPECT_EQ(tonvex::LoadFromStream(bytes.data(), bytes.size(), fromStream), tonvex::hr::kOk);
    EXPECT_TRUE(Same(fromStream, expected)) << c.sensitivity << " " << c.maxSecond;

    MapBag bag;
    tonvex::SaveToBag(bag, stored);
    PersistentState fromBag;
    EXPECT_EQ(tonvex::LoadFromBag(bag, fromBag), tonvex::hr::kOk);
    EXPECT_TRUE(Same(fromBag, expected)) << c.sensitivity << " " << c.maxSecond;
  }
}

TEST(StreamPersistence, TruncatedStreamFailsAndLeavesEveryDefault) {
  const std::vector<uint8_t> bytes = tonvex::SaveToStream(kCustom);
  for (size_t length = 0; length < tonvex::kStreamBytes; ++length) {
    PersistentState loaded = kCustom;
    EXPECT_EQ(tonvex::LoadFromStream(bytes.data(), length, loaded), tonvex::hr::kReadFault)
        << length;
    EXPECT_TRUE(Same(loaded, PersistentState{})) << length;
  }
}

TEST(BagPersistence, RoundTripsUnderTheirNames) {
  MapBag bag;
  ASSERT_EQ(tonvex::SaveToBag(bag, kCustom), tonvex::hr::kOk);
  EXPECT_EQ(bag.entries.at("_Version"), Variant::I4(0x00010000));
  EXPECT_EQ(bag.entries.at("_ExtentX"), Variant::I4(1200));
  EXPECT_EQ(bag.entries.at("_ExtentY"), Variant::I4(400));
  EXPECT_EQ(bag.entries.at("Enabled"), Variant::Bool(false));
  EXPECT_EQ(bag.entries.at("Sensitivity"), Variant::I4(275));
  EXPECT_EQ(bag.entries.at("MaxSecond"), Variant::I2(90));
  PersistentState loaded;
  EXPECT_EQ(tonvex::LoadFromBag(bag, loaded), tonvex::hr::kOk);
  EXPECT_TRUE(Same(loaded, kCustom));
}

TEST(BagPersistence, MissingEntriesTakeDefaultsAndTextValuesConvert) {
  MapBag bag;
  bag.entries["Enabled"] = Variant::BStr("False");
  bag.entries["MaxSecond"] = Variant::BStr("30");
  PersistentState loaded = kCustom;
  EXPECT_EQ(tonvex::LoadFromBag(bag, loaded), tonvex::hr::kOk);
  EXPECT_FALSE(loaded.Enabled);
  EXPECT_EQ(loaded.MaxSecond, 30);
  EXPECT_EQ(loaded.Sensitivity, 50);
  EXPECT_EQ(loaded.ExtentX, tonvex::kDefaultExtent);
}

TEST(BagPersistence, DamagedEntryOrUnreadableBagFailsTheWholeLoad) {
  MapBag bag;
  tonvex::SaveToBag(bag, kCustom);
  bag.entries["Sensitivity"] = Variant::BStr("very");
  PersistentState loaded = kCustom;
  EXPECT_EQ(tonvex::LoadFromBag(bag, loaded), tonvex::hr::kTypeMismatch);
  EXPECT_TRUE(Same(loaded, PersistentState{}));

  tonvex::SaveToBag(bag, kCustom);
  bag.failingName = "MaxSecond";
  EXPECT_EQ(tonvex::LoadFromBag(bag, loaded), tonvex::hr::kFail);
  EXPECT_TRUE(Same(loaded, PersistentState{}));
}

class ControlPersistence : public ::testing::Test {
 protected:
  class SilentOut : public tonvex::SoundOut {
    void Play(int32_t, const uint8_t*, uint32_t) override {}
  };
  ControlPersistence() : control(site, wave, sound) {}
  FakeSite site;
  FakeWaveIn wave;
  SilentOut sound;
  tonvex::TonvexControl control;
};

TEST_F(ControlPersistence, ControlRoundTripsThroughAStreamAndResetsToDefaults) {
  control.PutSensitivity(275);
  control.PutMaxSecond(90);
  control.PutEnabled(false);
  const std::vector<uint8_t> saved = control.SaveStream();

  FakeSite otherSite;
  tonvex::TonvexControl other(otherSite, wave, sound);
  ASSERT_EQ(other.LoadStream(saved.data(), saved.size()), tonvex::hr::kOk);
  EXPECT_EQ(other.GetSensitivity(), 275);
  EXPECT_EQ(other.GetMaxSecond(), 90);
  EXPECT_FALSE(other.GetEnabled());

  other.ResetState();
  EXPECT_EQ(other.GetSensitivity(), 50);
  EXPECT_EQ(other.GetMaxSecond(), 10);
  EXPECT_TRUE(other.GetEnabled());
}

TEST_F(ControlPersistence, DamagedStreamLeavesTheDefaultsNotAHalfLoadedControl) {
  control.PutSensitivity(275);
  const std::vector<uint8_t> saved = control.SaveStream();
  control.PutMaxSecond(90);
  EXPECT_EQ(control.LoadStream(saved.data(), 16), tonvex::hr::kReadFault);
  EXPECT_EQ(control.GetSensitivity(), 50);
  EXPECT_EQ(control.GetMaxSecond(), 10);
}

TEST_F(ControlPersistence, LoadingADisabledStateStopsARunningSearch) {
  ASSERT_TRUE(control.SearchDtmf());
  const std::vector<uint8_t> saved = tonvex::SaveToStream(PersistentState{847, 847, false, 50, 10});
  control.LoadStream(saved.data(), saved.size());
  EXPECT_FALSE(control.Engine().Running);
}

}  // namespace
