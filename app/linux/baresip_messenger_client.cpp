#include "baresip_messenger_client.h"

#include <glib.h>

namespace dorvane::linux_host {

BaresipMessengerClient::BaresipMessengerClient(BaresipEndpoint endpoint, WindowCreated created,
                                               WindowViews views, int connectWaitMs)
    : views_(std::move(views)),
      connection_(std::move(endpoint), connectWaitMs),
      model_(connection_, *this) {
  model_.SetOnWindowCreated(std::move(created));
  connection_.SetHandlers([this](const std::string& bytes) { model_.BytesArrived(bytes); },
                          [this] { model_.ConnectionDropped(); });
}

WindowHandle BaresipMessengerClient::OpenWindow(const std::string& title) {
  if (views_.open) return views_.open(title);
  return ++nextHandle_;
}

void BaresipMessengerClient::ShowText(WindowHandle window, const std::string& history) {
  if (views_.show) views_.show(window, history);
}

void BaresipMessengerClient::CloseWindow(WindowHandle window) {
  if (views_.close) views_.close(window);
}

namespace {

struct PostedTask {
  std::weak_ptr<int> client;  // the task is dropped once its client is gone
  std::function<void()> task;
};

}  // namespace

void BaresipMessengerClient::Post(std::function<void()> task) {
  g_idle_add(
      [](gpointer data) {
        auto* posted = static_cast<PostedTask*>(data);
        if (!posted->client.expired()) posted->task();
        delete posted;
        return G_SOURCE_REMOVE;
      },
      new PostedTask{lifetime_, std::move(task)});
}

}  // namespace dorvane::linux_host
