// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line, the answers a start gives before any window exists, and what the running
// instance does for each request.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "cli/instance_actions.h"
#include "support/fixture.h"
#include "ui/main/form1.h"

namespace korvo::cli {
namespace {

TEST(CommandLine, TakesOneKnownRequest) {
    using Arguments = std::vector<std::string>;
    const std::vector<std::pair<Arguments, Request>> known = {
        {{}, Request::Start},        {{"--help"}, Request::Help},
        {{"-h"}, Request::Help},     {{"--version"}, Request::Version},
        {{"--quit"}, Request::Quit}, {{"--next", "--next"}, Request::Next}};
    for (const auto& [arguments, request] : known) {
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_TRUE(line.request == request && line.error.empty())
            << ::testing::PrintToString(arguments);
    }
    // Two different requests, unknown options and stray words are refused, never guessed.
    for (const Arguments& wrong :
         std::vector<Arguments>{{"--next", "--quit"}, {"--nex"}, {"next"}, {"--quit", ""}}) {
        const CommandLine line = parseCommandLine(wrong);
        EXPECT_TRUE(line.request == Request::Start && !line.error.empty())
            << ::testing::PrintToString(wrong);
    }
}

// A channel that records what a start sends and answers as told.
struct ScriptedChannel : InstanceChannel {
    Delivery answer = Delivery::NoneRunning;
    std::vector<std::string> sent;
    Delivery send(const std::string& message) override {
        sent.push_back(message);
        return answer;
    }
    Claim listen(forms::Scheduler&, Receiver&) override { return Claim::Failed; }
};

TEST(CommandLine, AStartAnswersHandsOverOrBecomesTheRunningOne) {
    struct Case {
        std::vector<std::string> arguments;
        InstanceChannel::Delivery answer;
        int status;
        std::vector<std::string> sent;
        const char* out;
        const char* err;
    };
    using D = InstanceChannel::Delivery;
    const std::vector<Case> cases = {
        {{}, D::NoneRunning, -1, {"show"}, "", ""},
        {{}, D::Delivered, 0, {"show"}, "", ""},
        {{"--next"}, D::Delivered, 0, {"next"}, "", ""},
        {{"--quit"}, D::NoneRunning, 1, {"quit"}, "", "korvo: Korvo is not running\n"},
        {{"--show"}, D::NoAnswer, 1, {"show"}, "", "korvo: the running Korvo does not answer\n"},
        {{"--version"}, D::Delivered, 0, {}, "korvo 1.2.3\n", ""},
        {{"--bogus"},
         D::Delivered,
         2,
         {},
         "",
         "korvo: unknown option '--bogus'\nTry 'korvo --help'.\n"},
    };
    for (const Case& c : cases) {
        ScriptedChannel channel;
        channel.answer = c.answer;
        std::ostringstream out, err;
        EXPECT_EQ(answerWithoutWindow(parseCommandLine(c.arguments), channel, "1.2.3", out, err),
                  c.status)
            << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(channel.sent, c.sent);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

TEST(CommandLine, OnlyTheThreeRequestsTravelAndStrangeMessagesAreRefused) {
    EXPECT_EQ(messageFor(Request::Help), std::nullopt);
    testing::TestProgram t;
    RunningInstance running(t.app());
    for (const char* message : {"show", "next", "quit"}) EXPECT_TRUE(running.understands(message));
    for (const char* message : {"", "Show", "quit ", "help", "version"})
        EXPECT_FALSE(running.understands(message)) << message;
}

// The main window shown again is met on Xvfb; an assistant page in use only here.
TEST(RunningInstance, ShowBringsTheAssistantPageInUseForwardNotTheMainWindow) {
    testing::TestProgram t;
    t.writeIni("[OPTION]\nFolder=" + t.pictureFolder({"a"}) + "\n[Start]\nFirst=1\n");
    t.start();
    RunningInstance(t.app()).carryOut("show");
    EXPECT_TRUE(t.window.called("activate Fassist1"));
    EXPECT_FALSE(t.app().form<Form1>().visible());
}

}  // namespace
}  // namespace korvo::cli
