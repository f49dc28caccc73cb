// The command line, the socket's name and what the running instance does for each request.
#include <gtest/gtest.h>

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
        EXPECT_EQ(line.request, request) << ::testing::PrintToString(arguments);
        EXPECT_EQ(line.error, "") << ::testing::PrintToString(arguments);
    }
    // Two different requests, unknown options and stray words are refused, never guessed.
    for (const Arguments& wrong :
         std::vector<Arguments>{{"--next", "--quit"}, {"--nex"}, {"next"}, {"--quit", ""}}) {
        EXPECT_EQ(parseCommandLine(wrong).request, Request::Start);
        EXPECT_NE(parseCommandLine(wrong).error, "") << ::testing::PrintToString(wrong);
    }
}

TEST(CommandLine, APlainStartAsksTheRunningOneToShowItselfAndStrangeMessagesAreRefused) {
    EXPECT_EQ(messageFor(Request::Start), "show");
    EXPECT_EQ(messageFor(Request::Help), std::nullopt);
    for (const Request r : {Request::Show, Request::Next, Request::Quit})
        EXPECT_EQ(requestFor(*messageFor(r)), r);
    for (const char* message : {"", "Show", "quit ", "help", "version"})
        EXPECT_EQ(requestFor(message), std::nullopt) << message;
}

TEST(CommandLine, TheSocketLivesInTheRuntimeFolderWhenThereIsOne) {
    EXPECT_EQ(socketName("/run/user/1000", 1000), "/run/user/1000/korvo.socket");
    EXPECT_EQ(socketName("/run/user/1000/", 1000), "/run/user/1000/korvo.socket");
    // Unset or relative (which the XDG rules say to ignore): a per-user name in the temp folder.
    EXPECT_EQ(socketName("", 1000), "korvo-1000");
    EXPECT_EQ(socketName("run/user", 0), "korvo-0");
}

struct RunningInstance : ::testing::Test {
    testing::TestProgram t;
    std::string pics;

    void startWith(const std::string& first) {
        pics = t.pictureFolder({"a", "b", "c"});
        t.writeIni("[OPTION]\nFolder=" + pics +
                   "\nWallpaper=Null\nAffichage=2\nAspect=1\nTime=Null\nDelay=0\n[Start]\nFirst=" +
                   first + "\n");
        t.start();
    }
};

TEST_F(RunningInstance, ShowBringsBackTheHiddenMainWindow) {
    startWith("0");
    t.app().form<Form1>().Cbas_Click();
    ASSERT_FALSE(t.app().form<Form1>().visible());
    EXPECT_EQ(carryOut(t.app(), Request::Start), &t.app().form<Form1>());
    EXPECT_TRUE(t.app().form<Form1>().visible());
}

TEST_F(RunningInstance, ShowBringsTheAssistantPageInUseNotTheMainWindow) {
    startWith("1");
    forms::Form* shown = carryOut(t.app(), Request::Show);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->name(), "Fassist1");
    EXPECT_FALSE(t.app().form<Form1>().visible());
}

TEST_F(RunningInstance, NextAppliesTheFollowingPicturesOfTheListAndWraps) {
    startWith("0");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(carryOut(t.app(), Request::Next), nullptr);
    EXPECT_EQ(t.appliedPaths(),
              (std::vector<std::string>{pics + "a", pics + "b", pics + "c", pics + "a"}));
}

TEST_F(RunningInstance, QuitTakesTheTrayIconAwayAndEndsTheProgram) {
    startWith("0");
    carryOut(t.app(), Request::Quit);
    EXPECT_TRUE(t.window.called("tray- Form1"));
    EXPECT_TRUE(t.window.ended);
}

}  // namespace
}  // namespace korvo::cli
