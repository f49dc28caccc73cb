// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/tray_icon.h"

#include <glib.h>

#include <deque>

#include "platform/linux/session_bus.h"
#include "platform/linux/tray_sni.h"
#include "platform/linux/tray_xembed.h"

namespace korvo::platform {

namespace {

class LinuxTrayIcon final : public TrayIcon {
  public:
    LinuxTrayIcon(const Environment& env, const std::string& title, const IconImage& icon,
                  const std::string& tip, TrayEvents events)
        : events_(std::move(events)) {
        sni_ = makeSniItem(
            sessionBusAddress(env), title, icon, tip,
            {[this] { refresh(false); },
             [this](int message) { post([this, message] { deliver(events_.mouse, message); }); },
             [this] {
                 if (events_.menuWanted) events_.menuWanted();
             },
             [this](int id) { post([this, id] { deliver(events_.menuChosen, id); }); }});
        xembed_ = makeXEmbedIcon(
            env.get("DISPLAY"), title, icon, tip,
            {[this](bool appeared) { refresh(appeared); },
             [this](int message) { post([this, message] { deliver(events_.mouse, message); }); }});
        host_ = choose();
    }

    ~LinuxTrayIcon() override {
        *alive_ = false;
        if (idle_) {
            g_source_destroy(idle_);
            g_source_unref(idle_);
        }
    }

    bool shown() const override { return host_ != Host::None; }
    bool hostDrawsMenu() const override { return host_ == Host::Sni; }

    void setTip(const std::string& tip) override {
        if (sni_) sni_->setTip(tip);
        if (xembed_) xembed_->setTip(tip);
    }

    void setMenu(const std::vector<TrayMenuEntry>& entries) override {
        if (sni_) sni_->setMenu(entries);
    }

  private:
    enum class Host { None, Sni, XEmbed };

    // The host the icon is in now: a StatusNotifierItem host before an XEmbed tray.
    Host choose() {
        if (sni_ && sni_->hostReady()) {
            if (xembed_) xembed_->undock();
            return Host::Sni;
        }
        if (xembed_ && (xembed_->docked() || xembed_->dock())) return Host::XEmbed;
        return Host::None;
    }

    // After a host came or went; `renewed`: the XEmbed tray was replaced, so the icon docks
    // again and the host counts as new.
    void refresh(bool renewed) {
        if (renewed && xembed_) xembed_->undock();
        const Host before = host_;
        host_ = choose();
        if (host_ != before || (renewed && host_ == Host::XEmbed)) {
            const bool shown = host_ != Host::None;
            post([this, shown] { deliver(events_.hostChanged, shown); });
        }
    }

    template <class Handler, class Value>
    static void deliver(const Handler& handler, Value value) {
        if (handler) handler(value);
    }

    // Reports go out one at a time from the main loop, never from inside a call the program
    // made; those still waiting when the icon goes are dropped with it.
    void post(std::function<void()> report) {
        queue_.push_back(std::move(report));
        if (idle_) return;
        idle_ = g_idle_source_new();
        g_source_set_callback(idle_, &LinuxTrayIcon::onIdle, this, nullptr);
        g_source_attach(idle_, nullptr);
    }

    static gboolean onIdle(gpointer data) {
        auto* self = static_cast<LinuxTrayIcon*>(data);
        const std::function<void()> report = std::move(self->queue_.front());
        self->queue_.pop_front();
        const auto alive = self->alive_;
        report();  // may destroy the icon
        if (!*alive) return G_SOURCE_REMOVE;
        if (!self->queue_.empty()) return G_SOURCE_CONTINUE;
        g_source_unref(self->idle_);
        self->idle_ = nullptr;
        return G_SOURCE_REMOVE;
    }

    TrayEvents events_;
    std::unique_ptr<SniItem> sni_;
    std::unique_ptr<XEmbedIcon> xembed_;
    Host host_ = Host::None;
    std::deque<std::function<void()>> queue_;
    GSource* idle_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

std::unique_ptr<TrayIcon> makeTrayIcon(const Environment& env, const std::string& title,
                                       const IconImage& icon, const std::string& tip,
                                       TrayEvents events) {
    return std::make_unique<LinuxTrayIcon>(env, title, icon, tip, std::move(events));
}

}  // namespace korvo::platform
