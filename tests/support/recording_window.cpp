#include "support/recording_window.h"

#include "ui/forms/control.h"
#include "ui/forms/form.h"
#include "ui/forms/runtime.h"

namespace korvo::fake {

void RecordingWindow::popupMenu(forms::Form& owner, forms::Menu& menu, forms::Menu* defaultItem) {
    calls.push_back("popup " + owner.name() + " " + menu.name() +
                    (defaultItem ? " default=" + defaultItem->name() : std::string{}));
    if (whilePopupOpen) whilePopupOpen(menu);
    forms::Runtime& runtime = owner.runtime();
    for (forms::Menu* item : menu.items())
        if (item->name() == pick) runtime.dispatch([item] { item->click(); });
    if (runtime.ended()) throw forms::ProgramEnded{};
}

void RecordingWindow::startWindowDrag(forms::Form& form) {
    calls.push_back("drag " + form.name());
}

std::optional<forms::PictureInfo> RecordingWindow::probePicture(const std::string& path) {
    calls.push_back("probe " + path);
    if (auto it = pictures.find(path); it != pictures.end()) return it->second;
    return std::nullopt;
}

void RecordingWindow::addTrayIcon(forms::Form& owner, const std::string& tip) {
    calls.push_back("tray+ " + owner.name() + " " + tip);
}

void RecordingWindow::removeTrayIcon(forms::Form& owner) {
    calls.push_back("tray- " + owner.name());
}

}  // namespace korvo::fake
