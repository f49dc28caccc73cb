// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Win32 binding under Wine: forms of the tests' own making on the real Win32 services, wired
// as Korvo.exe wires them, read back through their handles and driven by window messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/folder_listing.h"
#include "support/sampler.h"
#include "ui/forms/runtime.h"
#include "ui/forms/win32/scheduler.h"
#include "ui/forms/win32/text.h"
#include "ui/forms/win32/view.h"
#include "ui/forms/win32/window_services.h"

namespace korvo::win32 {
namespace {

using Log = std::vector<std::string>;

// Runs the message loop until `done` holds or `ms` milliseconds have passed.
bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

using korvo::testing::Sampler;

// The sampler on a runtime wired as Korvo.exe wires it, over a folder of three pictures and two
// folders.
struct Win32View : ::testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvo-win32-view";
    Scheduler scheduler;
    WindowServices services;
    platform::StdFileSystem files;
    forms::Runtime runtime{scheduler, services, files};
    View view{runtime, services};
    Sampler& f = runtime.form<Sampler>([this] { return std::make_unique<Sampler>(runtime); });
    Win32View() {
        // Colours and a Japanese face for the painting case to read back.
        f.Strip.setBackColor(forms::rgb(0, 0, 192));
        f.Title.setForeColor(forms::rgb(255, 255, 255));
        f.Box.setBackColor(forms::rgb(0, 0, 0));
        f.Name.setBackColor(forms::rgb(64, 64, 64));
        f.Title.setFont({"MS UI Gothic", 9, 128});
        std::filesystem::remove_all(dir);
        for (const char* sub : {"alpha", "beta"}) std::filesystem::create_directories(dir / sub);
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) std::ofstream(dir / name) << "x";
    }
    ~Win32View() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string path(const char* sub = "") const { return utf8((dir / sub).wstring()); }
    HWND h(const forms::Control& c) const { return view.handle(c); }
    // A notification of the control to the form, as the control itself sends it.
    void notify(const forms::Control& c, WORD code) const {
        SendMessageW(view.window(f), WM_COMMAND, MAKEWPARAM(0, code),
                     reinterpret_cast<LPARAM>(h(c)));
    }
};

std::wstring text(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

// Where a control lies in its form's client area, in pixels: left, top, right, bottom.
std::array<LONG, 4> placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

// The text and back colours a control is drawn with, asked of its form the way the control asks;
// without a brush the back is CLR_INVALID.
std::pair<COLORREF, COLORREF> coloursOf(HWND form, HWND control, UINT message) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH logical{0, CLR_INVALID, 0};
    if (brush) GetObjectW(brush, sizeof logical, &logical);
    const std::pair colours{GetTextColor(dc), logical.lbColor};
    DeleteDC(dc);
    return colours;
}

TEST_F(Win32View, EachControlIsASystemControlPlacedFromTwipsAndPaintedInItsColours) {
    HWND form = view.window(f);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(IsWindowVisible(form)) << "forms load hidden";
    ASSERT_EQ(services.twipsPerPixelX(), 15) << "the display runs at 96 dpi";
    EXPECT_EQ(GetParent(h(f.Choice[1])), form) << "inside the frame, yet the form's child";
    EXPECT_EQ(placeOf(h(f.Choice[1])), (std::array<LONG, 4>{152, 120, 212, 137}));
    EXPECT_NE(GetWindow(form, GW_OWNER), nullptr) << "kept off the task bar";
    f.setBorderStyle(forms::BorderStyle::FixedDialog);
    f.setShowInTaskbar(true);
    EXPECT_EQ(GetWindowLongW(form, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(400L, 300L))
        << "the client area keeps its size";

    // "MS UI Gothic" with the Japanese character set, which Wine has not: the face stands in for
    // it by the script of the caption, and changes with it.
    const auto charset = [&] {
        HDC dc = GetDC(h(f.Title));
        HGDIOBJ former =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h(f.Title), WM_GETFONT, 0, 0)));
        const int found = GetTextCharset(dc);
        SelectObject(dc, former);
        ReleaseDC(h(f.Title), dc);
        return found;
    };
    EXPECT_EQ(charset(), ANSI_CHARSET) << "a Latin caption";
    f.Title.setCaption("\u5909\u66f4");  // Japanese
    EXPECT_EQ(charset(), SHIFTJIS_CHARSET);
    f.Title.setCaption("\u58c1\u7eb8");  // Chinese: code page 932 has no U+7EB8
    EXPECT_EQ(charset(), GB2312_CHARSET);
    f.Title.setCaption("&Korvo");

    const struct {
        const forms::Control& control;
        UINT message;
        std::pair<COLORREF, COLORREF> colours;
    } painted[] = {
        {f.Title, WM_CTLCOLORSTATIC, {RGB(255, 255, 255), RGB(0, 0, 192)}},  // on the strip
        // Option buttons and check boxes are a dialog's surface, whatever they lie on: the
        // design's button face, the grey of its explicit greys, not the system's own.
        {f.Tick, WM_CTLCOLORSTATIC, {RGB(0, 0, 0), RGB(192, 192, 192)}},
        {f.Name, WM_CTLCOLOREDIT, {RGB(0, 0, 0), RGB(64, 64, 64)}},
        {f.Files, WM_CTLCOLORLISTBOX, {RGB(0, 0, 0), GetSysColor(COLOR_WINDOW)}},
    };
    for (const auto& p : painted) {
        SCOPED_TRACE(p.control.name());
        EXPECT_EQ(coloursOf(form, h(p.control), p.message), p.colours);
    }
}

