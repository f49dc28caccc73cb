// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/runtime.h"

#include <algorithm>
#include <chrono>

namespace korvo::forms {

namespace {

template <class T>
void eraseValue(std::vector<T*>& values, T* value) {
    values.erase(std::remove(values.begin(), values.end(), value), values.end());
}

}  // namespace

Runtime::Runtime(Scheduler& scheduler, WindowServices& window, FileSystem& files)
    : scheduler_(scheduler), window_(window), files_(files) {
    scheduler_.attach(*this);
}

Runtime::~Runtime() {
    // Forms go first, newest first, while the runtime they report to still exists.
    ended_ = true;
    retired_.clear();
    while (!order_.empty()) {
        Form* newest = order_.back();
        order_.pop_back();
        for (auto it = forms_.begin(); it != forms_.end(); ++it) {
            if (it->second.get() == newest) {
                forms_.erase(it);
                break;
            }
        }
    }
}

void Runtime::load(Form& form) {
    form.loaded_ = true;
    notify(form, FormEvent::Loaded);
    for (Control* control : form.controls())
        if (auto* timer = dynamic_cast<Timer*>(control)) timerChanged(*timer);
    form.Form_Load();
}

bool Runtime::unload(Form& form, int mode) {
    if (!form.loaded_) return true;
    int cancel = 0;
    form.Form_QueryUnload(cancel, mode);
    if (cancel != 0) return false;
    form.Form_Unload(cancel);
    if (cancel != 0) return false;

    form.hide();
    form.loaded_ = false;
    for (Control* control : form.controls())
        if (auto* timer = dynamic_cast<Timer*>(control)) timerChanged(*timer);
    notify(form, FormEvent::Unloaded);

    eraseValue(order_, &form);
    for (auto it = forms_.begin(); it != forms_.end(); ++it) {
        if (it->second.get() == &form) {
            retired_.push_back(std::move(it->second));
            forms_.erase(it);
            break;
        }
    }
    if (depth_ == 0) retired_.clear();
    return true;
}

bool Runtime::shouldRun(const Timer& timer) const {
    return !ended_ && timer.form().isLoaded() && timer.isEnabled() && timer.interval() > 0;
}

void Runtime::timerChanged(Timer& timer) {
    const bool wasPoll = std::find(polls_.begin(), polls_.end(), &timer) != polls_.end();
    const bool wasArmed = std::find(armed_.begin(), armed_.end(), &timer) != armed_.end();
    if (wasPoll) eraseValue(polls_, &timer);
    if (wasArmed) {
        eraseValue(armed_, &timer);
        scheduler_.disarm(timer);
    }
    if (!shouldRun(timer)) return;
    if (timer.interval() <= PollInterval) {
        polls_.push_back(&timer);
    } else {
        armed_.push_back(&timer);
        scheduler_.arm(timer, std::chrono::milliseconds(timer.interval()));
    }
}

void Runtime::timerDestroyed(Timer& timer) {
    eraseValue(polls_, &timer);
    if (std::find(armed_.begin(), armed_.end(), &timer) != armed_.end()) {
        eraseValue(armed_, &timer);
        scheduler_.disarm(timer);
    }
}

void Runtime::dispatch(const std::function<void()>& event) {
    if (ended_) return;
    ++depth_;
    try {
        event();
    } catch (const ProgramEnded&) {
    } catch (const std::exception&) {
        // A failure that reaches the top of an event is dropped, as every failure in Korvo is:
        // letting it into the window system's loop would end the program.
    }
    --depth_;
    // The polls run after every event, however deeply nested: a popup menu's own loop dispatches
    // the clock's ticks while its handler is still open, and a poll that waited for the outermost
    // event would let the count run past the delay it watches for.
    if (!ended_) runPolls();
    if (depth_ == 0) retired_.clear();
}

void Runtime::timerDue(Timer& timer) {
    if (!shouldRun(timer)) return;
    dispatch([&timer] { timer.fire(); });
}

void Runtime::runPolls() {
    // The polls run as one event of their own; a copy, since a poll may stop another.
    ++depth_;
    const std::vector<Timer*> polls = polls_;
    for (Timer* poll : polls) {
        if (ended_) break;
        if (std::find(polls_.begin(), polls_.end(), poll) == polls_.end()) continue;
        try {
            poll->fire();
        } catch (const ProgramEnded&) {
        } catch (const std::exception&) {
        }
    }
    --depth_;
}

Picture Runtime::loadPicture(const std::string& path) {
    const auto info = window_.probePicture(path);
    if (!info) throw Error(ErrorCode::InvalidPicture, "Not a picture: " + path);
    return std::make_shared<const PictureData>(PictureData{path, info->width, info->height});
}

void Runtime::end() {
    ended_ = true;
    for (Timer* timer : armed_) scheduler_.disarm(*timer);
    armed_.clear();
    polls_.clear();
    window_.endProgram();
    throw ProgramEnded{};
}

void Runtime::addObserver(ViewObserver* observer) {
    observers_.push_back(observer);
}

void Runtime::removeObserver(ViewObserver* observer) {
    eraseValue(observers_, observer);
}

// By index: an observer may attach another while it is told (a window toolkit loaded when the
// first window is shown), which then hears the same event.
void Runtime::notify(Control& control, Property property) {
    if (!control.form().isLoaded()) return;
    // NOLINTNEXTLINE(modernize-loop-convert): the list may grow meanwhile, invalidating iterators.
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]->controlChanged(control, property);
}

void Runtime::notify(Form& form, FormEvent event, FormProperty property) {
    // NOLINTNEXTLINE(modernize-loop-convert): the list may grow meanwhile, invalidating iterators.
    for (std::size_t i = 0; i < observers_.size(); ++i)
        observers_[i]->formEvent(form, event, property);
}

}  // namespace korvo::forms
