// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/tray_sni.h"

#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/linux/glib_ptr.h"
#include "platform/linux/tray_image.h"

namespace korvo::platform {

namespace {

constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kItemPath = "/StatusNotifierItem";
constexpr const char* kMenuPath = "/MenuBar";
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kMenuInterface = "com.canonical.dbusmenu";
constexpr int kProbeTimeoutMs = 1000;
constexpr int kRegisterTimeoutMs = 10000;

constexpr const char* kInterfaces = R"xml(<node>
<interface name="org.kde.StatusNotifierItem">
  <property name="Category" type="s" access="read"/>
  <property name="Id" type="s" access="read"/>
  <property name="Title" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="WindowId" type="i" access="read"/>
  <property name="IconThemePath" type="s" access="read"/>
  <property name="IconName" type="s" access="read"/>
  <property name="IconPixmap" type="a(iiay)" access="read"/>
  <property name="OverlayIconName" type="s" access="read"/>
  <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionIconName" type="s" access="read"/>
  <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionMovieName" type="s" access="read"/>
  <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
  <property name="ItemIsMenu" type="b" access="read"/>
  <property name="Menu" type="o" access="read"/>
  <method name="ContextMenu"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  <method name="Activate"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
  <method name="SecondaryActivate">
    <arg type="i" direction="in"/><arg type="i" direction="in"/>
  </method>
  <method name="Scroll"><arg type="i" direction="in"/><arg type="s" direction="in"/></method>
  <signal name="NewTitle"/>
  <signal name="NewIcon"/>
  <signal name="NewAttentionIcon"/>
  <signal name="NewOverlayIcon"/>
  <signal name="NewToolTip"/>
  <signal name="NewStatus"><arg type="s"/></signal>
</interface>
<interface name="com.canonical.dbusmenu">
  <property name="Version" type="u" access="read"/>
  <property name="TextDirection" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="IconThemePath" type="as" access="read"/>
  <method name="GetLayout">
    <arg type="i" direction="in"/><arg type="i" direction="in"/><arg type="as" direction="in"/>
    <arg type="u" direction="out"/><arg type="(ia{sv}av)" direction="out"/>
  </method>
  <method name="GetGroupProperties">
    <arg type="ai" direction="in"/><arg type="as" direction="in"/>
    <arg type="a(ia{sv})" direction="out"/>
  </method>
  <method name="GetProperty">
    <arg type="i" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/>
  </method>
  <method name="Event">
    <arg type="i" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="in"/>
    <arg type="u" direction="in"/>
  </method>
  <method name="EventGroup"><arg type="a(isvu)" direction="in"/><arg type="ai" direction="out"/></method>
  <method name="AboutToShow"><arg type="i" direction="in"/><arg type="b" direction="out"/></method>
  <method name="AboutToShowGroup">
    <arg type="ai" direction="in"/><arg type="ai" direction="out"/><arg type="ai" direction="out"/>
  </method>
  <signal name="ItemsPropertiesUpdated"><arg type="a(ia{sv})"/><arg type="a(ias)"/></signal>
  <signal name="LayoutUpdated"><arg type="u"/><arg type="i"/></signal>
  <signal name="ItemActivationRequested"><arg type="i"/><arg type="u"/></signal>
</interface>
</node>)xml";

// Each icon of the process owns a name of its own, also when an earlier one's is still being
// released by the bus.
std::atomic<int> itemCount{0};

bool sameEntries(const std::vector<TrayMenuEntry>& a, const std::vector<TrayMenuEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.id == y.id && x.label == y.label && x.enabled == y.enabled &&
               x.isDefault == y.isDefault;
    });
}

