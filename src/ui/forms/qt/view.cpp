#include "ui/forms/qt/view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "base/paths.h"
#include "ui/forms/qt/fonts.h"
#include "ui/forms/qt/menus.h"
#include "ui/forms/qt/pictures.h"
#include "ui/forms/qt/window_services.h"

namespace korvo::qt {

namespace {

using forms::ControlKind;
using forms::FormProperty;
using forms::Property;

QString qtext(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A label shows '&' as the mark of its access key and "&&" as one ampersand; line breaks may
// come in Windows style.
QString labelText(const std::string& caption) {
    QString in = qtext(caption);
    in.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    in.replace(u'\r', u'\n');
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != u'&') {
            out += in[i];
        } else if (i + 1 < in.size()) {
            out += in[++i];  // "&x" shows x, "&&" shows one ampersand
        }
    }
    return out;
}

QColor qcolor(forms::Color color) {
    return QColor(color.r, color.g, color.b);
}

// Pixels from twips, rounded; values no screen could show are held to what a widget can take.
int toPixels(long long twips, int twipsPerPixel) {
    const long long pixels = std::llround(static_cast<double>(twips) / twipsPerPixel);
    return static_cast<int>(std::clamp(pixels, -8'000'000LL, 8'000'000LL));
}

// Both edges are rounded, so that controls that touch in twips touch on the screen.
QRect pixelRect(const forms::Rect& rect, int twipsPerPixel) {
    const long long left = rect.left, top = rect.top;
    const int x = toPixels(left, twipsPerPixel);
    const int y = toPixels(top, twipsPerPixel);
    const int right = toPixels(left + std::max(0, rect.width), twipsPerPixel);
    const int bottom = toPixels(top + std::max(0, rect.height), twipsPerPixel);
    return {x, y, std::max(0, right - x), std::max(0, bottom - y)};
}

forms::MouseEvent modelEvent(const QMouseEvent& event, int twipsPerPixel) {
    const Qt::MouseButtons buttons =
        event.type() == QEvent::MouseMove ? event.buttons() : Qt::MouseButtons(event.button());
    int button = 0;
    if (buttons & Qt::LeftButton) button |= static_cast<int>(forms::MouseButton::Left);
    if (buttons & Qt::RightButton) button |= static_cast<int>(forms::MouseButton::Right);
    if (buttons & Qt::MiddleButton) button |= static_cast<int>(forms::MouseButton::Middle);
    int shift = 0;
    if (event.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event.modifiers() & Qt::ControlModifier) shift |= 2;
    if (event.modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event.position() * twipsPerPixel;
    return {button, shift, static_cast<float>(at.x()), static_cast<float>(at.y())};
}

// Controls that do nothing with a mouse button themselves: the press and the moves over them are
// theirs alone and do not reach the container.
bool isPassive(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Image ||
           kind == ControlKind::PictureBox || kind == ControlKind::Frame;
}

bool isList(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::DriveList ||
           kind == ControlKind::FolderList || kind == ControlKind::FileList;
}

bool isFixed(forms::BorderStyle style) {
    return style != forms::BorderStyle::Sizable;
}

Qt::WindowFlags windowFlags(const forms::Form& form) {
    // A window without a task-bar button is a tool window.
    const Qt::WindowFlags type = form.showInTaskbar() ? Qt::Window : Qt::Tool;
    const Qt::WindowFlags titled =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    switch (form.borderStyle()) {
        case forms::BorderStyle::None:
            return type | Qt::FramelessWindowHint;
        case forms::BorderStyle::FixedSingle:
            return type | titled | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        case forms::BorderStyle::FixedDialog:
            return (form.showInTaskbar() ? Qt::Dialog : Qt::Tool) | titled |
                   Qt::WindowCloseButtonHint;
        case forms::BorderStyle::FixedToolWindow:
            return Qt::Tool | titled | Qt::WindowCloseButtonHint;
        case forms::BorderStyle::Sizable:
            break;
    }
    return type | titled | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

Qt::CursorShape cursorShape(int pointer) {
    switch (pointer) {
        case 2:
            return Qt::CrossCursor;
        case 3:
            return Qt::IBeamCursor;
        case 5:
        case 15:
            return Qt::SizeAllCursor;
        case 6:
            return Qt::SizeBDiagCursor;
        case 7:
            return Qt::SizeVerCursor;
        case 8:
            return Qt::SizeFDiagCursor;
        case 9:
            return Qt::SizeHorCursor;
        case 10:
            return Qt::UpArrowCursor;
        case 11:
            return Qt::WaitCursor;
        case 12:
            return Qt::ForbiddenCursor;
        case 13:
            return Qt::BusyCursor;
        case 14:
            return Qt::WhatsThisCursor;
        case 99:  // a custom pointer: Korvo's are the hand over a link
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// The application's palette with every colour set, so that a control never takes a colour from
// the container it sits in: what it does not say is the window system's own.
QPalette resolvedPalette() {
    QPalette palette = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole) continue;
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setColor(g, r, palette.color(g, r));
        }
    }
    return palette;
}

// The parent of the folder list's folder, or nothing at a root.
std::optional<std::string> parentFolder(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    std::filesystem::path path = toPath(folder).lexically_normal();
    if (path.filename().empty()) path = path.parent_path();
    if (!path.has_relative_path()) return std::nullopt;
    return fromPath(path.parent_path());
}

// An image or a picture box: the picture stretched over the control or at its natural size in
// the top left corner, decoded once for the size shown.
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
    PictureCache cache_;
};

}  // namespace

