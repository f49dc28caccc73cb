// The desktops that keep their wallpaper behind the session bus, against the real stores: dconf
// through GSettings (GNOME, MATE, Cinnamon schemas from their Debian packages) and xfconf. Runs
// inside scripts/with-session --bus; a change is read back through a second, fresh bus session
// over the same configuration folder, as after logging in again.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "helpers.h"
#include "platform/desktop_backend.h"
#include "platform/linux/gsettings_desktops.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/process_runner.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

// `gsettings get` in a new bus session: what a desktop started afresh would read.
std::string storedInNewSession(const std::string& schema, const std::string& key) {
    const auto result = runProcess({"dbus-run-session", "--", "gsettings", "get", schema, key}, 20s,
                                   Output::Capture);
    EXPECT_TRUE(result.succeeded()) << schema << " " << key;
    return result.output;
}

// A GVariant text form of a string, as gsettings prints it.
std::string gvariantText(const std::string& text) {
    return "'" + text + "'\n";
}

class SessionBus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr)
            << "run inside scripts/with-session --bus";
        folder_ = pictures_.file("My Pictures");
        std::filesystem::create_directory(folder_);
        picture_ = folder_ + "/Été à la plage 1.png";
        testing::writePicture(picture_, 16, 16);
    }

    HRESULT change(const char* desktop, const std::string& path, std::uint32_t style) {
        Environment env = Environment::fromProcess();
        env.values["XDG_CURRENT_DESKTOP"] = desktop;
        return testing::changeWallpaper(env, path, style);
    }

    TempDir pictures_;
    std::string folder_, picture_;
};

TEST_F(SessionBus, GnomeKeysReachDconfAndOutliveTheSession) {
    const std::string uri = "file://" + folder_.substr(0, folder_.rfind('/')) +
                            "/My%20Pictures/%C3%89t%C3%A9%20%C3%A0%20la%20plage%201.png";
    const std::pair<std::uint32_t, const char*> styles[] = {
        {engine::WPSTYLE_TILE, "'wallpaper'\n"},
        {engine::WPSTYLE_STRETCH, "'stretched'\n"},
        {engine::WPSTYLE_CENTER, "'centered'\n"},
    };
    for (const auto& [style, word] : styles) {
        ASSERT_EQ(change("ubuntu:GNOME", picture_, style), engine::S_OK);
        EXPECT_EQ(storedInNewSession("org.gnome.desktop.background", "picture-options"), word);
    }
    EXPECT_EQ(storedInNewSession("org.gnome.desktop.background", "picture-uri"), gvariantText(uri));
    EXPECT_EQ(storedInNewSession("org.gnome.desktop.background", "picture-uri-dark"),
              gvariantText(uri));
}

TEST_F(SessionBus, ARefusedPictureLeavesTheGnomeKeysAsTheyWere) {
    ASSERT_EQ(change("GNOME", picture_, engine::WPSTYLE_STRETCH), engine::S_OK);
    const std::string uri = storedInNewSession("org.gnome.desktop.background", "picture-uri");
    testing::writeFile(pictures_.file("notes.txt"), "text, not a picture");
    for (const std::string& bad :
         {std::string("Null"), pictures_.file("missing.png"), pictures_.file("notes.txt")}) {
        EXPECT_FALSE(engine::succeeded(change("GNOME", bad, engine::WPSTYLE_TILE))) << bad;
    }
    EXPECT_EQ(storedInNewSession("org.gnome.desktop.background", "picture-uri"), uri);
    EXPECT_EQ(storedInNewSession("org.gnome.desktop.background", "picture-options"),
              "'stretched'\n");
}

TEST_F(SessionBus, MateKeepsAPlainPath) {
    ASSERT_EQ(change("MATE", picture_, engine::WPSTYLE_TILE), engine::S_OK);
    EXPECT_EQ(storedInNewSession("org.mate.background", "picture-filename"),
              gvariantText(picture_));
    EXPECT_EQ(storedInNewSession("org.mate.background", "picture-options"), "'wallpaper'\n");

    // A name that is not UTF-8 cannot be a MATE setting: refused, the former one stays.
    const std::string odd = pictures_.file("odd\xff.png");
    testing::writePicture(odd, 4, 4);
    EXPECT_FALSE(engine::succeeded(change("MATE", odd, engine::WPSTYLE_CENTER)));
    EXPECT_EQ(storedInNewSession("org.mate.background", "picture-filename"),
              gvariantText(picture_));
}

