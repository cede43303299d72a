#include "status_notifier_item.h"

#include <gio/gio.h>
#include <unistd.h>

#include "pixbuf_picture.h"

namespace dorvane::linux_host {
namespace {

constexpr char kObjectPath[] = "/StatusNotifierItem";
constexpr char kWatcher[] = "org.kde.StatusNotifierWatcher";

constexpr char kInterfaceXml[] = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <method name="Activate"><arg name="x" type="i"/><arg name="y" type="i"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i"/><arg name="y" type="i"/></method>
    <method name="ContextMenu"><arg name="x" type="i"/><arg name="y" type="i"/></method>
    <method name="Scroll"><arg name="delta" type="i"/><arg name="orientation" type="s"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
  </interface>
</node>)xml";

GDBusInterfaceInfo* InterfaceInfo() {
  static GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kInterfaceXml, nullptr);
  return node->interfaces[0];
}

GVariant* NoPixmaps() { return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0); }

// The icon's pixels as the hosts read them: ARGB32 in network byte order.
GVariant* ArgbPixmap(GdkPixbuf* pixbuf) {
  const int width = gdk_pixbuf_get_width(pixbuf);
  const int height = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  GByteArray* argb = g_byte_array_sized_new(width * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const guchar* pixel = pixels + y * stride + x * channels;
      const guchar bytes[4] = {channels == 4 ? pixel[3] : guchar{255}, pixel[0], pixel[1],
                               pixel[2]};
      g_byte_array_append(argb, bytes, 4);
    }
  }
  GVariant* data = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, argb->data, argb->len, 1);
  g_byte_array_unref(argb);
  return g_variant_new("(ii@ay)", width, height, data);
}

GVariant* IconPixmaps() {
  GVariantBuilder builder;
  g_variant_builder_init(&builder, G_VARIANT_TYPE("a(iiay)"));
  for (const bool large : {false, true}) {
    GdkPixbuf* icon = ProgramIconPixbuf(large);
    g_variant_builder_add_value(&builder, ArgbPixmap(icon));
    g_object_unref(icon);
  }
  return g_variant_builder_end(&builder);
}

struct PendingClick {
  std::weak_ptr<TrayIcon::Notify> notify;
  int down;
  int up;
};

// Delivered from the main loop once the host has its reply: the menu runs a loop of its own.
gboolean DeliverClick(gpointer data) {
  const auto* click = static_cast<PendingClick*>(data);
  if (auto notify = click->notify.lock()) (*notify)(click->down);
  if (auto notify = click->notify.lock()) (*notify)(click->up);
  return G_SOURCE_REMOVE;
}

}  // namespace

std::unique_ptr<StatusNotifierItem> StatusNotifierItem::Export(TrayIcon::Notify notify,
                                                               const std::string& tip) {
  std::unique_ptr<StatusNotifierItem> item(new StatusNotifierItem(std::move(notify), tip));
  if (!item->object_) return nullptr;
  return item;
}

StatusNotifierItem::StatusNotifierItem(TrayIcon::Notify notify, const std::string& tip)
    : notify_(std::make_shared<TrayIcon::Notify>(std::move(notify))),
      tip_(tip),
      busName_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1") {
  bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus_) return;
  static const GDBusInterfaceVTable vtable = {
      &StatusNotifierItem::OnMethodCall, &StatusNotifierItem::OnGetProperty, nullptr, {}};
  object_ = g_dbus_connection_register_object(bus_, kObjectPath, InterfaceInfo(), &vtable, this,
                                              nullptr, nullptr);
  if (!object_) return;
  name_ = g_bus_own_name_on_connection(bus_, busName_.c_str(), G_BUS_NAME_OWNER_FLAGS_NONE,
                                       &OnNameAcquired, nullptr, this, nullptr);
  watcherWatch_ =
      g_bus_watch_name_on_connection(bus_, kWatcher, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                     &OnWatcherAppeared, &OnWatcherVanished, this, nullptr);
}

StatusNotifierItem::~StatusNotifierItem() {
  if (watcherWatch_) g_bus_unwatch_name(watcherWatch_);
  if (name_) g_bus_unown_name(name_);
  if (object_) g_dbus_connection_unregister_object(bus_, object_);
  if (bus_) {
    // The watcher learns of the removal from the name's release; send it before the program ends.
    g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
  }
}

void StatusNotifierItem::Register() {
  if (!nameAcquired_ || !watcherPresent_) return;
  g_dbus_connection_call(bus_, kWatcher, "/StatusNotifierWatcher", kWatcher,
                         "RegisterStatusNotifierItem", g_variant_new("(s)", busName_.c_str()),
                         nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

GVariant* StatusNotifierItem::Property(const std::string& name) const {
  if (name == "Category") return g_variant_new_string("Communications");
  if (name == "Id") return g_variant_new_string("dorvane");
  if (name == "Title") return g_variant_new_string(tip_.c_str());
  if (name == "Status") return g_variant_new_string("Active");
  if (name == "WindowId") return g_variant_new_int32(0);
  if (name == "IconPixmap") return IconPixmaps();
  if (name == "OverlayIconPixmap" || name == "AttentionIconPixmap") return NoPixmaps();
  if (name == "ToolTip") return g_variant_new("(s@a(iiay)ss)", "", NoPixmaps(), tip_.c_str(), "");
  if (name == "ItemIsMenu") return g_variant_new_boolean(FALSE);
  // The icon goes by its pixels: its name is in the icon theme only once installed.
  return g_variant_new_string("");
}

void StatusNotifierItem::Call(const std::string& method, GDBusMethodInvocation* invocation) {
  g_dbus_method_invocation_return_value(invocation, nullptr);
  if (method == "Activate") Click(kLeftButtonDown, kLeftButtonUp);
  if (method == "SecondaryActivate") Click(kMiddleButtonDown, kMiddleButtonUp);
  if (method == "ContextMenu") Click(kRightButtonDown, kRightButtonUp);
}

void StatusNotifierItem::Click(int down, int up) {
  g_idle_add_full(G_PRIORITY_DEFAULT, &DeliverClick, new PendingClick{notify_, down, up},
                  [](gpointer click) { delete static_cast<PendingClick*>(click); });
}

void StatusNotifierItem::OnMethodCall(GDBusConnection*, const char*, const char*, const char*,
                                      const char* method, GVariant*,
                                      GDBusMethodInvocation* invocation, void* self) {
  static_cast<StatusNotifierItem*>(self)->Call(method, invocation);
}

GVariant* StatusNotifierItem::OnGetProperty(GDBusConnection*, const char*, const char*, const char*,
                                            const char* property, GError**, void* self) {
  return static_cast<StatusNotifierItem*>(self)->Property(property);
}

void StatusNotifierItem::OnNameAcquired(GDBusConnection*, const char*, void* self) {
  auto* item = static_cast<StatusNotifierItem*>(self);
  item->nameAcquired_ = true;
  item->Register();
}

void StatusNotifierItem::OnWatcherAppeared(GDBusConnection*, const char*, const char*, void* self) {
  auto* item = static_cast<StatusNotifierItem*>(self);
  item->watcherPresent_ = true;
  item->Register();
}

void StatusNotifierItem::OnWatcherVanished(GDBusConnection*, const char*, void* self) {
  static_cast<StatusNotifierItem*>(self)->watcherPresent_ = false;
}

}  // namespace dorvane::linux_host
