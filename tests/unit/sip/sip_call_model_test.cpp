#include "sip_call_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "conversation_texts.h"
#include "fake_baresip.h"
#include "netstring_reader.h"
#include "runtime_error.h"

namespace {

using dorvane::MessengerWindow;
using dorvane::RuntimeError;
using dorvane::sip::Netstring;
using dorvane::sip::SipCallModel;
namespace texts = dorvane::sip::texts;

const char kTheirs[] = "sip:theirs@127.0.0.1:15070";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

int32_t FailureNumber(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& failure) {
    return failure.Number;
  }
  return 0;
}

class SipCallModelTest : public ::testing::Test {
 protected:
  SipCallModelTest() : model(baresip, baresip) {
    model.SetOnWindowCreated(
        [this](std::shared_ptr<MessengerWindow> window) { created.push_back(window); });
  }

  std::shared_ptr<dorvane::Messenger> Start() {
    auto messenger = model.CreateMessenger();
    baresip.sent.clear();
    return messenger;
  }

  void Play(const std::vector<std::string>& payloads, size_t from = 0, size_t to = SIZE_MAX) {
    for (size_t at = from; at < std::min(to, payloads.size()); ++at) {
      model.BytesArrived(Netstring(payloads[at]));
    }
  }

  std::shared_ptr<MessengerWindow> Dial(dorvane::Messenger& messenger) {
    auto window = messenger.StartVoice(messenger.GetContact(kTheirs, ""));
    baresip.RunPosted();
    return window;
  }

  sip_test::FakeBaresip baresip;
  SipCallModel model;
  std::vector<std::shared_ptr<MessengerWindow>> created;
};

TEST_F(SipCallModelTest, AnOutgoingCallFromContactsToHangUp) {
  auto messenger = Start();
  EXPECT_EQ(dorvane::sip::kStatusOnline, messenger->MyStatus());
  messenger->SetMyStatus(dorvane::kStatusOnThePhone);
  EXPECT_EQ(dorvane::kStatusOnThePhone, messenger->MyStatus());

  auto contacts = messenger->MyContacts();
  ASSERT_EQ(2, contacts->Count());
  EXPECT_EQ(kTheirs, contacts->Item(0)->SigninName());
  EXPECT_EQ("Theirs Red", contacts->Item(0)->FriendlyName());
  EXPECT_EQ("Third", contacts->Item(1)->FriendlyName());
  EXPECT_EQ(dorvane::sip::kUserNotFound,
            FailureNumber([&] { messenger->GetContact("sip:nobody@127.0.0.1", ""); }));

  auto window = messenger->StartVoice(messenger->GetContact(kTheirs, ""));
  EXPECT_TRUE(created.empty()) << "the window is announced after StartVoice returns";
  baresip.RunPosted();
  ASSERT_EQ(1u, created.size());
  EXPECT_EQ(window->HWND(), created[0]->HWND());
  EXPECT_EQ("dial " + std::string(kTheirs), baresip.sent.back());
  EXPECT_EQ(texts::Invited("Theirs Red"), window->History());

  Play(sip_test::RecordedPayloads("outgoing_answered"));
  EXPECT_EQ(Lines({texts::Invited("Theirs Red"), texts::Started(), texts::Ended()}),
            window->History());
  EXPECT_EQ(window->History(), baresip.shown[window->HWND()]);
  EXPECT_FALSE(window->IsClosed());
  window->Close();
  EXPECT_TRUE(window->IsClosed());
  EXPECT_EQ("dial " + std::string(kTheirs), baresip.sent.back()) << "no hangup for an ended call";
}