class View::Impl final : public QObject {
  public:
    Impl(forms::Runtime& runtime, WindowServices& services)
        : runtime_(runtime), services_(services), palette_(resolvedPalette()) {}

    ~Impl() override {
        for (auto& [form, view] : forms_) delete view->window;
        for (const QPointer<QWidget>& window : retired_) delete window;
    }

    struct FormView {
        forms::Form* form = nullptr;
        QWidget* window = nullptr;
        QWidget* client = nullptr;  // the form's client area: the controls' parent
        QMenuBar* menuBar = nullptr;
        Qt::WindowFlags flags;
        bool menuBarPending = false;
        std::map<const forms::Control*, QWidget*> widgets;
    };

    // What a widget stands for: a control, or (control null) the form of a window or client.
    struct Target {
        FormView* view;
        forms::Control* control;
    };

    void loaded(forms::Form& form);
    void unloaded(forms::Form& form);
    void applyForm(FormView& view, FormProperty property);
    void controlChanged(forms::Control& control, Property property);

    FormView* find(const forms::Form& form) const {
        const auto it = forms_.find(&form);
        return it == forms_.end() ? nullptr : it->second.get();
    }
    QWidget* widget(const forms::Control& control) const {
        const FormView* view = find(control.form());
        if (!view) return nullptr;
        const auto it = view->widgets.find(&control);
        return it == view->widgets.end() ? nullptr : it->second;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int twipsPerPixel() const { return services_.twipsPerPixelX(); }
    void createControl(FormView& view, forms::Control& control);
    QWidget* makeWidget(forms::Control& control, QWidget* parent);
    void applyControl(forms::Control& control, QWidget* widget, Property property);
    void applyCaption(forms::Control& control, QWidget* widget);
    void applyColors(const forms::Control& control, QWidget* widget);
    void applyValue(forms::Control& control, QWidget* widget);
    void applyList(forms::Control& control, QWidget* widget);
    void applyListIndex(forms::Control& control, QWidget* widget);
    void applyGeometry(FormView& view);
    void applyFlags(FormView& view);
    void layoutClient(FormView& view);
    void rebuildMenuBar(FormView& view);
    void scheduleMenuBar(FormView& view);
    void modelFollowsWindow(FormView& view, bool resized);

    // Runs a user's action on the control behind `source` as one dispatched event, then shows
    // the model's state again: a handler may have refused or changed what the user did.
    template <class C, class Action>
    void forward(QWidget* source, Action action, std::optional<Property> refresh = {}) {
        const auto it = targets_.find(source);
        if (it == targets_.end() || !it->second.control) return;
        C* control = static_cast<C*>(it->second.control);
        runtime_.dispatch([control, &action] { action(*control); });
        if (!refresh) return;
        const auto after = targets_.find(source);  // the event may have unloaded the form
        if (after != targets_.end()) applyControl(*after->second.control, source, *refresh);
    }

    forms::Runtime& runtime_;
    WindowServices& services_;
    QPalette palette_;
    std::map<const forms::Form*, std::unique_ptr<FormView>> forms_;
    std::unordered_map<const QObject*, Target> targets_;
    std::vector<QPointer<QWidget>> retired_;  // windows of unloaded forms, deleted later
    int applying_ = 0;                        // > 0 while the view moves or sizes a window
};

void View::Impl::loaded(forms::Form& form) {
    if (find(form)) return;
    auto owned = std::make_unique<FormView>();
    FormView& view = *owned;
    forms_.emplace(&form, std::move(owned));
    view.form = &form;
    view.flags = windowFlags(form);
    view.window = new QWidget(nullptr, view.flags);
    view.window->setObjectName(qtext(form.name()));
    view.window->setAttribute(Qt::WA_QuitOnClose, false);
    view.client = new QWidget(view.window);
    view.client->setMouseTracking(true);
    view.window->installEventFilter(this);
    view.client->installEventFilter(this);
    targets_[view.window] = {&view, nullptr};
    targets_[view.client] = {&view, nullptr};

    // Made in declaration order, so that a control declared later lies on top.
    for (forms::Control* control : form.controls()) createControl(view, *control);
    rebuildMenuBar(view);
    for (FormProperty property :
         {FormProperty::Caption, FormProperty::Colors, FormProperty::Icon, FormProperty::Geometry})
        applyForm(view, property);
    if (form.visible()) view.window->show();
}

void View::Impl::unloaded(forms::Form& form) {
    const auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    services_.formUnloaded(form);
    FormView& view = *it->second;
    // Forgotten first, so that nothing the window still does reaches the form.
    for (const auto& [control, widget] : view.widgets) targets_.erase(widget);
    targets_.erase(view.client);
    targets_.erase(view.window);
    view.window->hide();
    // The window may be the one whose event unloaded the form (its close box).
    view.window->deleteLater();
    std::erase_if(retired_, [](const QPointer<QWidget>& window) { return window.isNull(); });
    retired_.emplace_back(view.window);
    forms_.erase(it);
}

void View::Impl::createControl(FormView& view, forms::Control& control) {
    QWidget* parent = view.client;
    if (&control.container() != view.form) {
        auto* holder = dynamic_cast<forms::Control*>(&control.container());
        const auto it = view.widgets.find(holder);
        if (it != view.widgets.end()) parent = it->second;
    }
    QWidget* widget = makeWidget(control, parent);
    if (!widget) return;
    QString name = qtext(control.name());
    if (control.index() >= 0) name += QStringLiteral("(%1)").arg(control.index());
    widget->setObjectName(name);
    view.widgets[&control] = widget;
    targets_[widget] = {&view, &control};
    widget->installEventFilter(this);
    if (isPassive(control.kind())) widget->setMouseTracking(true);
    for (Property property :
         {Property::Geometry, Property::Colors, Property::Font, Property::List, Property::ListIndex,
          Property::Caption, Property::Value, Property::Picture, Property::Locked,
          Property::Enabled, Property::Visible, Property::MousePointer})
        applyControl(control, widget, property);
}

QWidget* View::Impl::makeWidget(forms::Control& control, QWidget* parent) {
    switch (control.kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, button] {
                forward<forms::CommandButton>(button, [](auto& c) { c.click(); });
            });
            return button;
        }
        case ControlKind::OptionButton: {
            // Exclusivity is the model's: it clears the other buttons of the container.
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);
            connect(option, &QRadioButton::clicked, this, [this, option] {
                forward<forms::OptionButton>(
                    option, [](auto& c) { c.select(); }, Property::Value);
            });
            return option;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(parent);
            check->setTristate(true);  // to show the greyed state; a click only ticks or unticks
            connect(check, &QCheckBox::clicked, this, [this, check] {
                forward<forms::CheckBox>(
                    check, [](auto& c) { c.click(); }, Property::Value);
            });
            return check;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, combo](const QString& text) {
                        const std::string typed = text.toStdString();
                        forward<forms::ComboBox>(combo, [&typed](auto& c) { c.setText(typed); });
                    });
            connect(combo, &QComboBox::activated, this, [this, combo](int index) {
                forward<forms::ComboBox>(
                    combo, [index](auto& c) { c.setListIndex(index); }, Property::Caption);
            });
            return combo;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(parent);
            connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
                const std::string typed = text.toStdString();
                forward<forms::TextBox>(edit, [&typed](auto& c) { c.setText(typed); });
            });
            return edit;
        }
        case ControlKind::Frame:
            return new QGroupBox(parent);
        case ControlKind::PictureBox:
        case ControlKind::Image:
            return new PictureWidget(parent);
        case ControlKind::DriveList: {
            auto* drives = new QComboBox(parent);
            connect(drives, &QComboBox::activated, this, [this, drives](int index) {
                forward<forms::DriveListBox>(
                    drives, [index](auto& c) { c.setListIndex(index); }, Property::Caption);
            });
            return drives;
        }
        case ControlKind::FolderList: {
            auto* folders = new QListWidget(parent);
            folders->setUniformItemSizes(true);
            // Row 0 is ".." below a root; the model's entries follow it.
            connect(folders, &QListWidget::currentRowChanged, this, [this, folders](int row) {
                const auto it = targets_.find(folders);
                if (it == targets_.end()) return;
                const auto& model = static_cast<const forms::FolderListBox&>(*it->second.control);
                const int index = row - (parentFolder(model.path()) ? 1 : 0);
                if (index < 0) return;
                forward<forms::FolderListBox>(
                    folders, [index](auto& c) { c.setListIndex(index); }, Property::ListIndex);
            });
            // Opening an entry walks into it, as the folder list of any file dialog does.
            connect(folders, &QListWidget::itemActivated, this,
                    [this, folders](QListWidgetItem* item) {
                        const auto it = targets_.find(folders);
                        if (it == targets_.end() || !item) return;
                        const auto& model =
                            static_cast<const forms::FolderListBox&>(*it->second.control);
                        const std::optional<std::string> up = parentFolder(model.path());
                        const int row = folders->row(item);
                        std::string target;
                        if (up && row == 0)
                            target = *up;
                        else
                            target = joinPath(model.path(), item->text().toStdString());
                        forward<forms::FolderListBox>(
                            folders, [&target](auto& c) { c.setPath(target); }, Property::List);
                    });
            return folders;
        }
        case ControlKind::FileList: {
            auto* files = new QListWidget(parent);
            files->setUniformItemSizes(true);
            connect(files, &QListWidget::currentRowChanged, this, [this, files](int row) {
                if (row < 0) return;
                forward<forms::FileListBox>(
                    files, [row](auto& c) { c.setListIndex(row); }, Property::ListIndex);
            });
            return files;
        }
        case ControlKind::Slider: {
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
            connect(slider, &QSlider::valueChanged, this, [this, slider](int value) {
                forward<forms::Slider>(
                    slider, [value](auto& c) { c.setValue(value); }, Property::Value);
            });
            return slider;
        }
        case ControlKind::Timer:
        case ControlKind::Menu:
            break;
    }
    return nullptr;
}

