// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/instance_window.h"

#include <sddl.h>

#include <chrono>
#include <vector>

namespace korvo::platform {

namespace {

constexpr wchar_t ClassName[] = L"KorvoInstance";
// Marks Korvo's requests among whatever else reaches the window as WM_COPYDATA, and its answer
// among the replies a window that merely handled the message could give.
constexpr ULONG_PTR RequestKind = 0x4B6F7276;  // "Korv"
constexpr LRESULT Acknowledged = 0x6F6B;       // "ok"
constexpr UINT CarryOut = WM_APP + 1;
// A running instance answers at once; the wait only covers one busy with a large folder.
constexpr UINT AnswerMs = 5000;
constexpr DWORD LongestMessage = 64;
// How long a start waits for the window of an instance that holds the mutex but is still
// making its window.
constexpr auto StartingWait = std::chrono::seconds(2);

// The TOKEN_USER of a process's token, as bytes; empty when it cannot be read.
std::vector<BYTE> tokenUser(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) user.clear();
    CloseHandle(token);
    return user;
}

PSID sidOf(std::vector<BYTE>& user) {
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

}  // namespace

std::wstring instanceChannelName() {
    std::vector<BYTE> user = tokenUser(GetCurrentProcess());
    LPWSTR text = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(sidOf(user), &text)) return L"Korvo";
    std::wstring name = L"Korvo." + std::wstring(text);
    LocalFree(text);
    return name;
}

bool runsAsThisUser(unsigned long processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    std::vector<BYTE> theirs = tokenUser(process);
    CloseHandle(process);
    std::vector<BYTE> ours = tokenUser(GetCurrentProcess());
    return !theirs.empty() && !ours.empty() && EqualSid(sidOf(theirs), sidOf(ours));
}

MessageWindowChannel::MessageWindowChannel(std::wstring name, UserCheck sameUser)
    : name_(std::move(name)), sameUser_(std::move(sameUser)) {}

MessageWindowChannel::~MessageWindowChannel() {
    if (window_) DestroyWindow(window_);  // requests still queued for it go with it
    if (mutex_) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

HWND MessageWindowChannel::runningWindow() const {
    HWND window = nullptr;
    while ((window = FindWindowExW(HWND_MESSAGE, window, ClassName, name_.c_str()))) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (sameUser_(process)) return window;
    }
    return nullptr;
}

InstanceChannel::Delivery MessageWindowChannel::send(const std::string& message) {
    if (message.size() > LongestMessage) return Delivery::NoAnswer;
    const HWND running = runningWindow();
    if (!running) return Delivery::NoneRunning;
    // Windows lets the running instance bring its window forward only when the start the user
    // just made hands that right on.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{RequestKind, static_cast<DWORD>(message.size()),
                        const_cast<char*>(message.data())};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, AnswerMs, &answer))
        return Delivery::NoAnswer;
    return answer == static_cast<DWORD_PTR>(Acknowledged) ? Delivery::Delivered
                                                          : Delivery::NoAnswer;
}

InstanceChannel::Claim MessageWindowChannel::listen(forms::Scheduler&, Receiver& receiver) {
    if (mutex_) return Claim::Failed;
    // Null when the name is held by another user who keeps this one out: Korvo runs unguarded.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str());
    if (!mutex) return Claim::Failed;
    const DWORD waited = WaitForSingleObject(mutex, 0);
    if (waited == WAIT_TIMEOUT) {
        CloseHandle(mutex);
        // Held by the running instance, or by one still making its window; a holder that never
        // shows a window of this user's is no Korvo to hand over to.
        const auto deadline = std::chrono::steady_clock::now() + StartingWait;
        while (!runningWindow()) {
            if (std::chrono::steady_clock::now() >= deadline) return Claim::Failed;
            Sleep(20);
        }
        return Claim::TakenByAnother;
    }
    // WAIT_ABANDONED: the former holder ended without letting go (it crashed); the name is free.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return Claim::Failed;
    }
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = ClassName;
    RegisterClassExW(&type);  // a second channel finds the class already there
    window_ = CreateWindowExW(0, ClassName, name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              type.hInstance, this);
    if (!window_) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        return Claim::Failed;
    }
    mutex_ = mutex;
    receiver_ = &receiver;
    return Claim::Claimed;
}

LRESULT CALLBACK MessageWindowChannel::windowProc(HWND window, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageWindowChannel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_COPYDATA)
        return self->received(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    if (self && message == CarryOut) {
        self->carryOutNext();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT MessageWindowChannel::received(const COPYDATASTRUCT& data) {
    if (!receiver_ || data.dwData != RequestKind || data.cbData > LongestMessage ||
        (data.cbData > 0 && !data.lpData))
        return 0;
    std::string message(static_cast<const char*>(data.lpData), data.cbData);
    if (!receiver_->understands(message)) return 0;
    // The reply goes out when this returns; the request is carried out after it, from the loop.
    pending_.push_back(std::move(message));
    if (!PostMessageW(window_, CarryOut, 0, 0)) {
        pending_.pop_back();
        return 0;
    }
    return Acknowledged;
}

void MessageWindowChannel::carryOutNext() {
    if (pending_.empty()) return;
    const std::string message = std::move(pending_.front());
    pending_.pop_front();
    receiver_->carryOut(message);
}

}  // namespace korvo::platform