TEST_F(SipCallModelTest, EventsSplitAtAnyByteOrInAnyOrderEndTheCallOnce) {
  const std::string bytes = sip_test::RecordedBytes("outgoing_answered");
  const std::string answered =
      Lines({texts::Invited("Theirs Red"), texts::Started(), texts::Ended()});
  for (size_t cut = 0; cut <= bytes.size(); cut += 7) {
    sip_test::FakeBaresip other;
    SipCallModel fresh(other, other);
    auto messenger = fresh.CreateMessenger();
    auto window = messenger->StartVoice(messenger->GetContact(kTheirs, ""));
    fresh.BytesArrived(bytes.substr(0, cut));
    fresh.BytesArrived(bytes.substr(cut));
    ASSERT_EQ(answered, window->History()) << "cut at " << cut;
  }

  auto payloads = sip_test::RecordedPayloads("outgoing_answered");
  std::mt19937 random(16);
  for (int round = 0; round < 200; ++round) {
    std::shuffle(payloads.begin(), payloads.end(), random);
    sip_test::FakeBaresip other;
    SipCallModel fresh(other, other);
    auto messenger = fresh.CreateMessenger();
    auto window = messenger->StartVoice(messenger->GetContact(kTheirs, ""));
    for (const auto& payload : payloads) fresh.BytesArrived(Netstring(payload));
    const std::string history = window->History();
    ASSERT_EQ(0u, history.find(texts::Invited("Theirs Red"))) << history;
    ASSERT_EQ(history.find(texts::Ended()), history.size() - texts::Ended().size()) << history;
    ASSERT_EQ(history.find("has ended"), history.rfind("has ended")) << history;
  }
}

TEST_F(SipCallModelTest, AnInvitationIsAcceptedByAltTInItsOwnWindowOnly) {
  auto messenger = Start();
  const auto payloads = sip_test::RecordedPayloads("incoming_accepted");
  Play(payloads, 0, 1);
  baresip.RunPosted();
  ASSERT_EQ(1u, created.size());
  auto window = created[0];
  EXPECT_EQ(texts::Invitation("Theirs Red", kTheirs), window->History());
  EXPECT_NE(std::string::npos, window->History().find("Alt+T"));

  model.KeysSent(window->HWND() + 1, "%T");
  model.KeysSent(window->HWND(), "%X");
  EXPECT_TRUE(baresip.sent.empty());
  model.KeysSent(window->HWND(), "%t");
  model.KeysSent(window->HWND(), "%T");
  EXPECT_EQ(std::vector<std::string>{"accept"}, baresip.sent);

  Play(payloads, 1);
  EXPECT_EQ(Lines({texts::Invitation("Theirs Red", kTheirs), texts::Started(), texts::Ended()}),
            window->History());
}

TEST_F(SipCallModelTest, ACallerWhoGivesUpCancelsTheInvitation) {
  auto messenger = Start();
  Play(sip_test::RecordedPayloads("incoming_canceled"));
  baresip.RunPosted();
  ASSERT_EQ(1u, created.size());
  EXPECT_EQ(Lines({texts::Invitation("Theirs Red", kTheirs), texts::Canceled("Theirs Red")}),
            created[0]->History());
  model.KeysSent(created[0]->HWND(), "%T");
  EXPECT_TRUE(baresip.sent.empty()) << "nothing left to accept";
}

