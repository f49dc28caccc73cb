// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>
#include <string>

#include "platform/windows/win32.h"
#include "services/instance_channel.h"

namespace korvo::platform {

// "Korvo." and the user's security identifier: one channel per user, whatever the session holds.
std::wstring instanceChannelName();

// Whether the process runs as the same user as this one.
bool runsAsThisUser(unsigned long processId);
using UserCheck = std::function<bool(unsigned long processId)>;

// The hand-over on Windows. The running instance holds the mutex Local\<name> (the session's own
// namespace, so each session of the user has its own Korvo) and a hidden message-only window
// titled <name>. A later start sends the window its request as WM_COPYDATA; the reply to that
// message is the acknowledgement, and the request is carried out afterwards from the message
// loop, so even "quit" is answered. Window messages need nothing of the program's event loop
// but the message loop every Win32 program runs. A start trusts only a window whose process
// runs as this user (`sameUser`); a copy that crashed leaves neither mutex nor window behind.
class MessageWindowChannel final : public InstanceChannel {
  public:
    explicit MessageWindowChannel(std::wstring name, UserCheck sameUser = runsAsThisUser);
    ~MessageWindowChannel() override;
    MessageWindowChannel(const MessageWindowChannel&) = delete;
    MessageWindowChannel& operator=(const MessageWindowChannel&) = delete;

    Delivery send(const std::string& message) override;
    // The window belongs to the calling thread, whose message loop delivers the requests;
    // `loop` watches nothing here.
    Claim listen(forms::Scheduler& loop, Receiver& receiver) override;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    HWND runningWindow() const;
    LRESULT received(const COPYDATASTRUCT& data);
    void carryOutNext();

    std::wstring name_;
    UserCheck sameUser_;
    HANDLE mutex_ = nullptr;
    HWND window_ = nullptr;
    Receiver* receiver_ = nullptr;
    std::deque<std::string> pending_;
};

}  // namespace korvo::platform