TEST_F(SessionBus, CinnamonStopsItsOwnSlideshow) {
    ASSERT_TRUE(runProcess({"gsettings", "set", "org.cinnamon.desktop.background.slideshow",
                            "slideshow-enabled", "true"},
                           10s)
                    .succeeded());
    ASSERT_EQ(change("X-Cinnamon", picture_, engine::WPSTYLE_STRETCH), engine::S_OK);
    EXPECT_EQ(storedInNewSession("org.cinnamon.desktop.background.slideshow", "slideshow-enabled"),
              "false\n");
    EXPECT_EQ(storedInNewSession("org.cinnamon.desktop.background", "picture-options"),
              "'stretched'\n");
    EXPECT_EQ(storedInNewSession("org.cinnamon.desktop.background", "picture-uri"),
              gvariantText(*fileUri(picture_)));
}

TEST_F(SessionBus, MissingSchemasAndMissingBusesAreCleanFailures) {
    const Environment env = Environment::fromProcess();
    EXPECT_FALSE(engine::succeeded(
        writeSettings({{"org.korvo.no-such-schema", "picture-uri", std::string("x")}}, env)));
    EXPECT_FALSE(engine::succeeded(
        writeSettings({{"org.gnome.desktop.background", "no-such-key", std::string("x")}}, env)));
    EXPECT_FALSE(engine::succeeded(writeSettings(
        {{"org.gnome.desktop.background", "picture-options", std::string("sideways")}}, env)));
    EXPECT_FALSE(engine::succeeded(
        writeSettings({{"org.gnome.desktop.background", "picture-options", true}}, env)));
    // Optional keys that are not installed are skipped, not failed.
    EXPECT_EQ(writeSettings({{"org.korvo.no-such-schema", "k", std::string("x"), true}}, env),
              engine::S_OK);

    const Environment noBus{{{"HOME", "/nonexistent"}}};
    EXPECT_EQ(applyGnome({picture_, Style::Centre}, noBus), kNotSupported);
    EXPECT_EQ(applyXfce({picture_, Style::Centre}, noBus), kNotSupported);
    EXPECT_EQ(applyPlasma({picture_, Style::Centre}, noBus), kNotSupported);
    EXPECT_NE(storedInNewSession("org.gnome.desktop.background", "picture-uri"),
              gvariantText(*fileUri(picture_)));
}

std::string xfconfGet(const std::string& property) {
    return runProcess({"xfconf-query", "-c", "xfce4-desktop", "-p", property}, 10s, Output::Capture)
        .output;
}

TEST_F(SessionBus, XfconfGetsEveryBackdropOrNewOnes) {
    // No backdrop yet and no X display to name the monitors: xfdesktop's old numbering.
    Environment env = Environment::fromProcess();
    env.values.erase("DISPLAY");
    ASSERT_EQ(applyXfce({picture_, Style::Tile}, env), engine::S_OK);
    EXPECT_EQ(xfconfGet("/backdrop/screen0/monitor0/workspace0/image-style"), "2\n");
    EXPECT_EQ(xfconfGet("/backdrop/screen0/monitor0/workspace0/last-image"), picture_ + "\n");

    const std::string other = "/backdrop/screen0/monitorHDMI-1/workspace3";
    ASSERT_TRUE(runProcess({"xfconf-query", "-c", "xfce4-desktop", "-p", other + "/last-image",
                            "-n", "-t", "string", "-s", "/old.png"},
                           10s)
                    .succeeded());
    const std::string odd = folder_ + "/it's $(x)\nnew.png";
    testing::writePicture(odd, 4, 4);
    ASSERT_EQ(applyXfce({odd, Style::Stretch}, env), engine::S_OK);
    for (const std::string& backdrop :
         {std::string("/backdrop/screen0/monitor0/workspace0"), other}) {
        EXPECT_EQ(xfconfGet(backdrop + "/image-style"), "3\n") << backdrop;
        EXPECT_EQ(xfconfGet(backdrop + "/last-image"), odd + "\n") << backdrop;
    }
}

