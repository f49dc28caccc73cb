// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the captioned controls: labels, buttons, option buttons, check boxes and frames.

#include <qdrawutil.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <algorithm>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/pictures.h"

namespace korvo::qt {

namespace {

using forms::Property;

// Fusion draws a frame's border from a picture in Qt's resources that it loads by name, and
// QImageReader, left to guess the format, loads every image-format plugin with its libraries
// for it. The same border, read as the PNG it is.
class FrameStyle final : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox ||
            baseStyle()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        static const QPixmap border = QPixmap::fromImage(
            decodePicture(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png", {}));
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const int top =
            box && !box->isCheckable() && box->title().isEmpty()
                ? FusionGroupBoxTopMargin
                : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                      FusionGroupBoxTopMargin;
        qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                          border);
    }

  private:
    static constexpr int FusionGroupBoxTopMargin = 3;
};

class LabelAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder&) const override {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property == Property::Caption)
            static_cast<QLabel*>(widget)->setText(labelText(control.caption()));
    }
    // A label without a colour of its own lets its container show through.
    Paint paint() const override { return Paint::Transparent; }
    bool passive() const override { return true; }
};

// The caption of any button kind.
void showButtonCaption(const forms::Control& control, QWidget* widget, Property property) {
    if (property == Property::Caption)
        static_cast<QAbstractButton*>(widget)->setText(qtext(control.caption()));
}

class CommandButtonAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, &forwarder, [&forwarder, button] {
            forwarder.forwardTo<forms::CommandButton>(button, [](auto& c) { c.click(); });
        });
        return button;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        showButtonCaption(control, widget, property);
        if (property != Property::Picture) return;
        // A button's picture is a small bundled one (the folder button's), drawn at its own size.
        auto* button = static_cast<QPushButton*>(widget);
        const forms::Picture& picture = control.picture();
        if (!picture) {
            button->setIcon({});
            return;
        }
        const QSize size(picture->width, picture->height);
        button->setIcon(QPixmap::fromImage(decodePicture(picture->source, size)));
        button->setIconSize(size);
    }
    Paint paint() const override { return Paint::Button; }
};

class OptionButtonAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        // Exclusivity is the model's: it clears the other buttons of the container.
        auto* option = new QRadioButton(parent);
        option->setAutoExclusive(false);
        QObject::connect(option, &QRadioButton::clicked, &forwarder, [&forwarder, option] {
            forwarder.forwardTo<forms::OptionButton>(
                option, [](auto& c) { c.select(); }, Property::Value);
        });
        return option;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        showButtonCaption(control, widget, property);
        if (property == Property::Value)
            static_cast<QRadioButton*>(widget)->setChecked(
                static_cast<const forms::OptionButton&>(control).value());
    }
};

class CheckBoxAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* check = new QCheckBox(parent);
        check->setTristate(true);  // to show the greyed state; a click only ticks or unticks
        QObject::connect(check, &QCheckBox::clicked, &forwarder, [&forwarder, check] {
            forwarder.forwardTo<forms::CheckBox>(
                check, [](auto& c) { c.click(); }, Property::Value);
        });
        return check;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        showButtonCaption(control, widget, property);
        if (property != Property::Value) return;
        const int value = static_cast<const forms::CheckBox&>(control).value();
        static_cast<QCheckBox*>(widget)->setCheckState(
            value == forms::CheckBox::Checked  ? Qt::Checked
            : value == forms::CheckBox::Grayed ? Qt::PartiallyChecked
                                               : Qt::Unchecked);
    }
};

class FrameAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder&) const override {
        static FrameStyle* const style = new FrameStyle;  // lives as long as the program
        auto* box = new QGroupBox(parent);
        box->setStyle(style);
        return box;
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property == Property::Caption)
            static_cast<QGroupBox*>(widget)->setTitle(qtext(control.caption()));
    }
    bool passive() const override { return true; }
};

}  // namespace

AdapterList buttonAdapters() {
    static const LabelAdapter label;
    static const CommandButtonAdapter commandButton;
    static const OptionButtonAdapter optionButton;
    static const CheckBoxAdapter checkBox;
    static const FrameAdapter frame;
    return {
        {forms::ControlKind::Label, &label},
        {forms::ControlKind::CommandButton, &commandButton},
        {forms::ControlKind::OptionButton, &optionButton},
        {forms::ControlKind::CheckBox, &checkBox},
        {forms::ControlKind::Frame, &frame},
    };
}

}  // namespace korvo::qt