void View::Impl::controlChanged(forms::Control& control, Property property) {
    FormView* view = find(control.form());
    if (!view) return;
    if (control.kind() == ControlKind::Menu) {
        scheduleMenuBar(*view);
        return;
    }
    const auto it = view->widgets.find(&control);
    if (it != view->widgets.end()) applyControl(control, it->second, property);
}

void View::Impl::applyControl(forms::Control& control, QWidget* widget, Property property) {
    // Signals a model update raises are the model's own news, not the user's.
    const QSignalBlocker blocker(widget);
    switch (property) {
        case Property::Caption:
            applyCaption(control, widget);
            break;
        case Property::Enabled:
            widget->setEnabled(control.effectivelyEnabled());
            break;
        case Property::Visible:
            widget->setVisible(control.visible());
            break;
        case Property::Geometry:
            widget->setGeometry(pixelRect(control.rect(), twipsPerPixel()));
            break;
        case Property::Colors:
            applyColors(control, widget);
            break;
        case Property::Font:
            if (control.hasFont()) widget->setFont(toQFont(control.font()));
            break;
        case Property::Picture:
            if (control.kind() == ControlKind::Image) {
                const auto& image = static_cast<const forms::Image&>(control);
                static_cast<PictureWidget*>(widget)->setPicture(image.picture(), image.stretch(),
                                                                image.bordered());
            } else if (control.kind() == ControlKind::PictureBox) {
                static_cast<PictureWidget*>(widget)->setPicture(control.picture(), false, false);
            }
            break;
        case Property::Value:
            applyValue(control, widget);
            break;
        case Property::List:
            if (isList(control.kind())) applyList(control, widget);
            break;
        case Property::ListIndex:
            if (isList(control.kind())) applyListIndex(control, widget);
            break;
        case Property::Locked:
            if (control.kind() == ControlKind::TextBox)
                static_cast<QLineEdit*>(widget)->setReadOnly(
                    static_cast<const forms::TextBox&>(control).locked());
            break;
        case Property::MousePointer:
            if (control.mousePointer() == 0)
                widget->unsetCursor();
            else
                widget->setCursor(cursorShape(control.mousePointer()));
            break;
        case Property::Timer:
            break;
    }
}

