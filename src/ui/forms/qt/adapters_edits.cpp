// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the controls the user types in or drags: text boxes, editable drop-down lists
// and sliders.

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <string>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/convert.h"

namespace korvo::qt {

namespace {

using forms::Property;

class TextBoxAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* edit = new QLineEdit(parent);
        QObject::connect(
            edit, &QLineEdit::textEdited, &forwarder, [&forwarder, edit](const QString& text) {
                const std::string typed = text.toStdString();
                forwarder.forwardTo<forms::TextBox>(edit, [&typed](auto& c) { c.setText(typed); });
            });
        return edit;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (property == Property::Caption) {
            // Set only when it differs, so that typing keeps its cursor.
            const QString text = qtext(control.caption());
            if (edit->text() != text) edit->setText(text);
        } else if (property == Property::Locked) {
            edit->setReadOnly(static_cast<const forms::TextBox&>(control).locked());
        }
    }
    Paint paint() const override { return Paint::Field; }
};

class ComboBoxAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, &forwarder,
                         [&forwarder, combo](const QString& text) {
                             const std::string typed = text.toStdString();
                             forwarder.forwardTo<forms::ComboBox>(
                                 combo, [&typed](auto& c) { c.setText(typed); });
                         });
        QObject::connect(combo, &QComboBox::activated, &forwarder, [&forwarder, combo](int index) {
            forwarder.forwardTo<forms::ComboBox>(
                combo, [index](auto& c) { c.setListIndex(index); }, Property::Caption);
        });
        return combo;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        const auto& model = static_cast<const forms::ComboBox&>(control);
        auto* combo = static_cast<QComboBox*>(widget);
        if (property == Property::List) {
            combo->clear();
            for (const std::string& item : model.items()) combo->addItem(qtext(item));
        } else if (property != Property::ListIndex && property != Property::Caption) {
            return;
        }
        // With no entry chosen, the list stands at the entry its text names, so that the arrow
        // keys go on from what the user sees, however the list was filled.
        const QString text = qtext(model.text());
        const int index =
            model.listIndex() >= 0 ? model.listIndex() : combo->findText(text, Qt::MatchExactly);
        if (combo->currentIndex() != index) combo->setCurrentIndex(index);
        // The text is the model's, whatever the list did to it.
        if (combo->currentText() != text) combo->setEditText(text);
    }
    Paint paint() const override { return Paint::Field; }
};

class SliderAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control& control, QWidget* parent, Forwarder& forwarder) const override {
        const auto& model = static_cast<const forms::Slider&>(control);
        auto* slider = new QSlider(model.vertical() ? Qt::Vertical : Qt::Horizontal, parent);
        slider->setRange(model.min(), model.max());
        slider->setInvertedAppearance(model.vertical());  // the minimum at the top
        slider->setInvertedControls(model.vertical());
        slider->setTracking(false);  // the value changes when the thumb is let go
        slider->setPageStep(5);
        slider->setTickPosition(QSlider::TicksBelow);
        const int range = model.max() - model.min();
        slider->setTickInterval(range <= 100 ? 1 : range / 10);
        QObject::connect(slider, &QSlider::valueChanged, &forwarder,
                         [&forwarder, slider](int value) {
                             forwarder.forwardTo<forms::Slider>(
                                 slider, [value](auto& c) { c.setValue(value); }, Property::Value);
                         });
        return slider;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property == Property::Value)
            static_cast<QSlider*>(widget)->setValue(
                static_cast<const forms::Slider&>(control).value());
    }
};

}  // namespace

AdapterList editAdapters() {
    static const TextBoxAdapter textBox;
    static const ComboBoxAdapter comboBox;
    static const SliderAdapter slider;
    return {
        {forms::ControlKind::TextBox, &textBox},
        {forms::ControlKind::ComboBox, &comboBox},
        {forms::ControlKind::Slider, &slider},
    };
}

}  // namespace korvo::qt
