// The notification-area icon as a StatusNotifierItem on the session bus, for desktops whose
// only host is a StatusNotifierWatcher. The host's calls become the mouse messages the XEmbed
// icon gives, so the program opens its own menu at the pointer.
#pragma once

#include <memory>
#include <string>

#include "tray_icon.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GVariant GVariant;
typedef struct _GError GError;

namespace dorvane::linux_host {

class StatusNotifierItem {
 public:
  // Exported at /StatusNotifierItem under org.kde.StatusNotifierItem-PID-1 and registered with
  // the watcher (again whenever one appears); null when the session bus refuses the object.
  static std::unique_ptr<StatusNotifierItem> Export(TrayIcon::Notify notify,
                                                    const std::string& tip);
  ~StatusNotifierItem();
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  const std::string& BusName() const { return busName_; }

 private:
  StatusNotifierItem(TrayIcon::Notify notify, const std::string& tip);
  GVariant* Property(const std::string& name) const;
  void Call(const std::string& method, GDBusMethodInvocation* invocation);
  void Click(int down, int up);
  void Register();

  static void OnMethodCall(GDBusConnection*, const char*, const char*, const char*,
                           const char* method, GVariant*, GDBusMethodInvocation* invocation,
                           void* self);
  static GVariant* OnGetProperty(GDBusConnection*, const char*, const char*, const char*,
                                 const char* property, GError**, void* self);
  static void OnNameAcquired(GDBusConnection*, const char*, void* self);
  static void OnWatcherAppeared(GDBusConnection*, const char*, const char*, void* self);
  static void OnWatcherVanished(GDBusConnection*, const char*, void* self);

  // Shared with the clicks waiting to be delivered, which drop out once the item is gone.
  std::shared_ptr<TrayIcon::Notify> notify_;
  std::string tip_;
  std::string busName_;
  GDBusConnection* bus_ = nullptr;
  unsigned object_ = 0;
  unsigned name_ = 0;
  unsigned watcherWatch_ = 0;
  bool nameAcquired_ = false;
  bool watcherPresent_ = false;
};

}  // namespace dorvane::linux_host