void View::Impl::applyCaption(forms::Control& control, QWidget* widget) {
    const std::string& caption = control.caption();
    switch (control.kind()) {
        case ControlKind::Label:
            static_cast<QLabel*>(widget)->setText(labelText(caption));
            break;
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            static_cast<QAbstractButton*>(widget)->setText(qtext(caption));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(widget)->setTitle(qtext(caption));
            break;
        case ControlKind::TextBox: {
            // Set only when it differs, so that typing keeps its cursor.
            auto* edit = static_cast<QLineEdit*>(widget);
            if (edit->text() != qtext(caption)) edit->setText(qtext(caption));
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(widget);
            if (combo->currentText() != qtext(caption)) combo->setEditText(qtext(caption));
            break;
        }
        case ControlKind::DriveList:
            static_cast<QComboBox*>(widget)->setCurrentIndex(
                static_cast<QComboBox*>(widget)->findText(qtext(caption)));
            break;
        default:
            break;
    }
}

void View::Impl::applyColors(const forms::Control& control, QWidget* widget) {
    if (control.kind() == ControlKind::Image) return;  // an image has no colours of its own
    QPalette palette = palette_;
    const QColor fore = qcolor(control.foreColor());
    const std::optional<QColor> back =
        control.backColor() ? std::optional<QColor>(qcolor(*control.backColor())) : std::nullopt;
    // Disabled text keeps the window system's grey: that is how a disabled control looks.
    const auto setFore = [&](QPalette::ColorRole role) {
        palette.setColor(QPalette::Active, role, fore);
        palette.setColor(QPalette::Inactive, role, fore);
    };
    const auto setBack = [&](QPalette::ColorRole role) {
        if (back) palette.setColor(role, *back);
    };
    bool fill = false;
    switch (control.kind()) {
        case ControlKind::CommandButton:
            setFore(QPalette::ButtonText);
            setBack(QPalette::Button);
            break;
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::FileList:
        case ControlKind::FolderList:
        case ControlKind::DriveList:
            setFore(QPalette::Text);
            setFore(QPalette::ButtonText);
            setBack(QPalette::Base);
            setBack(QPalette::Button);
            break;
        default:
            setFore(QPalette::WindowText);
            setFore(QPalette::Text);
            setBack(QPalette::Window);
            // A label without a colour of its own is transparent; other controls fill with the
            // window system's colour.
            fill = back.has_value() || control.kind() != ControlKind::Label;
            break;
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(fill);
}

void View::Impl::applyValue(forms::Control& control, QWidget* widget) {
    switch (control.kind()) {
        case ControlKind::OptionButton:
            static_cast<QRadioButton*>(widget)->setChecked(
                static_cast<const forms::OptionButton&>(control).value());
            break;
        case ControlKind::CheckBox: {
            const int value = static_cast<const forms::CheckBox&>(control).value();
            static_cast<QCheckBox*>(widget)->setCheckState(
                value == forms::CheckBox::Checked  ? Qt::Checked
                : value == forms::CheckBox::Grayed ? Qt::PartiallyChecked
                                                   : Qt::Unchecked);
            break;
        }
        case ControlKind::Slider:
            static_cast<QSlider*>(widget)->setValue(
                static_cast<const forms::Slider&>(control).value());
            break;
        default:
            break;
    }
}

void View::Impl::applyList(forms::Control& control, QWidget* widget) {
    const auto& list = static_cast<const forms::ListControl&>(control);
    QStringList items;
    items.reserve(static_cast<qsizetype>(list.items().size()));
    for (const std::string& item : list.items()) items << qtext(item);
    switch (control.kind()) {
        case ControlKind::ComboBox:
        case ControlKind::DriveList: {
            auto* combo = static_cast<QComboBox*>(widget);
            combo->clear();
            combo->addItems(items);
            applyCaption(control, widget);
            break;
        }
        case ControlKind::FolderList: {
            auto* folders = static_cast<QListWidget*>(widget);
            folders->clear();
            if (parentFolder(static_cast<const forms::FolderListBox&>(control).path()))
                folders->addItem(QStringLiteral(".."));
            folders->addItems(items);
            applyListIndex(control, widget);
            break;
        }
        case ControlKind::FileList: {
            auto* files = static_cast<QListWidget*>(widget);
            files->clear();
            files->addItems(items);
            applyListIndex(control, widget);
            break;
        }
        default:
            break;
    }
}

void View::Impl::applyListIndex(forms::Control& control, QWidget* widget) {
    const int index = static_cast<const forms::ListControl&>(control).listIndex();
    switch (control.kind()) {
        case ControlKind::ComboBox:
            static_cast<QComboBox*>(widget)->setCurrentIndex(index);
            applyCaption(control, widget);
            break;
        case ControlKind::FolderList:
        case ControlKind::FileList: {
            auto* list = static_cast<QListWidget*>(widget);
            int row = index;
            if (index >= 0 && control.kind() == ControlKind::FolderList &&
                parentFolder(static_cast<const forms::FolderListBox&>(control).path()))
                ++row;
            list->setCurrentRow(row);
            if (row >= 0) list->scrollToItem(list->item(row));
            break;
        }
        default:
            break;
    }
}

void View::Impl::applyForm(FormView& view, FormProperty property) {
    const forms::Form& form = *view.form;
    switch (property) {
        case FormProperty::Caption:
            view.window->setWindowTitle(qtext(form.caption()));
            break;
        case FormProperty::Colors: {
            QPalette palette = palette_;
            if (form.backColor()) palette.setColor(QPalette::Window, qcolor(*form.backColor()));
            view.client->setPalette(palette);
            view.client->setAutoFillBackground(true);
            break;
        }
        case FormProperty::Icon:
            if (form.icon()) {
                const QImage icon = decodePicture(form.icon()->source, {});
                view.window->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
            } else {
                view.window->setWindowIcon(QIcon());
            }
            break;
        case FormProperty::Border:
        case FormProperty::Taskbar:
            applyFlags(view);
            break;
        case FormProperty::Geometry:
            applyGeometry(view);
            break;
        case FormProperty::Visible:
            view.window->setVisible(form.visible());
            break;
    }
}

void View::Impl::applyFlags(FormView& view) {
    const Qt::WindowFlags wanted = windowFlags(*view.form);
    if (wanted == view.flags) return;
    view.flags = wanted;
    // New flags take a window off the screen; it comes back as the model has it.
    view.window->setWindowFlags(wanted);
    applyGeometry(view);
    if (view.form->visible()) view.window->show();
}

void View::Impl::applyGeometry(FormView& view) {
    const forms::Rect& rect = view.form->rect();
    const int twips = twipsPerPixel();
    const QRect client = pixelRect({0, 0, rect.width, rect.height}, twips);
    const int bar = view.menuBar ? view.menuBar->sizeHint().height() : 0;
    const QSize size(std::max(1, client.width()), std::max(1, client.height() + bar));
    ++applying_;
    if (isFixed(view.form->borderStyle())) {
        view.window->setFixedSize(size);
    } else {
        view.window->setMinimumSize(0, 0);
        view.window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        view.window->resize(size);
    }
    view.window->move(toPixels(rect.left, twips), toPixels(rect.top, twips));
    layoutClient(view);
    --applying_;
}

void View::Impl::layoutClient(FormView& view) {
    const int bar = view.menuBar ? view.menuBar->sizeHint().height() : 0;
    const int width = view.window->width();
    if (view.menuBar) view.menuBar->setGeometry(0, 0, width, bar);
    view.client->setGeometry(0, bar, width, std::max(0, view.window->height() - bar));
}

void View::Impl::scheduleMenuBar(FormView& view) {
    // Rebuilt from the event loop: the change may come from a handler of the very action the
    // menu bar is still delivering.
    if (view.menuBarPending) return;
    view.menuBarPending = true;
    QPointer<QWidget> window = view.window;
    QMetaObject::invokeMethod(
        this,
        [this, window] {
            const auto it = targets_.find(window.data());
            if (!window || it == targets_.end()) return;
            it->second.view->menuBarPending = false;
            rebuildMenuBar(*it->second.view);
        },
        Qt::QueuedConnection);
}

void View::Impl::rebuildMenuBar(FormView& view) {
    // Only visible top-level menus make a menu bar; a form whose menus are all hidden keeps them
    // for popping up.
    std::vector<forms::Menu*> menus;
    for (forms::Control* control : view.form->controls()) {
        auto* menu =
            control->kind() == ControlKind::Menu ? static_cast<forms::Menu*>(control) : nullptr;
        if (menu && !menu->parentMenu() && menu->visible()) menus.push_back(menu);
    }
    if (menus.empty()) {
        if (view.menuBar) {
            delete view.menuBar;
            view.menuBar = nullptr;
            applyGeometry(view);
        }
        return;
    }
    if (!view.menuBar) {
        view.menuBar = new QMenuBar(view.window);
        QPointer<QWidget> window = view.window;
        connect(view.menuBar, &QMenuBar::triggered, this, [this, window](QAction* action) {
            forms::Menu* item = menuItem(action);
            if (item && window && targets_.count(window.data()))
                runtime_.dispatch([item] { item->click(); });
        });
    }
    view.menuBar->clear();
    for (forms::Menu* menu : menus) {
        const QString caption = qtext(menu->caption());
        QAction* action = nullptr;
        if (menu->items().empty()) {
            action = view.menuBar->addAction(caption);
            action->setData(QVariant::fromValue(static_cast<void*>(menu)));
        } else {
            QMenu* dropDown = view.menuBar->addMenu(caption);
            fillMenu(*dropDown, *menu, nullptr);
            action = dropDown->menuAction();
        }
        action->setEnabled(menu->enabled());
    }
    view.menuBar->show();
    applyGeometry(view);
}

void View::Impl::modelFollowsWindow(FormView& view, bool resized) {
    // The user moved or sized the window: the model keeps the window's place, in twips. Only
    // what changed in pixels is written back, so rounding never creeps into the model.
    const int twips = twipsPerPixel();
    const forms::Rect& rect = view.form->rect();
    forms::Rect next = rect;
    const QPoint at = view.window->frameGeometry().topLeft();
    if (at.x() != toPixels(rect.left, twips)) next.left = at.x() * twips;
    if (at.y() != toPixels(rect.top, twips)) next.top = at.y() * twips;
    if (resized) {
        const QRect client = pixelRect({0, 0, rect.width, rect.height}, twips);
        if (view.client->width() != client.width()) next.width = view.client->width() * twips;
        if (view.client->height() != client.height()) next.height = view.client->height() * twips;
    }
    if (next == rect) return;
    forms::Form* form = view.form;
    ++applying_;
    runtime_.dispatch([form, next] { form->setRect(next); });
    --applying_;
}

bool View::Impl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::Close &&
        type != QEvent::Move && type != QEvent::Resize)
        return false;
    const auto it = targets_.find(watched);
    if (it == targets_.end()) return false;
    FormView& view = *it->second.view;
    forms::Control* control = it->second.control;
    const bool isWindow = watched == view.window;

    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove: {
            if (isWindow) return false;
            const forms::MouseEvent mouse =
                modelEvent(*static_cast<QMouseEvent*>(event), twipsPerPixel());
            const bool press = type == QEvent::MouseButtonPress;
            forms::Form* form = view.form;
            runtime_.dispatch([form, control, mouse, press] {
                if (control && press) control->mouseDown(mouse);
                if (control && !press) control->mouseMove(mouse);
                if (!control && press) form->mouseDown(mouse);
                if (!control && !press) form->mouseMove(mouse);
            });
            return !control || isPassive(control->kind());
        }
        case QEvent::Close: {
            if (!isWindow) return false;
            // The close box asks the form; its Form_QueryUnload may keep it.
            event->ignore();
            forms::Form* form = view.form;
            runtime_.dispatch([form] { form->requestClose(); });
            return true;
        }
        case QEvent::Move:
        case QEvent::Resize:
            if (!isWindow) return false;
            if (type == QEvent::Resize) layoutClient(view);
            if (event->spontaneous() && applying_ == 0)
                modelFollowsWindow(view, type == QEvent::Resize);
            return false;
        default:
            return false;
    }
}