// The icon at the sizes hosts draw, as a(iiay): ARGB32 in network byte order.
GVariant* iconPixmaps(const IconImage& icon) {
    GVariantBuilder list;
    g_variant_builder_init(&list, G_VARIANT_TYPE("a(iiay)"));
    for (const int size : {16, 22, 24, 32, 48}) {
        const IconImage fitted = fitIcon(icon, size);
        std::vector<guint8> bytes;
        bytes.reserve(fitted.argb.size() * 4);
        for (const std::uint32_t p : fitted.argb) {
            for (const int shift : {24, 16, 8, 0}) bytes.push_back(static_cast<guint8>(p >> shift));
        }
        GVariant* data =
            g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.data(), bytes.size(), 1);
        g_variant_builder_add(&list, "(ii@ay)", size, size, data);
    }
    return g_variant_ref_sink(g_variant_builder_end(&list));
}

class StatusNotifierItem final : public SniItem {
  public:
    StatusNotifierItem(GDBusConnection* bus, GDBusNodeInfo* info, std::string title,
                       const IconImage& icon, std::string tip, SniCallbacks callbacks)
        : bus_(bus),
          info_(info),
          title_(std::move(title)),
          tip_(std::move(tip)),
          pixmaps_(iconPixmaps(icon)),
          callbacks_(std::move(callbacks)),
          cancellable_(g_cancellable_new()) {
        static const GDBusInterfaceVTable vtable{
            &StatusNotifierItem::onMethod, &StatusNotifierItem::onProperty, nullptr, {}};
        itemObject_ = g_dbus_connection_register_object(bus_, kItemPath, info_->interfaces[0],
                                                        &vtable, this, nullptr, nullptr);
        menuObject_ = g_dbus_connection_register_object(bus_, kMenuPath, info_->interfaces[1],
                                                        &vtable, this, nullptr, nullptr);
        name_ = "org.kde.StatusNotifierItem-" + std::to_string(::getpid()) + "-" +
                std::to_string(++itemCount);
        // Hosts look the item up by this name; without it, the connection's own name serves.
        GPtr<GVariant> owned(g_dbus_connection_call_sync(
            bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "RequestName", g_variant_new("(su)", name_.c_str(), 4u /* do not queue */),
            G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, kProbeTimeoutMs, nullptr, nullptr));
        guint result = 0;
        if (owned) g_variant_get(owned.get(), "(u)", &result);
        if (result != 1 /* primary owner */) name_ = g_dbus_connection_get_unique_name(bus_);

        for (const char* signal :
             {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
            subscriptions_.push_back(g_dbus_connection_signal_subscribe(
                bus_, kWatcher, kWatcher, signal, kWatcherPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                &StatusNotifierItem::onHostSignal, this, nullptr));
        }
        // Whether a host is there now is asked before the constructor returns, so that the
        // program does not put the icon into an XEmbed tray first only to move it a moment later.
        GPtr<GVariant> owner(g_dbus_connection_call_sync(
            bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetNameOwner", g_variant_new("(s)", kWatcher), G_VARIANT_TYPE("(s)"),
            G_DBUS_CALL_FLAGS_NONE, kProbeTimeoutMs, nullptr, nullptr));
        if (owner) {
            const gchar* unique = nullptr;
            g_variant_get(owner.get(), "(&s)", &unique);
            GPtr<GVariant> host(g_dbus_connection_call_sync(
                bus_, unique, kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
                g_variant_new("(ss)", kWatcher, "IsStatusNotifierHostRegistered"),
                G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, kProbeTimeoutMs, nullptr,
                nullptr));
            watcherOwner_ = unique;
            if (host && hostRegistered(host.get())) {
                // Taken as shown now; a refusal from the watcher takes it back.
                ready_ = true;
                registerItem();
            }
        }
        watch_ = g_bus_watch_name_on_connection(
            bus_, kWatcher, G_BUS_NAME_WATCHER_FLAGS_NONE, &StatusNotifierItem::onWatcherAppeared,
            &StatusNotifierItem::onWatcherVanished, this, nullptr);
    }

    ~StatusNotifierItem() override {
        *alive_ = false;
        g_cancellable_cancel(cancellable_);
        g_object_unref(cancellable_);
        g_bus_unwatch_name(watch_);
        for (const guint id : subscriptions_) g_dbus_connection_signal_unsubscribe(bus_, id);
        g_dbus_connection_unregister_object(bus_, itemObject_);
        g_dbus_connection_unregister_object(bus_, menuObject_);
        // The connection is the item's alone: when it closes, the bus drops the name and the
        // watcher the item. Replies already given go out first (the host's call that chose
        // "Quit" is answered).
        g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
        g_dbus_connection_close_sync(bus_, nullptr, nullptr);
        g_object_unref(bus_);
        g_dbus_node_info_unref(info_);
        g_variant_unref(pixmaps_);
    }

    bool hostReady() const override { return ready_; }

    void setTip(const std::string& tip) override {
        if (tip == tip_) return;
        tip_ = tip;
        emit(kItemPath, kItemInterface, "NewToolTip", nullptr);
    }

    void setMenu(const std::vector<TrayMenuEntry>& entries) override {
        if (sameEntries(entries, entries_)) return;
        entries_ = entries;
        ++revision_;
        emit(kMenuPath, kMenuInterface, "LayoutUpdated", g_variant_new("(ui)", revision_, 0));
    }

  private:
    // A reply that arrives after the watcher changed, or after the item went, is dropped.
    struct Pending {
        StatusNotifierItem* item;
        unsigned generation;
    };

    static bool hostRegistered(GVariant* reply) {
        GPtr<GVariant> value;
        GVariant* raw = nullptr;
        g_variant_get(reply, "(v)", &raw);
        value.reset(raw);
        return g_variant_is_of_type(value.get(), G_VARIANT_TYPE_BOOLEAN) &&
               g_variant_get_boolean(value.get());
    }

    void emit(const char* path, const char* interface, const char* signal, GVariant* args) {
        g_dbus_connection_emit_signal(bus_, nullptr, path, interface, signal, args, nullptr);
    }

    void setReady(bool ready) {
        if (ready == ready_) return;
        ready_ = ready;
        if (callbacks_.hostChanged) callbacks_.hostChanged();
    }

    // Asks the watcher whether a host is there and, when one is, hands it the item.
    void checkHost() {
        const unsigned generation = ++generation_;
        g_dbus_connection_call(
            bus_, watcherOwner_.c_str(), kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
            g_variant_new("(ss)", kWatcher, "IsStatusNotifierHostRegistered"),
            G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, kProbeTimeoutMs, cancellable_,
            &StatusNotifierItem::onHostAnswer, new Pending{this, generation});
    }

    void registerItem() {
        const unsigned generation = ++generation_;
        g_dbus_connection_call(bus_, watcherOwner_.c_str(), kWatcherPath, kWatcher,
                               "RegisterStatusNotifierItem", g_variant_new("(s)", name_.c_str()),
                               nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, kRegisterTimeoutMs,
                               cancellable_, &StatusNotifierItem::onRegistered,
                               new Pending{this, generation});
    }

    // The reply of an asynchronous call, or none when it was dropped.
    static StatusNotifierItem* finish(GObject* source, GAsyncResult* result, gpointer data,
                                      GPtr<GVariant>& reply) {
        std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
        GError* error = nullptr;
        reply.reset(g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error));
        const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        if (error) g_error_free(error);
        if (cancelled || pending->generation != pending->item->generation_) return nullptr;
        return pending->item;
    }