// A stand-in for Plasma's shell on the private bus: it owns org.kde.plasmashell and keeps the
// scripts it is sent, so the whole D-Bus road is real except the desktop at its end.
class FakePlasmaShell {
  public:
    FakePlasmaShell() {
        thread_ = std::thread([this] { run(); });
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return state_ != State::Starting; });
    }
    ~FakePlasmaShell() {
        if (loop_) {
            g_main_context_invoke(
                context_,
                [](gpointer loop) -> gboolean {
                    g_main_loop_quit(static_cast<GMainLoop*>(loop));
                    return G_SOURCE_REMOVE;
                },
                loop_);
        }
        thread_.join();
    }
    bool owned() const { return state_ == State::Owned; }
    std::vector<std::string> scripts() {
        std::lock_guard lock(mutex_);
        return scripts_;
    }

  private:
    enum class State { Starting, Owned, Failed };

    void settle(State state) {
        std::lock_guard lock(mutex_);
        state_ = state;
        ready_.notify_all();
    }

    void run() {
        context_ = g_main_context_new();
        g_main_context_push_thread_default(context_);
        GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
            "<node><interface name='org.kde.PlasmaShell'><method name='evaluateScript'>"
            "<arg type='s' direction='in'/><arg type='s' direction='out'/>"
            "</method></interface></node>",
            nullptr);
        static const GDBusInterfaceVTable vtable = {
            [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
               GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
                const gchar* script = nullptr;
                g_variant_get(parameters, "(&s)", &script);
                auto* shell = static_cast<FakePlasmaShell*>(self);
                {
                    std::lock_guard lock(shell->mutex_);
                    shell->scripts_.emplace_back(script);
                }
                g_dbus_method_invocation_return_value(invocation, g_variant_new("(s)", ""));
            },
            nullptr,
            nullptr,
            {}};
        const guint object =
            bus ? g_dbus_connection_register_object(bus, "/PlasmaShell", node->interfaces[0],
                                                    &vtable, this, nullptr, nullptr)
                : 0;
        GVariant* reply =
            object ? g_dbus_connection_call_sync(
                         bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                         "org.freedesktop.DBus", "RequestName",
                         g_variant_new("(su)", "org.kde.plasmashell", 4u /* DO_NOT_QUEUE */),
                         G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr)
                   : nullptr;
        guint32 answer = 0;
        if (reply) g_variant_get(reply, "(u)", &answer);
        loop_ = g_main_loop_new(context_, FALSE);
        settle(answer == 1 /* PRIMARY_OWNER */ ? State::Owned : State::Failed);
        g_main_loop_run(loop_);
        if (reply) g_variant_unref(reply);
        if (object) g_dbus_connection_unregister_object(bus, object);
        g_dbus_node_info_unref(node);
        if (bus) g_object_unref(bus);
        g_main_loop_unref(loop_);
        g_main_context_pop_thread_default(context_);
        g_main_context_unref(context_);
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    State state_ = State::Starting;
    std::vector<std::string> scripts_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
};

TEST_F(SessionBus, PlasmaGetsItsScriptOverTheBusAndNoShellIsAFailure) {
    const std::string hostile = folder_ + "/'); evil(); ('\n.png";
    testing::writePicture(hostile, 4, 4);
    EXPECT_FALSE(engine::succeeded(change("KDE", hostile, engine::WPSTYLE_CENTER)))
        << "no shell on the bus yet";
    FakePlasmaShell shell;
    ASSERT_TRUE(shell.owned());
    ASSERT_EQ(change("KDE", hostile, engine::WPSTYLE_TILE), engine::S_OK);
    ASSERT_EQ(shell.scripts().size(), 1u);
    EXPECT_EQ(shell.scripts()[0], *plasmaScript({hostile, Style::Tile}));
}

}  // namespace
}  // namespace korvo::platform
