// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hand-over window under Wine, both starts in this process: the running instance on this
// thread with its message loop turned by hand, a rival start on a thread of its own (a mutex
// belongs to the thread that holds it, as it would to another process). Korvo.exe's own second
// start, --next, --quit and a crash are met end to end (tests/ui/win32/korvo_end_to_end.sh).
#include <gtest/gtest.h>

#include <thread>

#include "platform/select.h"
#include "platform/windows/instance_window.h"
#include "support/manual_scheduler.h"

namespace korvo {
namespace {

using Claim = InstanceChannel::Claim;
using Delivery = InstanceChannel::Delivery;

struct Requests : InstanceChannel::Receiver {
    std::vector<std::string> carried;
    bool understands(const std::string& message) const override {
        return message == "show" || message == "quit";
    }
    void carryOut(const std::string& message) override { carried.push_back(message); }
};

void turnTheLoop() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(HandOverWindow, AnswersFirstCarriesOutFromTheLoopAndTrustsOnlyTheUsersOwnInstance) {
    const std::wstring name = L"Korvo.test." + std::to_wstring(GetCurrentProcessId());
    fake::ManualScheduler loop;
    Requests running;
    {
        platform::MessageWindowChannel first(name);
        EXPECT_EQ(first.send("show"), Delivery::NoneRunning);
        ASSERT_EQ(first.listen(loop, running), Claim::Claimed);

        platform::MessageWindowChannel second(name);
        EXPECT_EQ(second.send("show"), Delivery::Delivered);
        EXPECT_EQ(second.send("help"), Delivery::NoAnswer) << "not a request Korvo answers";
        EXPECT_EQ(running.carried, std::vector<std::string>{}) << "not before the answer";
        turnTheLoop();
        EXPECT_EQ(running.carried, std::vector<std::string>{"show"});

        Claim rival = Claim::Failed;
        std::thread([&] {
            rival = platform::MessageWindowChannel(name).listen(loop, running);
        }).join();
        EXPECT_EQ(rival, Claim::TakenByAnother);

        // Every window taken for another user's: it is told nothing, and a start that finds the
        // channel held without a window of its user's runs on, unguarded.
        const platform::UserCheck nobodyIsThisUser = [](unsigned long) { return false; };
        platform::MessageWindowChannel wary(name, nobodyIsThisUser);
        EXPECT_EQ(wary.send("quit"), Delivery::NoneRunning);
        std::thread([&] { rival = wary.listen(loop, running); }).join();
        EXPECT_EQ(rival, Claim::Failed);
        turnTheLoop();
        EXPECT_EQ(running.carried, std::vector<std::string>{"show"});
    }
    // The running instance gone, its channel is free again.
    platform::MessageWindowChannel next(name);
    EXPECT_EQ(next.send("show"), Delivery::NoneRunning);
    EXPECT_EQ(next.listen(loop, running), Claim::Claimed);
}

}  // namespace
}  // namespace korvo
