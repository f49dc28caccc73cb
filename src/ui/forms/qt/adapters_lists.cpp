// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the drive, folder and file lists. They show what the model lists and hand the
// user's picks back; walking the folders (the ".." row, opening a folder) is FolderListBox's.

#include <QComboBox>
#include <QListWidget>
#include <string>
#include <vector>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/convert.h"

namespace korvo::qt {

namespace {

using forms::Property;

QListWidget* newListWidget(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setUniformItemSizes(true);
    return list;
}

// The row the user picked, by a click or the arrow keys; -1 when the current row is not selected:
// a list that takes the keyboard focus marks a current row, and that alone picks nothing.
int pickedRow(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

void showRow(QListWidget* list, int row) {
    list->setCurrentRow(row);
    if (row >= 0) list->scrollToItem(list->item(row));
}

void showRows(QListWidget* list, const std::vector<std::string>& rows, int current) {
    list->clear();
    for (const std::string& row : rows) list->addItem(qtext(row));
    showRow(list, current);
}

class DriveListAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* drives = new QComboBox(parent);
        QObject::connect(
            drives, &QComboBox::activated, &forwarder, [&forwarder, drives](int index) {
                forwarder.forwardTo<forms::DriveListBox>(
                    drives, [index](auto& c) { c.setListIndex(index); }, Property::Caption);
            });
        return drives;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        const auto& model = static_cast<const forms::DriveListBox&>(control);
        auto* drives = static_cast<QComboBox*>(widget);
        if (property == Property::List) {
            drives->clear();
            for (const std::string& drive : model.items()) drives->addItem(qtext(drive));
        } else if (property != Property::Caption) {
            return;
        }
        drives->setCurrentIndex(drives->findText(qtext(model.drive())));
    }
    Paint paint() const override { return Paint::Field; }
};

class FolderListAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        QListWidget* folders = newListWidget(parent);
        QObject::connect(folders, &QListWidget::itemSelectionChanged, &forwarder,
                         [&forwarder, folders] {
                             const int row = pickedRow(folders);
                             if (row < 0) return;
                             forwarder.forwardTo<forms::FolderListBox>(
                                 folders, [row](auto& c) { c.clickRow(row); });
                         });
        // Opening a row walks into it, as the folder list of any file dialog does.
        QObject::connect(folders, &QListWidget::itemActivated, &forwarder,
                         [&forwarder, folders](QListWidgetItem* item) {
                             const int row = folders->row(item);
                             forwarder.forwardTo<forms::FolderListBox>(
                                 folders, [row](auto& c) { c.openRow(row); }, Property::List);
                         });
        return folders;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        const auto& model = static_cast<const forms::FolderListBox&>(control);
        auto* folders = static_cast<QListWidget*>(widget);
        if (property == Property::List) showRows(folders, model.rows(), model.currentRow());
        if (property == Property::ListIndex) showRow(folders, model.currentRow());
    }
    Paint paint() const override { return Paint::Field; }
    bool usesEnter() const override { return true; }
};

class FileListAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        QListWidget* files = newListWidget(parent);
        QObject::connect(
            files, &QListWidget::itemSelectionChanged, &forwarder, [&forwarder, files] {
                const int row = pickedRow(files);
                if (row < 0) return;  // emptied, or nothing picked
                forwarder.forwardTo<forms::FileListBox>(
                    files, [row](auto& c) { c.setListIndex(row); }, Property::ListIndex);
            });
        return files;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        const auto& model = static_cast<const forms::FileListBox&>(control);
        auto* files = static_cast<QListWidget*>(widget);
        if (property == Property::List) showRows(files, model.items(), model.listIndex());
        if (property == Property::ListIndex) showRow(files, model.listIndex());
    }
    Paint paint() const override { return Paint::Field; }
};

}  // namespace

AdapterList listAdapters() {
    static const DriveListAdapter driveList;
    static const FolderListAdapter folderList;
    static const FileListAdapter fileList;
    return {
        {forms::ControlKind::DriveList, &driveList},
        {forms::ControlKind::FolderList, &folderList},
        {forms::ControlKind::FileList, &fileList},
    };
}

}  // namespace korvo::qt