TEST_F(Win32View, ModelChangesReachTheWindowsWithoutComingBackAsUserActions) {
    const int polls = f.polls;
    f.Title.setCaption("A && B");
    EXPECT_EQ(text(h(f.Title)), L"A && B");
    f.Name.setText("typed");
    f.Pick.addItem("one");
    f.Pick.addItem("two");
    f.Pick.setListIndex(1);
    EXPECT_EQ(text(h(f.Pick)), L"two");
    f.Delay.setValue(-3);
    EXPECT_EQ(SendMessageW(h(f.Delay), TBM_GETPOS, 0, 0), -3);
    f.Files.setPath(path());
    f.Files.setListIndex(2);
    EXPECT_EQ(SendMessageW(h(f.Files), LB_GETCURSEL, 0, 0), 2);
    f.Dir.setPath(path());
    EXPECT_EQ(SendMessageW(h(f.Dir), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(f.Dir.rows().size()))
        << "the list shows the runtime's rows, no more";
    f.Choice[1].select();
    f.Tick.setValue(forms::CheckBox::Grayed);
    EXPECT_EQ(SendMessageW(h(f.Tick), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    f.Name.setLocked(true);
    EXPECT_TRUE(GetWindowLongW(h(f.Name), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(f.polls, polls) << "no model change came back as a user action";
    EXPECT_EQ(f.log, (Log{"Name typed", "Pick click two", "Delay -3", "File c.jpg", "Dir " + path(),
                          "Choice 1", "Tick 2"}))
        << "each handler ran once, from the model";

    f.Box.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(h(f.Choice[0])) || IsWindowEnabled(h(f.Tick)));
    EXPECT_TRUE(IsWindowEnabled(h(f.Name))) << "outside the frame";
    f.show();
    f.Box.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(h(f.Tick))) << "hidden with its frame";
    f.Box.setVisible(true);
    f.Box.setRect({2160 + 150, 1200, 2400, 2400});
    EXPECT_EQ(placeOf(h(f.Tick))[0], 162) << "moved with its frame";
}

TEST_F(Win32View, EachUserActionRunsItsHandlerOnceAsOneDispatchedEvent) {
    f.show();
    f.Tick.setValue(forms::CheckBox::Grayed);
    f.Pick.addItem("alpha");
    f.Pick.addItem("beta");
    f.Files.setPath(path());
    f.Dir.setPath(path());
    HWND form = view.window(f);
    const auto checked = [&](int i) {
        return SendMessageW(h(f.Choice[i]), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    const auto select = [&](const forms::Control& c, UINT message, WORD code, int index) {
        SendMessageW(h(c), message, static_cast<WPARAM>(index), 0);
        notify(c, code);
    };
    const auto rows = f.Dir.rows();  // "alpha" lies below the way up
    const int alpha = static_cast<int>(std::find(rows.begin(), rows.end(), "alpha") - rows.begin());
    const struct {
        std::string logged;
        std::function<void()> act;
        std::function<bool()> shown = [] { return true; };
    } actions[] = {
        {"Go", [&] { notify(f.Go, BN_CLICKED); }},
        {"Choice 1", [&] { notify(f.Choice[1], BN_CLICKED); }, [&] { return checked(1); }},
        {"Choice 1", [&] { notify(f.Choice[1], BN_CLICKED); }, [&] { return checked(1); }},
        {"Choice 0", [&] { notify(f.Choice[0], BN_CLICKED); },
         [&] { return checked(0) && !checked(1); }},
        {"Tick 0", [&] { notify(f.Tick, BN_CLICKED); },  // a greyed box unticks
         [&] { return SendMessageW(h(f.Tick), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }},
        {"Name design!", [&] { SetWindowTextW(h(f.Name), L"design!"); }},
        {"Pick click beta", [&] { select(f.Pick, CB_SETCURSEL, CBN_SELCHANGE, 1); }},
        {"Delay -7",
         [&] {
             SendMessageW(h(f.Delay), TBM_SETPOS, TRUE, -7);
             SendMessageW(form, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(h(f.Delay)));
         }},
        {"File a.jpg", [&] { select(f.Files, LB_SETCURSEL, LBN_SELCHANGE, 0); }},
        {"Dir click" + Sampler::num(alpha - 1),
         [&] { select(f.Dir, LB_SETCURSEL, LBN_SELCHANGE, alpha); }},
        {"Dir " + path("alpha"), [&] { select(f.Dir, LB_SETCURSEL, LBN_DBLCLK, alpha); }},
        {"Title down 2 60",
         [&] { SendMessageW(h(f.Title), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 2)); }},
        {"Title down 1 60",
         [&] { SendMessageW(h(f.Title), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 2)); }},
        {"Title click",  // a label's click: the release over it
         [&] { SendMessageW(h(f.Title), WM_LBUTTONUP, 0, MAKELPARAM(4, 2)); }},
        {"Form down",
         [&] { SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 290)); }},
        // The tray icon's callback: the mouse message where x would be.
        {"Form move 1 7755", [&] { SendMessageW(form, WM_MOUSEMOVE, 1, WM_RBUTTONUP); }},
        {"Query unload 0", [&] { SendMessageW(form, WM_CLOSE, 0, 0); },
         [&] { return runtime.isLoaded<Sampler>() && IsWindowVisible(form); }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.logged);
        f.log.clear();
        const int polls = f.polls;
        action.act();
        EXPECT_EQ(f.log, Log{action.logged});
        EXPECT_EQ(f.polls, polls + 1) << "one dispatched event, then the polls";
        EXPECT_TRUE(action.shown()) << "the control shows the model again";
    }
    f.refuse = 0;
    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_FALSE(runtime.isLoaded<Sampler>()) << "the close box unloads when the form agrees";
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(form); })) << "destroyed from the message loop";
}