    static void onHostAnswer(GObject* source, GAsyncResult* result, gpointer data) {
        GPtr<GVariant> reply;
        StatusNotifierItem* self = finish(source, result, data, reply);
        if (!self) return;
        if (reply && hostRegistered(reply.get())) {
            self->registerItem();
        } else {
            self->setReady(false);
        }
    }

    static void onRegistered(GObject* source, GAsyncResult* result, gpointer data) {
        GPtr<GVariant> reply;
        StatusNotifierItem* self = finish(source, result, data, reply);
        if (self) self->setReady(reply != nullptr);
    }

    static void onWatcherAppeared(GDBusConnection*, const gchar*, const gchar* owner,
                                  gpointer data) {
        auto* self = static_cast<StatusNotifierItem*>(data);
        if (self->ready_ && self->watcherOwner_ == owner) return;
        self->watcherOwner_ = owner;
        self->checkHost();
    }

    static void onWatcherVanished(GDBusConnection*, const gchar*, gpointer data) {
        auto* self = static_cast<StatusNotifierItem*>(data);
        ++self->generation_;
        self->watcherOwner_.clear();
        self->setReady(false);
    }

    static void onHostSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                             const gchar* signal, GVariant*, gpointer data) {
        auto* self = static_cast<StatusNotifierItem*>(data);
        if (self->watcherOwner_.empty()) return;
        // A new host gets the item again; after a host went, another may still be there.
        if (std::strcmp(signal, "StatusNotifierHostRegistered") == 0 || self->ready_) {
            self->checkHost();
        }
    }

    // dbusmenu: the root is 0, the entries 1..n in order.
    bool validItem(gint32 id) const {
        return id >= 0 && static_cast<std::size_t>(id) <= entries_.size();
    }

    GVariant* itemProperties(gint32 id, const char* const* names) const {
        const auto wanted = [names](const char* name) {
            return !names || !names[0] || g_strv_contains(names, name);
        };
        GVariantBuilder properties;
        g_variant_builder_init(&properties, G_VARIANT_TYPE("a{sv}"));
        if (id == 0) {
            if (wanted("children-display")) {
                g_variant_builder_add(&properties, "{sv}", "children-display",
                                      g_variant_new_string("submenu"));
            }
        } else {
            const TrayMenuEntry& entry = entries_[static_cast<std::size_t>(id) - 1];
            if (entry.label == "-") {
                if (wanted("type")) {
                    g_variant_builder_add(&properties, "{sv}", "type",
                                          g_variant_new_string("separator"));
                }
            } else {
                if (wanted("label")) {
                    g_variant_builder_add(&properties, "{sv}", "label",
                                          g_variant_new_string(dbusmenuLabel(entry.label).c_str()));
                }
                if (!entry.enabled && wanted("enabled")) {
                    g_variant_builder_add(&properties, "{sv}", "enabled",
                                          g_variant_new_boolean(FALSE));
                }
            }
        }
        return g_variant_builder_end(&properties);
    }

    GVariant* layout(gint32 id, gint32 depth, const char* const* names) const {
        GVariantBuilder children;
        g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
        if (id == 0 && depth != 0) {
            for (std::size_t i = 1; i <= entries_.size(); ++i) {
                g_variant_builder_add(&children, "v",
                                      layout(static_cast<gint32>(i), depth - 1, names));
            }
        }
        return g_variant_new("(i@a{sv}av)", id, itemProperties(id, names), &children);
    }

    // The program sets the menu now if it may have changed; false when it went meanwhile.
    bool askForMenu() {
        const auto alive = alive_;
        if (callbacks_.menuWanted) callbacks_.menuWanted();
        return *alive;
    }

    // Whether the event was for an entry there is.
    bool menuEvent(gint32 id, const char* event) {
        if (!validItem(id)) return false;
        if (id > 0 && std::strcmp(event, "clicked") == 0) {
            const TrayMenuEntry& entry = entries_[static_cast<std::size_t>(id) - 1];
            if (entry.enabled && entry.label != "-" && callbacks_.menuChosen) {
                callbacks_.menuChosen(entry.id);
            }
        }
        return true;
    }

    void menuMethod(const gchar* method, GVariant* args, GDBusMethodInvocation* call) {
        const auto invalid = [call] {
            g_dbus_method_invocation_return_dbus_error(
                call, "org.freedesktop.DBus.Error.InvalidArgs", "No such menu item");
        };
        if (std::strcmp(method, "GetLayout") == 0) {
            gint32 id = 0, depth = 0;
            GPtr<GVariant> namesVariant(g_variant_get_child_value(args, 2));
            g_variant_get_child(args, 0, "i", &id);
            g_variant_get_child(args, 1, "i", &depth);
            if (id == 0 && !askForMenu()) return invalid();
            if (!validItem(id)) return invalid();
            g_autofree const gchar** names = g_variant_get_strv(namesVariant.get(), nullptr);
            g_dbus_method_invocation_return_value(
                call, g_variant_new("(u@(ia{sv}av))", revision_, layout(id, depth, names)));
        } else if (std::strcmp(method, "GetGroupProperties") == 0) {
            GPtr<GVariant> ids(g_variant_get_child_value(args, 0));
            GPtr<GVariant> namesVariant(g_variant_get_child_value(args, 1));
            g_autofree const gchar** names = g_variant_get_strv(namesVariant.get(), nullptr);
            GVariantBuilder found;
            g_variant_builder_init(&found, G_VARIANT_TYPE("a(ia{sv})"));
            gsize count = 0;
            const auto* wanted = static_cast<const gint32*>(
                g_variant_get_fixed_array(ids.get(), &count, sizeof(gint32)));
            for (gsize i = 0; i < (count ? count : entries_.size() + 1); ++i) {
                const gint32 id = count ? wanted[i] : static_cast<gint32>(i);
                if (validItem(id)) {
                    g_variant_builder_add(&found, "(i@a{sv})", id, itemProperties(id, names));
                }
            }
            g_dbus_method_invocation_return_value(call, g_variant_new("(a(ia{sv}))", &found));
        } else if (std::strcmp(method, "GetProperty") == 0) {
            gint32 id = 0;
            const gchar* name = nullptr;
            g_variant_get(args, "(i&s)", &id, &name);
            if (!validItem(id)) return invalid();
            const char* names[] = {name, nullptr};
            GPtr<GVariant> properties(g_variant_ref_sink(itemProperties(id, names)));
            GVariant* value = g_variant_lookup_value(properties.get(), name, nullptr);
            if (!value) return invalid();
            g_dbus_method_invocation_return_value(call, g_variant_new("(v)", value));
            g_variant_unref(value);
        } else if (std::strcmp(method, "Event") == 0) {
            gint32 id = 0;
            const gchar* event = nullptr;
            g_variant_get_child(args, 0, "i", &id);
            g_variant_get_child(args, 1, "&s", &event);
            if (!menuEvent(id, event)) return invalid();
            g_dbus_method_invocation_return_value(call, nullptr);
        } else if (std::strcmp(method, "EventGroup") == 0) {
            GPtr<GVariant> events(g_variant_get_child_value(args, 0));
            GVariantBuilder errors;
            g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
            const gsize count = g_variant_n_children(events.get());
            for (gsize i = 0; i < count; ++i) {
                gint32 id = 0;
                const gchar* event = nullptr;
                g_variant_get_child(events.get(), i, "(i&svu)", &id, &event, nullptr, nullptr);
                if (!menuEvent(id, event)) g_variant_builder_add(&errors, "i", id);
            }
            g_dbus_method_invocation_return_value(call, g_variant_new("(ai)", &errors));
        } else if (std::strcmp(method, "AboutToShow") == 0) {
            gint32 id = 0;
            g_variant_get(args, "(i)", &id);
            const guint32 before = revision_;
            if (id == 0 && !askForMenu()) return invalid();
            if (!validItem(id)) return invalid();
            g_dbus_method_invocation_return_value(call, g_variant_new("(b)", revision_ != before));
        } else if (std::strcmp(method, "AboutToShowGroup") == 0) {
            GPtr<GVariant> ids(g_variant_get_child_value(args, 0));
            gsize count = 0;
            const auto* asked = static_cast<const gint32*>(
                g_variant_get_fixed_array(ids.get(), &count, sizeof(gint32)));
            const std::vector<gint32> wanted(asked, asked + count);  // the call may go meanwhile
            const guint32 before = revision_;
            if (std::find(wanted.begin(), wanted.end(), 0) != wanted.end() && !askForMenu()) {
                return invalid();
            }
            GVariantBuilder updates, errors;
            g_variant_builder_init(&updates, G_VARIANT_TYPE("ai"));
            g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
            for (const gint32 id : wanted) {
                if (!validItem(id)) {
                    g_variant_builder_add(&errors, "i", id);
                } else if (id == 0 && revision_ != before) {
                    g_variant_builder_add(&updates, "i", id);
                }
            }
            g_dbus_method_invocation_return_value(call, g_variant_new("(aiai)", &updates, &errors));
        } else {
            g_dbus_method_invocation_return_dbus_error(
                call, "org.freedesktop.DBus.Error.UnknownMethod", "No such method");
        }
    }

    static void onMethod(GDBusConnection*, const gchar*, const gchar*, const gchar* interface,
                         const gchar* method, GVariant* args, GDBusMethodInvocation* call,
                         gpointer data) {
        auto* self = static_cast<StatusNotifierItem*>(data);
        if (std::strcmp(interface, kMenuInterface) == 0)
            return self->menuMethod(method, args, call);
        // Hosts report clicks: each stands for its button's release.
        int message = 0;
        if (std::strcmp(method, "Activate") == 0) message = 0x202;
        if (std::strcmp(method, "ContextMenu") == 0) message = 0x205;
        if (std::strcmp(method, "SecondaryActivate") == 0) message = 0x208;
        g_dbus_method_invocation_return_value(call, nullptr);
        if (message && self->callbacks_.mouse) self->callbacks_.mouse(message);
    }

    static GVariant* onProperty(GDBusConnection*, const gchar*, const gchar*,
                                const gchar* interface, const gchar* name, GError** error,
                                gpointer data) {
        const auto* self = static_cast<StatusNotifierItem*>(data);
        const auto is = [name](const char* wanted) { return std::strcmp(name, wanted) == 0; };
        if (std::strcmp(interface, kMenuInterface) == 0) {
            if (is("Version")) return g_variant_new_uint32(3);
            if (is("TextDirection")) return g_variant_new_string("ltr");
            if (is("Status")) return g_variant_new_string("normal");
            if (is("IconThemePath")) return g_variant_new_strv(nullptr, 0);
        } else {
            if (is("Category")) return g_variant_new_string("ApplicationStatus");
            if (is("Id")) return g_variant_new_string("korvo");
            if (is("Title")) return g_variant_new_string(self->title_.c_str());
            if (is("Status")) return g_variant_new_string("Active");
            if (is("WindowId")) return g_variant_new_int32(0);
            if (is("IconPixmap")) return g_variant_ref(self->pixmaps_);
            if (is("OverlayIconPixmap") || is("AttentionIconPixmap")) {
                return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0);
            }
            if (is("ToolTip")) {
                return g_variant_new("(s@a(iiay)ss)", "",
                                     g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0),
                                     self->tip_.c_str(), "");
            }
            // Both buttons open the menu, which the host draws.
            if (is("ItemIsMenu")) return g_variant_new_boolean(TRUE);
            if (is("Menu")) return g_variant_new_object_path(kMenuPath);
            if (g_str_has_suffix(name, "Name") || is("IconThemePath")) {
                return g_variant_new_string("");
            }
        }
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "No property %s", name);
        return nullptr;
    }

    GDBusConnection* bus_;
    GDBusNodeInfo* info_;
    std::string title_;
    std::string tip_;
    GVariant* pixmaps_;
    SniCallbacks callbacks_;
    GCancellable* cancellable_;
    std::string name_;
    std::string watcherOwner_;
    bool ready_ = false;
    unsigned generation_ = 0;
    std::vector<TrayMenuEntry> entries_;
    guint32 revision_ = 1;
    guint itemObject_ = 0;
    guint menuObject_ = 0;
    guint watch_ = 0;
    std::vector<guint> subscriptions_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

std::string dbusmenuLabel(const std::string& caption) {
    std::string label;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                label += '&';
                ++i;
            } else {
                label += '_';
            }
        } else if (caption[i] == '_') {
            label += "__";
        } else {
            label += caption[i];
        }
    }
    return label;
}

std::unique_ptr<SniItem> makeSniItem(const std::string& address, const std::string& title,
                                     const IconImage& icon, const std::string& tip,
                                     SniCallbacks callbacks) {
    if (address.empty()) return nullptr;
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (!bus) return nullptr;
    GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kInterfaces, nullptr);
    return std::make_unique<StatusNotifierItem>(bus, info, title, icon, tip, std::move(callbacks));
}

}  // namespace korvo::platform
