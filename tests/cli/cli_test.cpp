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

// The requests that do travel are met by the real program on Xvfb (single_instance.sh).
TEST(CommandLine, HelpNeverReachesTheRunningOneAndStrangeMessagesAreRefused) {
    EXPECT_EQ(messageFor(Request::Help), std::nullopt);
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

// The main window shown again is met on Xvfb; an assistant page in use only here.
TEST(RunningInstance, ShowBringsTheAssistantPageInUseNotTheMainWindow) {
    testing::TestProgram t;
    t.writeIni("[OPTION]\nFolder=" + t.pictureFolder({"a"}) + "\n[Start]\nFirst=1\n");
    t.start();
    forms::Form* shown = carryOut(t.app(), Request::Show);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->name(), "Fassist1");
    EXPECT_FALSE(t.app().form<Form1>().visible());
}

}  // namespace
}  // namespace korvo::cli