// The sampler asking to be first shown by hand or in the middle of the screen.
template <forms::StartUpPosition Position>
struct PlacedSampler : Sampler {
    explicit PlacedSampler(forms::Runtime& runtime) : Sampler(runtime) {
        setStartUpPosition(Position);
        refuse = 0;
    }
};

TEST_F(Win32View, AWindowIsFirstShownWhereItsFormAsksAndStaysWhereTheUserPutsIt) {
    const auto outer = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return std::pair(r.left, r.top);
    };
    // The system's default place, as it gives it to a window of its own.
    HWND probe = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, 10,
                                 10, nullptr, nullptr, nullptr, nullptr);
    const auto systemPlace = outer(probe);
    DestroyWindow(probe);
    f.show();
    EXPECT_EQ(outer(view.window(f)), systemPlace);
    EXPECT_EQ(f.rect().left, 1500) << "the model keeps the design's place";

    using Manual = PlacedSampler<forms::StartUpPosition::Manual>;
    using Centred = PlacedSampler<forms::StartUpPosition::CenterScreen>;
    auto& manual = runtime.form<Manual>([this] { return std::make_unique<Manual>(runtime); });
    auto& centred = runtime.form<Centred>([this] { return std::make_unique<Centred>(runtime); });
    manual.show();
    centred.show();
    EXPECT_EQ(outer(view.window(manual)), std::pair(100L, 80L)) << "1500, 1200 twips";
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO screen{sizeof screen, {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &screen);
    RECT r{};
    GetWindowRect(view.window(centred), &r);
    const RECT& work = screen.rcWork;
    EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1) << "centred";
    EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1) << "centred";

    // Moved by the user: the model follows, and the form's next window comes back there.
    SetWindowPos(view.window(manual), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(std::pair(manual.rect().left, manual.rect().top), std::pair(4500, 3000));
    manual.hide();
    manual.show();
    EXPECT_EQ(outer(view.window(manual)), std::pair(300L, 200L));
    manual.unload();
    auto& again = runtime.form<Manual>([this] { return std::make_unique<Manual>(runtime); });
    again.show();
    EXPECT_EQ(outer(view.window(again)), std::pair(300L, 200L));
    // Moved by its code: the window goes there.
    again.setRect({750, 750, 6000, 4500});
    EXPECT_EQ(outer(view.window(again)), std::pair(50L, 50L));
}

