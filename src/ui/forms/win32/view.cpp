#include "ui/forms/win32/view.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "ui/forms/win32/convert.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {

namespace {

using forms::ControlKind;
using forms::FormProperty;
using forms::Property;

constexpr wchar_t FormClass[] = L"KorvoForm";
constexpr wchar_t PictureClass[] = L"KorvoPicture";
constexpr wchar_t OwnerClass[] = L"KorvoOwner";
constexpr UINT DestroyRetired = WM_APP + 1;  // to the owner window: windows of unloaded forms
constexpr UINT RebuildMenuBar = WM_APP + 2;  // to a form's window
constexpr int ProgramIcon = 1;               // the icon resource of Korvo.exe
constexpr int ComboDropHeight = 200;         // pixels of the open list below a combo box

bool contains(const forms::Rect& outer, const forms::Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// Controls that do nothing with a mouse button themselves: the press and the moves over them are
// theirs alone and do not reach the control's own window procedure.
bool isPassive(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Image ||
           kind == ControlKind::PictureBox || kind == ControlKind::Frame;
}

// Controls whose background is the model's colour, or what lies beneath them when they have
// none; the others keep the window system's field colour unless the model names one.
bool showsBackdrop(ControlKind kind) {
    return isPassive(kind) || kind == ControlKind::OptionButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::Slider;
}

bool isContainer(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::PictureBox;
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass classOf(const forms::Control& control) {
    switch (control.kind()) {
        case ControlKind::Label:
            return {L"Static", SS_LEFT | SS_NOTIFY, 0};
        case ControlKind::CommandButton:
            return {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::OptionButton:  // exclusivity is the model's: it clears the others
            return {L"Button", BS_RADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::CheckBox:  // three states to show the greyed one; a click ticks or
                                     // unticks
            return {L"Button", BS_3STATE | WS_TABSTOP, 0};
        case ControlKind::ComboBox:
            return {L"ComboBox", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Frame:
            return {L"Button", BS_GROUPBOX, 0};
        case ControlKind::PictureBox:
        case ControlKind::Image:
            return {PictureClass, 0, 0};
        case ControlKind::DriveList:
            return {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::FolderList:
        case ControlKind::FileList:
            return {L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Slider: {
            const bool vertical = static_cast<const forms::Slider&>(control).vertical();
            const auto style = static_cast<DWORD>(TBS_AUTOTICKS | (vertical ? TBS_VERT : TBS_HORZ));
            return {TRACKBAR_CLASSW, style | WS_TABSTOP, 0};
        }
        case ControlKind::Timer:
        case ControlKind::Menu:
            break;
    }
    return {nullptr, 0, 0};
}

DWORD formStyle(forms::BorderStyle border) {
    switch (border) {
        case forms::BorderStyle::None:
            return WS_POPUP;
        case forms::BorderStyle::FixedSingle:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        case forms::BorderStyle::FixedDialog:
        case forms::BorderStyle::FixedToolWindow:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case forms::BorderStyle::Sizable:
            break;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD formExStyle(const forms::Form& form) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (form.borderStyle() == forms::BorderStyle::FixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (form.borderStyle() == forms::BorderStyle::FixedToolWindow) ex |= WS_EX_TOOLWINDOW;
    if (form.showInTaskbar()) ex |= WS_EX_APPWINDOW;
    return ex;
}

void registerClass(const wchar_t* name, WNDPROC proc, UINT style, HBRUSH background) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = style;
    type.lpfnWndProc = proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = background;
    type.lpszClassName = name;
    RegisterClassExW(&type);  // a second view finds it already there
}

}  // namespace

struct FormView;

struct ControlView {
    forms::Control* control = nullptr;
    FormView* owner = nullptr;
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    HBRUSH brush = nullptr;  // the background, when the model decides it
    COLORREF back = 0;
    // The picture as last decoded, for the size it was shown at.
    HBITMAP bitmap = nullptr;
    std::string bitmapSource;
    SIZE bitmapArea{};
    bool bitmapStretched = false;

    ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;
    ~ControlView() {
        if (font) DeleteObject(font);
        if (brush) DeleteObject(brush);
        if (bitmap) DeleteObject(bitmap);
    }
};

struct FormView {
    View::Impl* impl = nullptr;
    forms::Form* form = nullptr;  // nullptr once unloaded: nothing more reaches the model
    HWND hwnd = nullptr;
    HBRUSH brush = nullptr;
    HICON bigIcon = nullptr, smallIcon = nullptr;
    HMENU menuBar = nullptr;
    bool menuBarPending = false;
    std::map<UINT, forms::Menu*> menuIds;
    std::map<const forms::Control*, std::unique_ptr<ControlView>> controls;
    std::map<HWND, ControlView*> byHandle;

    FormView() = default;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;
    ~FormView() {
        if (hwnd) DestroyWindow(hwnd);  // takes the controls and the menu bar with it
        controls.clear();
        if (brush) DeleteObject(brush);
        if (bigIcon) DestroyIcon(bigIcon);
        if (smallIcon) DestroyIcon(smallIcon);
    }
};

class View::Impl {
  public:
    Impl(forms::Runtime& runtime, WindowServices& services);
    ~Impl();

    void loaded(forms::Form& form);
    void unloaded(forms::Form& form);
    void applyForm(FormView& view, FormProperty property);
    void controlChanged(forms::Control& control, Property property);

    FormView* find(const forms::Form& form) const {
        const auto it = forms_.find(&form);
        return it == forms_.end() ? nullptr : it->second.get();
    }
    ControlView* find(const forms::Control& control) const {
        FormView* view = find(control.form());
        if (!view) return nullptr;
        const auto it = view->controls.find(&control);
        return it == view->controls.end() ? nullptr : it->second.get();
    }

    static LRESULT CALLBACK formProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK ownerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK pictureProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data);

  private:
    int twips() const { return services_.twipsPerPixelX(); }
    void createControl(FormView& view, forms::Control& control);
    void applyControl(ControlView& view, Property property);
    void applyCaption(ControlView& view);
    void applyColors(ControlView& view);
    void applyValue(ControlView& view);
    void applyList(ControlView& view);
    void applyListIndex(ControlView& view);
    void applyPlace(ControlView& view);
    void applyShown(ControlView& view);
    void applyInside(ControlView& view, Property property);
    void applyGeometry(FormView& view);
    void applyFlags(FormView& view);
    void applyIcon(FormView& view);
    void rebuildMenuBar(FormView& view);
    std::optional<forms::Color> backdrop(const FormView& view, const forms::Control& control) const;
    static void paintPicture(ControlView& view, HDC dc);
    static void paintFrame(ControlView& view, HDC dc);
    HBRUSH controlColors(ControlView& view, HDC dc);

    LRESULT formMessage(FormView& view, UINT message, WPARAM wparam, LPARAM lparam);
    void command(ControlView& view, WORD code);
    void scrolled(ControlView& view);
    void mouse(FormView& view, forms::Control* control, UINT message, WPARAM wparam, LPARAM lparam);
    void modelFollowsWindow(FormView& view);

    // Runs a user's action on the control as one dispatched event, then shows the model's state
    // again: a handler may have refused or changed what the user did.
    template <class C, class Action>
    void forward(ControlView& view, Action action, std::optional<Property> refresh = {}) {
        if (!view.owner->form) return;
        C* control = static_cast<C*>(view.control);
        runtime_.dispatch([control, &action] { action(*control); });
        if (refresh && view.owner->form) applyControl(view, *refresh);
    }

    forms::Runtime& runtime_;
    WindowServices& services_;
    HWND owner_ = nullptr;  // hidden: owns the windows kept off the task bar
    std::map<const forms::Form*, std::unique_ptr<FormView>> forms_;
    std::vector<std::unique_ptr<FormView>> retired_;  // windows of unloaded forms, destroyed later
    int applying_ = 0;  // > 0 while the view itself moves, sizes or fills windows

    friend class View;
};

View::Impl::Impl(forms::Runtime& runtime, WindowServices& services)
    : runtime_(runtime), services_(services) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    registerClass(FormClass, formProc, CS_DBLCLKS, nullptr);
    registerClass(PictureClass, pictureProc, 0, nullptr);
    registerClass(OwnerClass, ownerProc, 0, nullptr);
    owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, OwnerClass, L"Korvo", WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, GetModuleHandleW(nullptr), this);
}

View::Impl::~Impl() {
    forms_.clear();
    retired_.clear();
    if (owner_) DestroyWindow(owner_);
}

LRESULT CALLBACK View::Impl::ownerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == DestroyRetired) {
        if (auto* impl = reinterpret_cast<Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            impl->retired_.clear();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void View::Impl::loaded(forms::Form& form) {
    if (find(form)) return;
    auto owned = std::make_unique<FormView>();
    FormView& view = *owned;
    forms_.emplace(&form, std::move(owned));
    view.impl = this;
    view.form = &form;
    ++applying_;
    view.hwnd = CreateWindowExW(formExStyle(form), FormClass, wide(form.caption()).c_str(),
                                formStyle(form.borderStyle()) | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                form.showInTaskbar() ? nullptr : owner_, nullptr,
                                GetModuleHandleW(nullptr), &view);
    // Made in declaration order, each above the ones before: a control declared later lies on
    // top, and what a frame holds lies above the frame.
    for (forms::Control* control : form.controls()) createControl(view, *control);
    rebuildMenuBar(view);
    for (FormProperty property : {FormProperty::Colors, FormProperty::Icon, FormProperty::Geometry})
        applyForm(view, property);
    --applying_;
    if (form.visible()) ShowWindow(view.hwnd, SW_SHOWNORMAL);
}

void View::Impl::unloaded(forms::Form& form) {
    const auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    services_.formUnloaded(form);
    // Forgotten at once, destroyed from the message loop: the window may be the one whose
    // message is being handled right now (its close box, one of its buttons).
    it->second->form = nullptr;
    ShowWindow(it->second->hwnd, SW_HIDE);
    retired_.push_back(std::move(it->second));
    forms_.erase(it);
    PostMessageW(owner_, DestroyRetired, 0, 0);
}

void View::Impl::createControl(FormView& view, forms::Control& control) {
    const ControlClass type = classOf(control);
    if (!type.name) return;
    auto owned = std::make_unique<ControlView>();
    ControlView& c = *owned;
    c.control = &control;
    c.owner = &view;
    c.hwnd = CreateWindowExW(type.exStyle, type.name, L"", WS_CHILD | WS_CLIPSIBLINGS | type.style,
                             0, 0, 0, 0, view.hwnd, nullptr, GetModuleHandleW(nullptr), &c);
    if (!c.hwnd) return;
    view.controls.emplace(&control, std::move(owned));
    view.byHandle[c.hwnd] = &c;
    SetWindowSubclass(c.hwnd, controlProc, 1, reinterpret_cast<DWORD_PTR>(&c));
    SetWindowPos(c.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (control.kind() == ControlKind::Slider) {
        const auto& slider = static_cast<const forms::Slider&>(control);
        SendMessageW(c.hwnd, TBM_SETRANGEMIN, FALSE, slider.min());
        SendMessageW(c.hwnd, TBM_SETRANGEMAX, FALSE, slider.max());
        SendMessageW(c.hwnd, TBM_SETPAGESIZE, 0, 5);
        const int range = slider.max() - slider.min();
        SendMessageW(c.hwnd, TBM_SETTICFREQ, range <= 100 ? 1 : range / 10, 0);
    }
    for (Property property :
         {Property::Font, Property::Geometry, Property::Colors, Property::List, Property::Caption,
          Property::Value, Property::ListIndex, Property::Locked, Property::Picture,
          Property::Enabled, Property::Visible})
        applyControl(c, property);
}

void View::Impl::controlChanged(forms::Control& control, Property property) {
    FormView* view = find(control.form());
    if (!view) return;
    if (control.kind() == ControlKind::Menu) {
        // Rebuilt from the message loop: the change may come from a handler of the very
        // command the menu bar is still delivering.
        if (!view->menuBarPending) PostMessageW(view->hwnd, RebuildMenuBar, 0, 0);
        view->menuBarPending = true;
        return;
    }
    if (ControlView* c = find(control)) applyControl(*c, property);
    // What lies beneath the controls without a colour of their own may have changed.
    if (property == Property::Colors || property == Property::Geometry)
        for (auto& [model, other] : view->controls)
            if (other.get() != find(control) && showsBackdrop(model->kind()) && !model->backColor())
                applyColors(*other);
}

void View::Impl::applyControl(ControlView& c, Property property) {
    // Notifications a model update raises are the model's own news, not the user's.
    ++applying_;
    forms::Control& control = *c.control;
    switch (property) {
        case Property::Caption:
            applyCaption(c);
            break;
        case Property::Enabled:
            EnableWindow(c.hwnd, control.effectivelyEnabled());
            break;
        case Property::Visible:
            applyShown(c);
            break;
        case Property::Geometry:
            applyPlace(c);
            break;
        case Property::Colors:
            applyColors(c);
            break;
        case Property::Font:
            if (control.hasFont()) {
                HFONT font = makeFont(control.font());
                SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
                if (c.font) DeleteObject(c.font);
                c.font = font;
            }
            break;
        case Property::Picture:
            InvalidateRect(c.hwnd, nullptr, TRUE);
            break;
        case Property::Value:
            applyValue(c);
            break;
        case Property::List:
            applyList(c);
            break;
        case Property::ListIndex:
            applyListIndex(c);
            break;
        case Property::Locked:
            if (control.kind() == ControlKind::TextBox)
                SendMessageW(c.hwnd, EM_SETREADONLY,
                             static_cast<const forms::TextBox&>(control).locked(), 0);
            break;
        case Property::MousePointer:  // read when the pointer passes over the control
        case Property::Timer:
            break;
    }
    --applying_;
}

void View::Impl::applyCaption(ControlView& c) {
    const forms::Control& control = *c.control;
    switch (control.kind()) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            // Set only when it differs, so that typing keeps its caret.
            if (windowText(c.hwnd) != control.caption())
                SetWindowTextW(c.hwnd, wide(control.caption()).c_str());
            break;
        case ControlKind::DriveList: {
            const std::wstring drive = wide(control.caption());
            const LRESULT index = SendMessageW(c.hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(drive.c_str()));
            SendMessageW(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        }
        case ControlKind::FolderList:
        case ControlKind::FileList:
        case ControlKind::Slider:
            break;
        default:
            SetWindowTextW(c.hwnd, wide(control.caption()).c_str());
            break;
    }
}

std::optional<forms::Color> View::Impl::backdrop(const FormView& view,
                                                 const forms::Control& control) const {
    // The colour of the last control declared before this one that paints its background and
    // covers it (its frame or picture box, or a strip it lies on); else the form's.
    const forms::Rect place = formRect(control);
    std::optional<forms::Color> found = view.form->backColor();
    for (const forms::Control* other : view.form->controls()) {
        if (other == &control) break;
        if (other->backColor() && isPassive(other->kind()) && shown(*other) &&
            contains(formRect(*other), place))
            found = other->backColor();
    }
    return found;
}

void View::Impl::applyColors(ControlView& c) {
    const forms::Control& control = *c.control;
    std::optional<forms::Color> back = control.backColor();
    if (!back && showsBackdrop(control.kind()) && c.owner->form) back = backdrop(*c.owner, control);
    if (c.brush) DeleteObject(c.brush);
    c.brush = nullptr;
    if (back) {
        c.back = colorref(*back);
        c.brush = CreateSolidBrush(c.back);
    } else if (showsBackdrop(control.kind())) {
        c.back = GetSysColor(COLOR_BTNFACE);
        c.brush = CreateSolidBrush(c.back);
    }
    InvalidateRect(c.hwnd, nullptr, TRUE);
}

HBRUSH View::Impl::controlColors(ControlView& c, HDC dc) {
    if (c.control->effectivelyEnabled()) SetTextColor(dc, colorref(c.control->foreColor()));
    if (!c.brush) return nullptr;
    SetBkColor(dc, c.back);
    return c.brush;
}

void View::Impl::applyValue(ControlView& c) {
    const forms::Control& control = *c.control;
    switch (control.kind()) {
        case ControlKind::OptionButton:
            SendMessageW(c.hwnd, BM_SETCHECK,
                         static_cast<const forms::OptionButton&>(control).value() ? BST_CHECKED
                                                                                  : BST_UNCHECKED,
                         0);
            break;
        case ControlKind::CheckBox: {
            const int value = static_cast<const forms::CheckBox&>(control).value();
            SendMessageW(c.hwnd, BM_SETCHECK,
                         value == forms::CheckBox::Checked  ? BST_CHECKED
                         : value == forms::CheckBox::Grayed ? BST_INDETERMINATE
                                                            : BST_UNCHECKED,
                         0);
            break;
        }
        case ControlKind::Slider:
            SendMessageW(c.hwnd, TBM_SETPOS, TRUE,
                         static_cast<const forms::Slider&>(control).value());
            break;
        default:
            break;
    }
}

void View::Impl::applyList(ControlView& c) {
    const forms::Control& control = *c.control;
    const bool combo =
        control.kind() == ControlKind::ComboBox || control.kind() == ControlKind::DriveList;
    const bool list =
        control.kind() == ControlKind::FolderList || control.kind() == ControlKind::FileList;
    if (!combo && !list) return;
    const auto& model = static_cast<const forms::ListControl&>(control);
    // A folder list shows its rows: the way up first, then the sub-folders.
    const std::vector<std::string> rows =
        control.kind() == ControlKind::FolderList
            ? static_cast<const forms::FolderListBox&>(control).rows()
            : model.items();
    // A large folder fills in one repaint.
    SendMessageW(c.hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(c.hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : rows) {
        const std::wstring text = wide(item);
        SendMessageW(c.hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(c.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(c.hwnd, nullptr, TRUE);
    if (list) applyListIndex(c);
    if (combo) applyCaption(c);
}

void View::Impl::applyListIndex(ControlView& c) {
    const forms::Control& control = *c.control;
    const int index = static_cast<const forms::ListControl&>(control).listIndex();
    switch (control.kind()) {
        case ControlKind::ComboBox:
            SendMessageW(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            applyCaption(c);
            break;
        case ControlKind::FolderList:
            SendMessageW(
                c.hwnd, LB_SETCURSEL,
                static_cast<WPARAM>(static_cast<const forms::FolderListBox&>(control).currentRow()),
                0);
            break;
        case ControlKind::FileList:
            SendMessageW(c.hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            break;
        default:
            break;
    }
}

void View::Impl::applyPlace(ControlView& c) {
    const RECT r = pixelRect(formRect(*c.control), twips());
    int height = r.bottom - r.top;
    const ControlKind kind = c.control->kind();
    // A combo box is as high as its edit line; the height it is given is the open list's.
    if (kind == ControlKind::ComboBox || kind == ControlKind::DriveList) height += ComboDropHeight;
    SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(c.hwnd, nullptr, TRUE);
    if (isContainer(kind)) applyInside(c, Property::Geometry);
}

void View::Impl::applyShown(ControlView& c) {
    ShowWindow(c.hwnd, shown(*c.control) ? SW_SHOWNA : SW_HIDE);
    if (isContainer(c.control->kind())) applyInside(c, Property::Visible);
}

void View::Impl::applyInside(ControlView& c, Property property) {
    // What a frame or picture box holds moves and hides with it.
    const auto* holderOf = dynamic_cast<const forms::Container*>(c.control);
    for (forms::Control* inner : holderOf->children())
        if (ControlView* view = find(*inner)) applyControl(*view, property);
}

void View::Impl::applyForm(FormView& view, FormProperty property) {
    const forms::Form& form = *view.form;
    ++applying_;
    switch (property) {
        case FormProperty::Caption:
            SetWindowTextW(view.hwnd, wide(form.caption()).c_str());
            break;
        case FormProperty::Colors:
            if (view.brush) DeleteObject(view.brush);
            view.brush = CreateSolidBrush(form.backColor() ? colorref(*form.backColor())
                                                           : GetSysColor(COLOR_BTNFACE));
            for (auto& [model, c] : view.controls) applyColors(*c);
            InvalidateRect(view.hwnd, nullptr, TRUE);
            break;
        case FormProperty::Icon:
            applyIcon(view);
            break;
        case FormProperty::Border:
        case FormProperty::Taskbar:
            applyFlags(view);
            break;
        case FormProperty::Geometry:
            applyGeometry(view);
            break;
        case FormProperty::Visible:
            ShowWindow(view.hwnd, form.visible() ? SW_SHOWNORMAL : SW_HIDE);
            break;
    }
    --applying_;
}

void View::Impl::applyIcon(FormView& view) {
    if (view.bigIcon) DestroyIcon(view.bigIcon);
    if (view.smallIcon) DestroyIcon(view.smallIcon);
    view.bigIcon = view.smallIcon = nullptr;
    if (const forms::Picture& icon = view.form->icon()) {
        view.bigIcon = services_.pictures().icon(icon->source, GetSystemMetrics(SM_CXICON));
        view.smallIcon = services_.pictures().icon(icon->source, GetSystemMetrics(SM_CXSMICON));
    }
    SendMessageW(view.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(view.bigIcon));
    SendMessageW(view.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(view.smallIcon));
}

void View::Impl::applyFlags(FormView& view) {
    const forms::Form& form = *view.form;
    const bool visible = IsWindowVisible(view.hwnd);
    // A window leaves or joins the task bar only while it is hidden.
    if (visible) ShowWindow(view.hwnd, SW_HIDE);
    SetWindowLongPtrW(view.hwnd, GWL_STYLE,
                      static_cast<LONG_PTR>(formStyle(form.borderStyle()) | WS_CLIPCHILDREN));
    SetWindowLongPtrW(view.hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(formExStyle(form)));
    SetWindowLongPtrW(view.hwnd, GWLP_HWNDPARENT,
                      reinterpret_cast<LONG_PTR>(form.showInTaskbar() ? nullptr : owner_));
    SetWindowPos(view.hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    applyGeometry(view);
    if (visible) ShowWindow(view.hwnd, SW_SHOWNA);
}

void View::Impl::applyGeometry(FormView& view) {
    const forms::Rect& rect = view.form->rect();
    const int tpp = twips();
    const RECT client = pixelRect({0, 0, rect.width, rect.height}, tpp);
    RECT outer{0, 0, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(view.hwnd, GWL_STYLE)),
                       view.menuBar != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(view.hwnd, GWL_EXSTYLE)));
    ++applying_;
    SetWindowPos(view.hwnd, nullptr, toPixels(rect.left, tpp), toPixels(rect.top, tpp),
                 outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
}

void View::Impl::rebuildMenuBar(FormView& view) {
    view.menuBarPending = false;
    // Only visible top-level menus make a menu bar; a form whose menus are all hidden keeps
    // them for popping up.
    std::vector<forms::Menu*> menus;
    for (forms::Control* control : view.form->controls()) {
        auto* menu =
            control->kind() == ControlKind::Menu ? static_cast<forms::Menu*>(control) : nullptr;
        if (menu && !menu->parentMenu() && menu->visible()) menus.push_back(menu);
    }
    HMENU former = view.menuBar;
    view.menuIds.clear();
    view.menuBar = nullptr;
    if (!menus.empty()) {
        view.menuBar = CreateMenu();
        appendMenuItems(view.menuBar, menus, nullptr, view.menuIds);
    }
    if (!former && !view.menuBar) return;
    SetMenu(view.hwnd, view.menuBar);
    if (former) DestroyMenu(former);
    applyGeometry(view);
}

void View::Impl::modelFollowsWindow(FormView& view) {
    // The user moved or sized the window: the model keeps the window's place, in twips. Only
    // what changed in pixels is written back, so rounding never creeps into the model.
    const int tpp = twips();
    const forms::Rect& rect = view.form->rect();
    RECT outer{}, inner{};
    GetWindowRect(view.hwnd, &outer);
    GetClientRect(view.hwnd, &inner);
    forms::Rect next = rect;
    if (outer.left != toPixels(rect.left, tpp)) next.left = outer.left * tpp;
    if (outer.top != toPixels(rect.top, tpp)) next.top = outer.top * tpp;
    const RECT client = pixelRect({0, 0, rect.width, rect.height}, tpp);
    if (!IsIconic(view.hwnd)) {
        if (inner.right != client.right) next.width = inner.right * tpp;
        if (inner.bottom != client.bottom) next.height = inner.bottom * tpp;
    }
    if (next == rect) return;
    forms::Form* form = view.form;
    ++applying_;
    runtime_.dispatch([form, next] { form->setRect(next); });
    --applying_;
}

void View::Impl::paintFrame(ControlView& c, HDC dc) {
    // Drawn here rather than by the group box itself, which under a visual theme takes the
    // theme's text colour and leaves the frame's back colour to the parent.
    RECT area{};
    GetClientRect(c.hwnd, &area);
    if (c.brush) FillRect(dc, &area, c.brush);
    HGDIOBJ former = c.font ? SelectObject(dc, c.font) : nullptr;
    const std::wstring caption = c.owner->form ? wide(c.control->caption()) : std::wstring{};
    RECT label{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_CALCRECT);
    RECT edge = area;
    edge.top += (label.bottom - label.top) / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        OffsetRect(&label, 8, 0);
        label.right += 4;
        if (c.brush) FillRect(dc, &label, c.brush);
        OffsetRect(&label, 2, 0);
        const bool enabled = c.owner->form && c.control->effectivelyEnabled();
        SetTextColor(dc, enabled ? colorref(c.control->foreColor()) : GetSysColor(COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE);
    }
    if (former) SelectObject(dc, former);
}

void View::Impl::paintPicture(ControlView& c, HDC dc) {
    RECT area{};
    GetClientRect(c.hwnd, &area);
    if (c.brush) FillRect(dc, &area, c.brush);
    if (!c.owner->form) return;
    const forms::Control& control = *c.control;
    const bool isImage = control.kind() == ControlKind::Image;
    const bool bordered = isImage && static_cast<const forms::Image&>(control).bordered();
    const bool stretch = isImage && static_cast<const forms::Image&>(control).stretch();
    if (bordered) InflateRect(&area, -1, -1);
    const forms::Picture& picture = control.picture();
    const SIZE size{area.right - area.left, area.bottom - area.top};
    if (picture && size.cx > 0 && size.cy > 0) {
        // Decoded once for the size shown, again only when the picture or that size changes.
        if (picture->source != c.bitmapSource || size.cx != c.bitmapArea.cx ||
            size.cy != c.bitmapArea.cy || stretch != c.bitmapStretched) {
            if (c.bitmap) DeleteObject(c.bitmap);
            c.bitmap = c.owner->impl->services_.pictures().decode(picture->source, size.cx, size.cy,
                                                                  stretch);
            c.bitmapSource = picture->source;
            c.bitmapArea = size;
            c.bitmapStretched = stretch;
        }
        BITMAP info{};
        if (c.bitmap && GetObjectW(c.bitmap, sizeof info, &info)) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ former = SelectObject(memory, c.bitmap);
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, area.left, area.top, info.bmWidth, info.bmHeight, memory, 0, 0,
                       info.bmWidth, info.bmHeight, blend);
            SelectObject(memory, former);
            DeleteDC(memory);
        }
    }
    if (bordered) {
        RECT frame{};
        GetClientRect(c.hwnd, &frame);
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

LRESULT CALLBACK View::Impl::pictureProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_ERASEBKGND) {
        return 1;  // painted whole in WM_PAINT
    } else if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (auto* c = reinterpret_cast<ControlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            c->owner->impl->paintPicture(*c, dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK View::Impl::controlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR, DWORD_PTR data) {
    auto& c = *reinterpret_cast<ControlView*>(data);
    const ControlKind kind = c.owner->form ? c.control->kind() : ControlKind::Timer;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
            // Held until the release, which is a click if it comes over the control. A press
            // that starts a window drag takes the capture away, and with it the click.
            if (message == WM_LBUTTONDOWN && isPassive(kind)) SetCapture(hwnd);
            if (c.owner->form) c.owner->impl->mouse(*c.owner, c.control, message, wparam, lparam);
            if (message != WM_MOUSEMOVE && isPassive(kind)) return 0;
            break;
        case WM_LBUTTONUP:
            if (isPassive(kind) && GetCapture() == hwnd) {
                ReleaseCapture();
                const POINT at{static_cast<short>(LOWORD(lparam)),
                               static_cast<short>(HIWORD(lparam))};
                RECT area{};
                GetClientRect(hwnd, &area);
                if (c.owner->form && PtInRect(&area, at)) {
                    forms::Control* control = c.control;
                    c.owner->impl->runtime_.dispatch([control] { control->pointerClick(); });
                }
                return 0;
            }
            break;
        case WM_NCHITTEST:
            // A group box lets the mouse through to what lies beneath; a frame takes it.
            if (kind == ControlKind::Frame) return HTCLIENT;
            break;
        case WM_ERASEBKGND:
            if (kind == ControlKind::Frame) return 1;  // painted whole in WM_PAINT
            break;
        case WM_PAINT:
            if (kind == ControlKind::Frame) {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(hwnd, &paint);
                paintFrame(c, dc);
                EndPaint(hwnd, &paint);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, controlProc, 1);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

void View::Impl::mouse(FormView& view, forms::Control* control, UINT message, WPARAM wparam,
                       LPARAM lparam) {
    const forms::MouseEvent event = modelEvent(message, wparam, lparam, twips());
    const bool press = message != WM_MOUSEMOVE;
    forms::Form* form = view.form;
    runtime_.dispatch([form, control, event, press] {
        if (control && press) control->mouseDown(event);
        if (control && !press) control->mouseMove(event);
        if (!control && press) form->mouseDown(event);
        if (!control && !press) form->mouseMove(event);
    });
}

void View::Impl::command(ControlView& c, WORD code) {
    HWND hwnd = c.hwnd;
    switch (c.control->kind()) {
        case ControlKind::CommandButton:
            if (code == BN_CLICKED) forward<forms::CommandButton>(c, [](auto& b) { b.click(); });
            break;
        case ControlKind::OptionButton:
            if (code == BN_CLICKED)
                forward<forms::OptionButton>(
                    c, [](auto& o) { o.select(); }, Property::Value);
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED)
                forward<forms::CheckBox>(
                    c, [](auto& b) { b.click(); }, Property::Value);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) {
                const std::string typed = windowText(hwnd);
                forward<forms::TextBox>(c, [&typed](auto& t) { t.setText(typed); });
            }
            break;
        case ControlKind::ComboBox:
            if (code == CBN_EDITCHANGE) {
                const std::string typed = windowText(hwnd);
                forward<forms::ComboBox>(c, [&typed](auto& b) { b.setText(typed); });
            } else if (code == CBN_SELCHANGE) {
                const auto index = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
                if (index >= 0)
                    forward<forms::ComboBox>(
                        c, [index](auto& b) { b.setListIndex(index); }, Property::Caption);
            }
            break;
        case ControlKind::DriveList:
            if (code == CBN_SELCHANGE) {
                const auto index = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
                if (index >= 0)
                    forward<forms::DriveListBox>(
                        c, [index](auto& d) { d.setListIndex(index); }, Property::Caption);
            }
            break;
        case ControlKind::FolderList:
        case ControlKind::FileList: {
            const auto index = static_cast<int>(SendMessageW(hwnd, LB_GETCURSEL, 0, 0));
            if (index < 0) break;
            if (code == LBN_SELCHANGE && c.control->kind() == ControlKind::FileList) {
                forward<forms::FileListBox>(
                    c, [index](auto& f) { f.setListIndex(index); }, Property::ListIndex);
            } else if (code == LBN_SELCHANGE) {
                forward<forms::FolderListBox>(
                    c, [index](auto& f) { f.clickRow(index); }, Property::ListIndex);
            } else if (code == LBN_DBLCLK && c.control->kind() == ControlKind::FolderList) {
                forward<forms::FolderListBox>(c, [index](auto& f) { f.openRow(index); });
            }
            break;
        }
        default:
            break;
    }
}

void View::Impl::scrolled(ControlView& c) {
    if (c.control->kind() != ControlKind::Slider) return;
    const auto position = static_cast<int>(SendMessageW(c.hwnd, TBM_GETPOS, 0, 0));
    if (position == static_cast<const forms::Slider&>(*c.control).value()) return;
    forward<forms::Slider>(
        c, [position](auto& s) { s.setValue(position); }, Property::Value);
}

LRESULT CALLBACK View::Impl::formProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!view || !view->form || view->hwnd != hwnd)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return view->impl->formMessage(*view, message, wparam, lparam);
}

LRESULT View::Impl::formMessage(FormView& view, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND hwnd = view.hwnd;
    const auto controlAt = [&view](LPARAM handle) -> ControlView* {
        const auto it = view.byHandle.find(reinterpret_cast<HWND>(handle));
        return it == view.byHandle.end() ? nullptr : it->second;
    };
    switch (message) {
        case WM_COMMAND:
            if (lparam == 0 && HIWORD(wparam) == 0) {  // a menu bar command
                const auto it = view.menuIds.find(LOWORD(wparam));
                if (it != view.menuIds.end()) {
                    forms::Menu* item = it->second;
                    runtime_.dispatch([item] { item->click(); });
                }
            } else if (ControlView* c = controlAt(lparam); c && applying_ == 0) {
                command(*c, HIWORD(wparam));
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (ControlView* c = controlAt(lparam);
                c && applying_ == 0 && LOWORD(wparam) != TB_THUMBTRACK)
                scrolled(*c);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (ControlView* c = controlAt(lparam))
                if (HBRUSH brush = controlColors(*c, reinterpret_cast<HDC>(wparam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND: {
            RECT area{};
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wparam), &area, view.brush);
            return 1;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
            mouse(view, nullptr, message, wparam, lparam);
            return 0;
        case WM_SETCURSOR:
            if (ControlView* c = controlAt(static_cast<LPARAM>(wparam));
                c && c->control->mousePointer() != 0 && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, cursorOf(c->control->mousePointer())));
                return TRUE;
            }
            break;
        case WM_CLOSE: {
            // The close box asks the form; its Form_QueryUnload may keep it.
            forms::Form* form = view.form;
            runtime_.dispatch([form] { form->requestClose(); });
            return 0;
        }
        case WM_WINDOWPOSCHANGED:
            if (applying_ == 0 && IsWindowVisible(hwnd)) modelFollowsWindow(view);
            break;
        case RebuildMenuBar:
            rebuildMenuBar(view);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

View::View(forms::Runtime& runtime, WindowServices& services)
    : impl_(std::make_unique<Impl>(runtime, services)), runtime_(&runtime), services_(&services) {
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
            if (FormView* view = impl_->find(form)) {
                ShowWindow(view->hwnd, SW_SHOWNORMAL);
                SetForegroundWindow(view->hwnd);
            }
            break;
        case forms::FormEvent::Hidden:
            if (FormView* view = impl_->find(form)) ShowWindow(view->hwnd, SW_HIDE);
            break;
        case forms::FormEvent::Changed:
            if (FormView* view = impl_->find(form)) impl_->applyForm(*view, property);
            break;
    }
}

void View::controlChanged(forms::Control& control, forms::Property property) {
    impl_->controlChanged(control, property);
}

HWND View::window(const forms::Form& form) const {
    const FormView* view = impl_->find(form);
    return view ? view->hwnd : nullptr;
}

HWND View::handle(const forms::Control& control) const {
    const ControlView* view = impl_->find(control);
    return view ? view->hwnd : nullptr;
}

HICON View::smallIcon(const forms::Form& form) const {
    const FormView* view = impl_->find(form);
    if (view && view->smallIcon) return view->smallIcon;
    const int size = GetSystemMetrics(SM_CXSMICON);
    if (auto* program =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIcon),
                                          IMAGE_ICON, size, size, LR_SHARED)))
        return program;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace korvo::win32
