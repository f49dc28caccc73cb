// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms/qt/menus.h"

#include <QAction>
#include <QFont>
#include <QVariant>

namespace korvo::qt {

void fillMenu(QMenu& target, const forms::Menu& menu, const forms::Menu* defaultItem) {
    for (forms::Menu* item : menu.items()) {
        if (!item->visible()) continue;
        if (item->isSeparator()) {
            target.addSeparator();
            continue;
        }
        const QString caption = QString::fromUtf8(item->caption().c_str());
        QAction* action = nullptr;
        if (!item->items().empty()) {
            QMenu* sub = target.addMenu(caption);
            fillMenu(*sub, *item, defaultItem);
            action = sub->menuAction();
        } else {
            action = target.addAction(caption);
            action->setData(QVariant::fromValue(static_cast<void*>(item)));
            if (item->checked()) {
                action->setCheckable(true);
                action->setChecked(true);
            }
        }
        action->setEnabled(item->enabled());
        if (item == defaultItem) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
}

forms::Menu* menuItem(const QAction* action) {
    return action ? static_cast<forms::Menu*>(action->data().value<void*>()) : nullptr;
}

}  // namespace korvo::qt