// Posted to the popup menu while it is open: notes its default item and picks the first one.
std::wstring defaultSeen;
void CALLBACK pickFirst(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = FindWindowW(L"#32768", nullptr);
    auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    wchar_t caption[64] = {};
    const UINT item = GetMenuDefaultItem(menu, FALSE, 0);
    if (item != static_cast<UINT>(-1)) GetMenuStringW(menu, item, caption, 64, MF_BYCOMMAND);
    defaultSeen = caption;
    for (WPARAM key : {VK_DOWN, VK_RETURN}) {
        PostMessageW(popup, WM_KEYDOWN, key, 0);
        PostMessageW(popup, WM_KEYUP, key, 0);
    }
}

TEST_F(Win32View, ThePopupMenuShowsItsDefaultItemAndRunsTheChosenOneAfterClosing) {
    f.show();
    SetTimer(nullptr, 0, 200, pickFirst);
    runtime.dispatch([&] { services.popupMenu(f, f.File, &f.Close); });
    EXPECT_EQ(defaultSeen, L"&Close");
    EXPECT_EQ(f.log, Log{"Open"});
}

TEST_F(Win32View, TheTrayIconIsAddedToTheShellAndGoesWithItsForm) {
    ASSERT_TRUE(waitFor([] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }, 10000))
        << "Wine's desktop process keeps a tray";
    services.addTrayIcon(f, "Korvo");
    const auto record = services.trayRecord(f);
    ASSERT_TRUE(record);
    NOTIFYICONDATAW probe = *record;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the shell knows the icon";

    f.refuse = 0;
    EXPECT_TRUE(f.unload());
    EXPECT_FALSE(services.trayRecord(f));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "gone from the shell";
}

TEST_F(Win32View, TimersFireOnTheWindowThreadUntilStopped) {
    f.Beat.setEnabled(true);
    EXPECT_TRUE(waitFor([&] { return f.beats >= 3; }, 2000));
    f.Beat.setEnabled(false);
    const int beats = f.beats;
    waitFor([] { return false; }, 200);
    EXPECT_EQ(f.beats, beats);
    EXPECT_EQ(scheduler.running(), 0);
}

TEST_F(Win32View, PicturesAreProbedFromFilesAndFromTheProgramsOwnResources) {
    const auto flag = services.probePicture(":/flags/3.png");
    ASSERT_TRUE(flag);
    EXPECT_EQ(std::pair(flag->width, flag->height), std::pair(46, 32));
    for (const std::string& none :
         {path("a.jpg"), path("missing.png"), std::string(":missing.png")})
        EXPECT_FALSE(services.probePicture(none)) << none;

    // Decoded at the size shown: scaled when stretched, else the natural size cut to the area.
    const struct {
        int width, height;
        bool stretch;
        LONG shownWidth, shownHeight;
    } sizes[] = {{20, 10, true, 20, 10}, {100, 30, false, 64, 30}, {300, 200, true, 300, 200}};
    for (const auto& s : sizes) {
        HBITMAP bitmap = services.pictures().decode(":korvo.png", s.width, s.height, s.stretch);
        BITMAP info{};
        ASSERT_TRUE(bitmap && GetObjectW(bitmap, sizeof info, &info));
        EXPECT_EQ(std::pair(info.bmWidth, info.bmHeight), std::pair(s.shownWidth, s.shownHeight));
        DeleteObject(bitmap);
    }
    EXPECT_EQ(services.pictures().decode(path("a.jpg"), 20, 20, true), nullptr);
}

TEST(Win32Services, OnlyWebMailAndLocalPageAddressesReachTheShell) {
    EXPECT_EQ(browsableAddress("www.korvo.example"), L"http://www.korvo.example");
    EXPECT_EQ(browsableAddress("MailTo:someone@korvo.example"), L"MailTo:someone@korvo.example");
    EXPECT_EQ(browsableAddress("file:///C:/Korvo/guide.html"), L"file:///C:/Korvo/guide.html");
    for (const char* refused : {"calc.exe", "file:///c:/windows/notepad.exe",
                                "file:///c:/x.html.exe", "javascript:alert(1)", ""})
        EXPECT_FALSE(browsableAddress(refused)) << refused;
}

}  // namespace
}  // namespace korvo::win32
