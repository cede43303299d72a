// A StatusNotifierWatcher for the tests: owns the watcher's name on the session bus and prints
// "watching" once it does, "registered NAME" for each item registered and "gone NAME" when the
// item's name leaves the bus.
#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kInterfaceXml[] = R"(<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s"/></method>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
</node>)";

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void OnItemGone(GDBusConnection*, const char* name, void*) { Say(std::string("gone ") + name); }

void OnMethodCall(GDBusConnection* bus, const char*, const char*, const char*, const char* method,
                  GVariant* parameters, GDBusMethodInvocation* invocation, void*) {
  if (std::string(method) == "RegisterStatusNotifierItem") {
    const char* service = nullptr;
    g_variant_get(parameters, "(&s)", &service);
    Say(std::string("registered ") + service);
    g_bus_watch_name_on_connection(bus, service, G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
                                   &OnItemGone, nullptr, nullptr);
  }
  g_dbus_method_invocation_return_value(invocation, nullptr);
}

GVariant* OnGetProperty(GDBusConnection*, const char*, const char*, const char*,
                        const char* property, GError**, void*) {
  if (std::string(property) == "ProtocolVersion") return g_variant_new_int32(0);
  return g_variant_new_boolean(TRUE);
}

}  // namespace

int main() {
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus) {
    std::fprintf(stderr, "status-notifier-watcher: no session bus\n");
    return 1;
  }
  GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kInterfaceXml, nullptr);
  static const GDBusInterfaceVTable vtable = {&OnMethodCall, &OnGetProperty, nullptr, {}};
  g_dbus_connection_register_object(bus, "/StatusNotifierWatcher", node->interfaces[0], &vtable,
                                    nullptr, nullptr, nullptr);
  g_bus_own_name_on_connection(
      bus, "org.kde.StatusNotifierWatcher", G_BUS_NAME_OWNER_FLAGS_NONE,
      [](GDBusConnection*, const char*, void*) { Say("watching"); },
      [](GDBusConnection*, const char*, void*) {
        Say("the watcher's name is taken");
        std::exit(1);
      },
      nullptr, nullptr);
  g_main_loop_run(g_main_loop_new(nullptr, FALSE));
}