View::View(forms::Runtime& runtime, WindowServices& services)
    : impl_(std::make_unique<Impl>(runtime, services)), runtime_(&runtime), services_(&services) {
    installFontSubstitutions();
    services.setView(this);
    runtime.addObserver(this);
    // Forms loaded before the view was attached get their windows now.
    for (forms::Form* form : runtime.forms()) impl_->loaded(*form);
}

View::~View() {
    runtime_->removeObserver(this);
    services_->setView(nullptr);
}

void View::formEvent(forms::Form& form, forms::FormEvent event, forms::FormProperty property) {
    switch (event) {
        case forms::FormEvent::Loaded:
            impl_->loaded(form);
            break;
        case forms::FormEvent::Unloaded:
            impl_->unloaded(form);
            break;
        case forms::FormEvent::Shown:
            if (auto* view = impl_->find(form)) {
                view->window->show();
                view->window->raise();
                view->window->activateWindow();
            }
            break;
        case forms::FormEvent::Hidden:
            if (auto* view = impl_->find(form)) view->window->hide();
            break;
        case forms::FormEvent::Changed:
            if (auto* view = impl_->find(form)) impl_->applyForm(*view, property);
            break;
    }
}

void View::controlChanged(forms::Control& control, forms::Property property) {
    impl_->controlChanged(control, property);
}

QWidget* View::window(const forms::Form& form) const {
    const auto* view = impl_->find(form);
    return view ? view->window : nullptr;
}

QWidget* View::widget(const forms::Control& control) const {
    return impl_->widget(control);
}

}  // namespace korvo::qt
