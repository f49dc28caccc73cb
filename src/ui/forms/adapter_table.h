// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "ui/forms/control.h"

namespace korvo::forms {

// A binding's adapters of one group of control kinds (its buttons, its edits …), each defined
// beside the widgets it makes.
template <class Adapter>
using AdapterList = std::vector<std::pair<ControlKind, const Adapter*>>;

// All the groups of a binding's adapters, joined once, looked up by control kind.
template <class Adapter>
class AdapterTable {
  public:
    AdapterTable(std::initializer_list<AdapterList<Adapter> (*)()> groups) {
        for (auto* group : groups) {
            const AdapterList<Adapter> some = group();
            all_.insert(all_.end(), some.begin(), some.end());
        }
    }

    // The adapter of `kind`; `none` for the kinds that have no window (timers, menus).
    const Adapter& find(ControlKind kind, const Adapter& none) const {
        for (const auto& [known, adapter] : all_)
            if (known == kind) return *adapter;
        return none;
    }

  private:
    AdapterList<Adapter> all_;
};

}  // namespace korvo::forms
