// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters for picture boxes and images: a plain widget that draws the model's picture.

#include <QPainter>
#include <QWidget>

#include "ui/forms/qt/control_adapter.h"
#include "ui/forms/qt/pictures.h"

namespace korvo::qt {

namespace {

using forms::Property;

// The picture stretched over the control or at its natural size in the top left corner,
// decoded once for the size shown, when it is painted: a hidden window decodes nothing and
// catches up when it shows.
class PictureWidget final : public QWidget {
  public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) {}

    void setPicture(const forms::Picture& picture, bool stretch, bool bordered) {
        picture_ = picture;
        stretch_ = stretch;
        bordered_ = bordered;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QRect area = rect();
        if (bordered_) area.adjust(1, 1, -1, -1);
        if (picture_ && !area.isEmpty()) {
            if (stretch_) {
                const QSize device = (QSizeF(area.size()) * devicePixelRatioF()).toSize();
                const QPixmap& pixmap = cache_.pixmap(picture_, device, true);
                if (!pixmap.isNull()) painter.drawPixmap(area, pixmap);
            } else {
                const QPixmap& pixmap = cache_.pixmap(picture_, area.size(), false);
                if (!pixmap.isNull()) painter.drawPixmap(area.topLeft(), pixmap);
            }
        }
        if (bordered_) {
            painter.setPen(Qt::black);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

  private:
    forms::Picture picture_;
    bool stretch_ = false;
    bool bordered_ = false;
    PictureCache cache_{this, [this] { update(); }};
};

class PictureBoxAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder&) const override {
        return new PictureWidget(parent);
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property == Property::Picture)
            static_cast<PictureWidget*>(widget)->setPicture(control.picture(), false, false);
    }
    bool passive() const override { return true; }
};

class ImageAdapter final : public ControlAdapter {
  public:
    QWidget* create(forms::Control&, QWidget* parent, Forwarder&) const override {
        return new PictureWidget(parent);
    }
    void show(const forms::Control& control, QWidget* widget, Property property) const override {
        if (property != Property::Picture) return;
        const auto& image = static_cast<const forms::Image&>(control);
        static_cast<PictureWidget*>(widget)->setPicture(image.picture(), image.stretch(),
                                                        image.bordered());
    }
    Paint paint() const override { return Paint::None; }  // an image has no colours of its own
    bool passive() const override { return true; }
};

}  // namespace

AdapterList pictureAdapters() {
    static const PictureBoxAdapter pictureBox;
    static const ImageAdapter image;
    return {
        {forms::ControlKind::PictureBox, &pictureBox},
        {forms::ControlKind::Image, &image},
    };
}

}  // namespace korvo::qt
