// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for the captioned controls: labels, buttons, option buttons, check boxes and frames.

#include <qdrawutil.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <type_traits>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/convert.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/style.h"

namespace korvo::qt {

namespace {

using forms::Property;

// A frame as the design's desktop draws it: a groove round the frame, its caption on the top
// line, over the frame's own colour (its container's when it has none).
class FrameBox final : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette& colours = palette();
        const QFontMetrics metrics(font());
        QRect groove = rect();
        groove.setTop(metrics.height() / 2);
        qDrawShadeRect(&painter, groove, colours, true, 1, 0);
        const QString caption = title();
        if (caption.isEmpty()) return;
        const int width = metrics.horizontalAdvance(caption);
        const QRect behind(FrameCaptionIndent, 0, width + 2 * FrameCaptionGap, metrics.height());
        // Over the colour that shows here: the frame's own, or that of what it lies on.
        const QWidget* shown = this;
        while (!shown->autoFillBackground() && !shown->isWindow() && shown->parentWidget())
            shown = shown->parentWidget();
        painter.fillRect(behind, shown->palette().window());
        style()->drawItemText(&painter, behind.adjusted(FrameCaptionGap, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, colours,
                              isEnabled(), caption, QPalette::WindowText);
    }
};

// An option button or a check box. One whose design leaves no room beside its indicator for even
// the first character of its caption shows the indicator alone, as its design means (the
// assistant's language buttons under their flags), rather than a sliver of a letter.
template <class Button>
class IndicatorButton final : public Button {
  public:
    using Button::Button;

  protected:
    void paintEvent(QPaintEvent*) override {
        constexpr bool radio = std::is_same_v<Button, QRadioButton>;
        QStylePainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        const QRect text = this->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, this);
        if (!option.text.isEmpty() &&
            text.width() < this->fontMetrics().horizontalAdvance(option.text.left(1)))
            option.text.clear();
        painter.drawControl(radio ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, option);
    }
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
    QWidget* create(forms::Control& control, QWidget* parent, Forwarder& forwarder) const override {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        // Drawn ringed; Enter reaches it through the form (View), as it reaches any button.
        button->setDefault(static_cast<forms::CommandButton&>(control).isDefault());
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
        auto* option = new IndicatorButton<QRadioButton>(parent);
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
    Paint paint() const override { return Paint::Transparent; }
};

class CheckBoxAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder& forwarder) const override {
        auto* check = new IndicatorButton<QCheckBox>(parent);
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
    Paint paint() const override { return Paint::Transparent; }
};

class FrameAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder&) const override {
        return new FrameBox(parent);
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property == Property::Caption)
            static_cast<QGroupBox*>(widget)->setTitle(qtext(control.caption()));
    }
    // No slab of the system's colour: its container shows through unless it has a colour.
    Paint paint() const override { return Paint::Transparent; }
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
