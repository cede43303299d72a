#include "netstring_reader.h"

#include <gtest/gtest.h>

#include "ctrl_message.h"
#include "fake_baresip.h"

namespace {

using dorvane::sip::CtrlEvent;
using dorvane::sip::NetstringReader;

std::vector<std::string> ReadAll(const std::vector<std::string>& chunks, bool* intact = nullptr) {
  NetstringReader reader;
  std::vector<std::string> payloads;
  bool ok = true;
  for (const auto& chunk : chunks) {
    ok = reader.Feed(chunk, [&](const std::string& payload) { payloads.push_back(payload); });
  }
  if (intact) *intact = ok;
  return payloads;
}

TEST(NetstringReader, ARecordingSplitAtAnyByteReadsAsWhole) {
  const std::string bytes = sip_test::RecordedBytes("incoming_accepted");
  const auto whole = ReadAll({bytes});
  ASSERT_EQ(8u, whole.size());
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    EXPECT_EQ(whole, ReadAll({bytes.substr(0, cut), bytes.substr(cut)})) << "cut at " << cut;
  }
  std::vector<std::string> bytewise;
  for (char c : bytes) bytewise.emplace_back(1, c);
  EXPECT_EQ(whole, ReadAll(bytewise));
}

TEST(NetstringReader, BrokenStreamsStopAndStayStopped) {
  struct Case {
    const char* bytes;
    size_t payloadsBefore;
  };
  const Case cases[] = {
      {"3:abc,x", 1},                   // no length
      {"3:abcd", 0},                    // no comma
      {":abc,", 0},                     // empty length
      {"01:a,", 0},                     // leading zero
      {"-1:a,", 0},                     // sign
      {"99999999999999999999999:", 0},  // length past any buffer
      {"2000000:", 0},                  // past the payload limit
  };
  for (const Case& c : cases) {
    bool intact = true;
    const auto payloads = ReadAll({c.bytes, "3:abc,"}, &intact);
    EXPECT_FALSE(intact) << c.bytes;
    EXPECT_EQ(c.payloadsBefore, payloads.size()) << c.bytes;
  }
}

TEST(NetstringReader, EmptyAndTruncatedPayloads) {
  bool intact = false;
  EXPECT_EQ((std::vector<std::string>{"", "a:b,"}), ReadAll({"0:,4:a:b,,", "5:ab"}, &intact));
  EXPECT_TRUE(intact);
  EXPECT_EQ("3:abc,", dorvane::sip::Netstring("abc"));
}

TEST(CtrlMessage, FieldsOfTheWrongTypeReadAsEmptyAndNonMessagesAreNothing) {
  const auto event = dorvane::sip::ParseCtrlMessage(
      R"({"event":true,"type":"CALL_CLOSED","id":7,"peeruri":["x"],"param":"486 Busy"})");
  ASSERT_TRUE(std::holds_alternative<CtrlEvent>(event));
  EXPECT_EQ("", std::get<CtrlEvent>(event).id);
  EXPECT_EQ("486 Busy", std::get<CtrlEvent>(event).param);
  for (const char* other : {"", "{", "[]", "\"text\"", R"({"event":"yes"})", "{\"a\":\"\xff\"}"}) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(dorvane::sip::ParseCtrlMessage(other)))
        << other;
  }
}

}  // namespace
