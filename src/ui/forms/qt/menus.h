// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMenu>
#include <functional>

#include "ui/forms/control.h"

namespace korvo::qt {

// Builds the visible items of `menu` into `target`: captions keep their '&' accelerators, "-" is
// a separator, an item with items of its own becomes a submenu, and the default item is bold.
// Each action carries the model item it stands for (see menuItem).
void fillMenu(QMenu& target, const forms::Menu& menu, const forms::Menu* defaultItem);

// The model item a filled action stands for; nullptr for actions fillMenu did not make.
forms::Menu* menuItem(const QAction* action);

}  // namespace korvo::qt