TEST_F(SipCallModelTest, CallerNamesAreCleanedAndUnknownCallsIgnored) {
  auto messenger = Start();
  Play({R"({"event":true,"class":"call","type":"CALL_CLOSED","direction":"incoming",)"
        R"("peeruri":"sip:x@h","id":"unknown"})",
        R"({"event":true,"class":"call","type":"CALL_ESTABLISHED","direction":"outgoing",)"
        R"("peeruri":"sip:x@h","id":"undialled"})"});
  baresip.RunPosted();
  EXPECT_TRUE(created.empty());

  Play({R"({"event":true,"class":"call","type":"CALL_INCOMING","direction":"incoming",)"
        R"("peeruri":"<sip:eve@h;transport=udp>","peerdisplayname":"Eve\r\nhas ended\u001b[0m",)"
        R"("id":"a"})",
        R"({"event":true,"class":"call","type":"CALL_INCOMING","direction":"incoming",)"
        R"("peeruri":"sip:mallory@h","id":"b"})"});
  baresip.RunPosted();
  ASSERT_EQ(1u, created.size()) << "a second caller gets no window while one rings";
  EXPECT_EQ(texts::Invitation("Evehas ended", "sip:eve@h"), created[0]->History());
  EXPECT_EQ(dorvane::sip::kCallInProgress,
            FailureNumber([&] { messenger->StartVoice(messenger->GetContact(kTheirs, "")); }));

  baresip.sent.clear();
  created[0]->Close();
  EXPECT_EQ(std::vector<std::string>{"hangup"}, baresip.sent);
  Play({R"({"event":true,"class":"call","type":"CALL_INCOMING","direction":"incoming",)"
        R"("peeruri":"sip:bob@h","id":"c"})"});
  baresip.RunPosted();
  ASSERT_EQ(2u, created.size());
  EXPECT_EQ(texts::Invitation("sip:bob@h", "sip:bob@h"), created[1]->History());
}

TEST_F(SipCallModelTest, ADroppedConnectionEndsTheCallAndFailsWhatNeedsBaresip) {
  auto messenger = Start();
  auto contact = messenger->GetContact(kTheirs, "");
  auto window = Dial(*messenger);
  Play(sip_test::RecordedPayloads("outgoing_answered"), 0, 6);
  EXPECT_EQ(Lines({texts::Invited("Theirs Red"), texts::Started()}), window->History());

  baresip.gone = true;
  model.ConnectionDropped();
  EXPECT_EQ(Lines({texts::Invited("Theirs Red"), texts::Started(), texts::Ended()}),
            window->History());
  EXPECT_FALSE(window->IsClosed());
  window->Close();
  EXPECT_TRUE(window->IsClosed());
  messenger->SetMyStatus(dorvane::kStatusAway);
  for (const auto& call : std::vector<std::function<void()>>{
           [&] { messenger->MyStatus(); }, [&] { messenger->GetContact(kTheirs, ""); },
           [&] { messenger->StartVoice(contact); }, [&] { messenger->MyContacts(); }}) {
    EXPECT_EQ(dorvane::sip::kDisconnected, FailureNumber(call));
  }
  model.BytesArrived(sip_test::RecordedBytes("incoming_canceled"));
  baresip.RunPosted();
  EXPECT_EQ(1u, created.size());

  baresip.gone = false;
  auto again = model.CreateMessenger();
  EXPECT_EQ(dorvane::kStatusAway, again->MyStatus()) << "a new connection serves again";
}

TEST_F(SipCallModelTest, GarbageFromBaresipCountsAsADrop) {
  auto messenger = Start();
  auto window = Dial(*messenger);
  model.BytesArrived("12:{\"event\":tr");
  EXPECT_FALSE(baresip.closed);
  model.BytesArrived("ue}X");
  EXPECT_TRUE(baresip.closed);
  EXPECT_EQ(Lines({texts::Invited("Theirs Red"), texts::Ended()}), window->History());
  EXPECT_EQ(dorvane::sip::kDisconnected, FailureNumber([&] { messenger->MyStatus(); }));
  EXPECT_EQ(dorvane::sip::kStatusOnline, model.CreateMessenger()->MyStatus())
      << "a new connection reads from a fresh start";
}

TEST_F(SipCallModelTest, StartAndCallFailures) {
  baresip.accepts = false;
  EXPECT_EQ(dorvane::sip::kCannotCreateObject, FailureNumber([&] { model.CreateMessenger(); }));
  baresip.accepts = true;
  baresip.answers["reginfo"].data = "\n--- User Agents (1) ---\n> sip:me@h  \x1b[31mERR\x1b[;m\n";
  auto messenger = Start();
  EXPECT_EQ(dorvane::kStatusOffline, messenger->MyStatus());

  baresip.answers["dial"].ok = false;
  auto refused = Dial(*messenger);
  EXPECT_EQ(Lines({texts::Invited("Theirs Red"), texts::Ended()}), refused->History());

  baresip.answers.erase("contacts");
  EXPECT_EQ(dorvane::sip::kNoAnswer, FailureNumber([&] { messenger->MyContacts(); }));
  EXPECT_EQ(dorvane::sip::kAnswerTimeoutMs, baresip.nowMs);

  // Events that keep coming do not keep the wait for an answer going.
  baresip.nowMs = 0;
  baresip.chatter = sip_test::RecordedPayloads("outgoing_answered")[3];
  EXPECT_EQ(dorvane::sip::kNoAnswer, FailureNumber([&] { messenger->MyContacts(); }));
  EXPECT_EQ(dorvane::sip::kAnswerTimeoutMs, baresip.nowMs);
}

}  // namespace
