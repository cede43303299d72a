#include "baresip_connection.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "baresip_agent.h"
#include "baresip_messenger_client.h"
#include "conversation_texts.h"
#include "runtime_error.h"
#include "sip_call_model.h"

namespace {

using dorvane::MessengerWindow;
using dorvane::linux_host::BaresipEndpoint;
using dorvane::linux_host::BaresipMessengerClient;
namespace texts = dorvane::sip::texts;

constexpr int kOursSip = 15100, kOursCtrl = 15500, kTheirsSip = 15110, kTheirsCtrl = 15510;
const std::string kOurs = "sip:ours@127.0.0.1:" + std::to_string(kOursSip);
const std::string kTheirs = "sip:theirs@127.0.0.1:" + std::to_string(kTheirsSip);

// One side of the call: baresip and the Linux program's messenger on it.
struct Side {
  explicit Side(const sip_test::AgentSetup& setup)
      : agent(setup),
        client(BaresipEndpoint{"127.0.0.1", static_cast<uint16_t>(setup.ctrlPort)},
               [this](std::shared_ptr<MessengerWindow> window) { windows.push_back(window); },
               {nullptr,
                [this](dorvane::WindowHandle window, const std::string& text) {
                  shown[window] = text;
                },
                nullptr}) {}
  sip_test::BaresipAgent agent;
  BaresipMessengerClient client;
  std::vector<std::shared_ptr<MessengerWindow>> windows;
  std::map<dorvane::WindowHandle, std::string> shown;
};

bool RunUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(5000);
  }
  return true;
}

bool Shows(const std::shared_ptr<MessengerWindow>& window, const std::string& text) {
  return window->History().find(text) != std::string::npos;
}

TEST(BaresipEndpoint, HostAndPortFromText) {
  BaresipEndpoint endpoint;
  EXPECT_TRUE(ParseEndpoint("localhost:15444", endpoint));
  EXPECT_EQ("localhost", endpoint.host);
  EXPECT_EQ(15444, endpoint.port);
  EXPECT_TRUE(ParseEndpoint("::1:4444", endpoint));
  EXPECT_EQ("::1", endpoint.host);
  for (const char* bad :
       {"", "host", ":4444", "host:", "host:0", "host:65536", "host:4x", "h:-1"}) {
    EXPECT_FALSE(ParseEndpoint(bad, endpoint)) << bad;
  }
  EXPECT_EQ("::1", endpoint.host) << "a bad value leaves the endpoint as it was";
}

TEST(BaresipConnection, NobodyListeningFailsCreationAfterTheWait) {
  BaresipMessengerClient client(BaresipEndpoint{"127.0.0.1", 15599}, nullptr, {}, 300);
  const auto start = std::chrono::steady_clock::now();
  try {
    client.CreateMessenger();
    FAIL() << "created without baresip";
  } catch (const dorvane::RuntimeError& failure) {
    EXPECT_EQ(dorvane::sip::kCannotCreateObject, failure.Number);
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

TEST(BaresipConnection, CallsBetweenTwoBaresipsThenOursIsKilled) {
  if (!sip_test::BaresipInstalled()) GTEST_SKIP() << "baresip is not installed";
  sip_test::TempFolder folder;
  Side ours({folder.Path() + "/ours", "ours", kOursSip, kOursCtrl, {{"Their Side", kTheirs}}});
  Side theirs({folder.Path() + "/theirs", "theirs", kTheirsSip, kTheirsCtrl, {{"Us", kOurs}}});
  auto oursMessenger = ours.client.CreateMessenger();
  auto theirsMessenger = theirs.client.CreateMessenger();
  EXPECT_EQ(dorvane::sip::kStatusOnline, oursMessenger->MyStatus());
  auto contacts = oursMessenger->MyContacts();
  ASSERT_EQ(1, contacts->Count());
  EXPECT_EQ(kTheirs, contacts->Item(0)->SigninName());
  EXPECT_EQ("Their Side", contacts->Item(0)->FriendlyName());

  // They call, we accept with Alt+T, they hang up.
  auto call = theirsMessenger->StartVoice(theirsMessenger->GetContact(kOurs, ""));
  ASSERT_TRUE(RunUntil([&] { return !ours.windows.empty(); }));
  auto invitation = ours.windows[0];
  EXPECT_EQ(texts::Invitation("Their Side", kTheirs), invitation->History());
  ours.client.KeysSent(invitation->HWND(), "%T");
  ASSERT_TRUE(RunUntil([&] {
    return Shows(invitation, texts::Started()) && Shows(call, texts::Started());
  })) << invitation->History()
      << "\n"
      << call->History();
  call->Close();
  ASSERT_TRUE(RunUntil([&] { return Shows(invitation, texts::Ended()); }));
  EXPECT_EQ(invitation->History(), ours.shown[invitation->HWND()]);

  // We call them; our baresip dies while they ring.
  auto ringing = oursMessenger->StartVoice(oursMessenger->GetContact(kTheirs, ""));
  ASSERT_TRUE(RunUntil([&] { return theirs.windows.size() == 2; }));
  EXPECT_EQ(texts::Invitation("Us", kOurs), theirs.windows[1]->History());
  ours.agent.Stop();
  ASSERT_TRUE(RunUntil([&] { return ours.client.Dropped(); }));
  EXPECT_EQ(texts::Invited("Their Side") + "\r\n" + texts::Ended(), ringing->History());
  EXPECT_FALSE(ringing->IsClosed());
  ringing->Close();
  EXPECT_TRUE(ringing->IsClosed());
  try {
    oursMessenger->MyStatus();
    FAIL() << "status read from a baresip that is gone";
  } catch (const dorvane::RuntimeError& failure) {
    EXPECT_EQ(dorvane::sip::kDisconnected, failure.Number);
  }
}

}  // namespace
