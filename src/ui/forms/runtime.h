// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

#include "ui/forms/control.h"
#include "ui/forms/errors.h"
#include "ui/forms/form.h"
#include "ui/forms/services.h"

namespace korvo::forms {

enum class FormEvent { Loaded, Unloaded, Shown, Hidden, Changed };

// The view side subscribes here; the core never sees a toolkit type.
class ViewObserver {
  public:
    virtual ~ViewObserver() = default;
    virtual void formEvent(Form& form, FormEvent event, FormProperty property) = 0;
    virtual void controlChanged(Control& control, Property property) = 0;
};

// Owns the forms, drives their timers through the scheduler, and dispatches events one at a time.
class Runtime {
  public:
    // Timers at or below this interval are polls: run after every dispatched event instead of on
    // a clock of their own, which would wake the machine a thousand times a second to read state
    // that only ever changes inside event handlers.
    static constexpr int PollInterval = 15;

    Runtime(Scheduler& scheduler, WindowServices& window, FileSystem& files);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    WindowServices& window() const { return window_; }
    FileSystem& files() const { return files_; }

    // The one instance of F, created and loaded on first touch. A touch from inside F's own
    // Form_Load returns the instance being loaded.
    template <class F, class Make>
    F& form(Make&& make) {
        const std::type_index key(typeid(F));
        if (auto it = forms_.find(key); it != forms_.end()) return static_cast<F&>(*it->second);
        std::unique_ptr<F> created = make();
        F& instance = *created;
        forms_.emplace(key, std::move(created));
        order_.push_back(&instance);
        load(instance);
        return instance;
    }
    template <class F>
    bool isLoaded() const {
        return forms_.count(std::type_index(typeid(F))) != 0;
    }
    // Loaded forms in the order they were created.
    const std::vector<Form*>& forms() const { return order_; }

    // Runs one user action or window-system event, then the polls. Errors (and any other
    // exception) a handler lets escape are dropped: Korvo shows no message boxes.
    void dispatch(const std::function<void()>& event);
    // The scheduler's callback for a due timer.
    void timerDue(Timer& timer);

    // A picture file as a picture for an image or picture box; Error(InvalidPicture) when the
    // file is missing or is not a picture the window system can decode.
    Picture loadPicture(const std::string& path);

    // Ends the program at once: no unload handler runs, timers stop, the window system is told.
    [[noreturn]] void end();
    bool ended() const { return ended_; }

    void addObserver(ViewObserver* observer);
    void removeObserver(ViewObserver* observer);

    // Bookkeeping used by forms and controls.
    void timerChanged(Timer& timer);
    void timerDestroyed(Timer& timer);
    void notify(Control& control, Property property);
    void notify(Form& form, FormEvent event, FormProperty property = FormProperty::Caption);
    bool unload(Form& form, int mode);
    int pollCount() const { return static_cast<int>(polls_.size()); }

  private:
    void load(Form& form);
    void runPolls();
    bool shouldRun(const Timer& timer) const;

    Scheduler& scheduler_;
    WindowServices& window_;
    FileSystem& files_;
    std::map<std::type_index, std::unique_ptr<Form>> forms_;
    std::vector<Form*> order_;
    std::vector<std::unique_ptr<Form>> retired_;  // unloaded, freed once their event is over
    std::vector<Timer*> polls_;
    std::vector<Timer*> armed_;
    std::vector<ViewObserver*> observers_;
    int depth_ = 0;
    bool ended_ = false;
};

}  // namespace korvo::forms
