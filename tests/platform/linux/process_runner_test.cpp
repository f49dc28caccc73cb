#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "helpers.h"
#include "platform/linux/command_desktops.h"
#include "platform/linux/process_runner.h"

namespace korvo::platform {
namespace {

using namespace std::chrono_literals;
using Outcome = ProcessResult::Outcome;
using testing::TempDir;
using testing::writePicture;

TEST(ProcessRunner, PassesEveryArgumentByteForByteWithoutAShell) {
    for (const std::string argument :
         {"it's \"q\"", "$(touch /tmp/korvo-pwned) `id`; exit 3 | cat &", "line\nbreak",
          "\xff\xfe not utf-8", "*", "-n", ""}) {
        const auto result = runProcess({"printf", "%s", argument}, 5s, Output::Capture);
        EXPECT_TRUE(result.succeeded()) << argument;
        EXPECT_EQ(result.output, argument);
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/korvo-pwned"));
}

TEST(ProcessRunner, ReportsMissingProgramsFailuresAndSignals) {
    const auto missing = runProcess({"korvo-no-such-tool-anywhere"});
    EXPECT_EQ(missing.outcome, Outcome::NotStarted);
    EXPECT_EQ(missing.hresult(), kFileNotFound);
    EXPECT_EQ(runProcess({}).outcome, Outcome::NotStarted);
    EXPECT_EQ(runProcess({"true", std::string("a\0b", 3)}).outcome, Outcome::NotStarted);

    const auto failed = runProcess({"false"});
    EXPECT_EQ(failed.outcome, Outcome::Exited);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_FALSE(engine::succeeded(failed.hresult()));

    const auto killed = runProcess({"sh", "-c", "kill -TERM $$"});
    EXPECT_EQ(killed.outcome, Outcome::Signalled);
    EXPECT_FALSE(engine::succeeded(killed.hresult()));
    EXPECT_EQ(runProcess({"true"}).hresult(), engine::S_OK);
}

TEST(ProcessRunner, KillsAProgramThatOutlivesItsLimit) {
    const auto result = runProcess({"sleep", "30"}, 200ms);
    EXPECT_EQ(result.outcome, Outcome::TimedOut);
    EXPECT_EQ(result.hresult(), kTimedOut);
}

TEST(ProcessRunner, GivesNoInputAndNoDescriptorsOfItsOwn) {
    // cat would wait forever on an inherited terminal or pipe.
    const auto cat = runProcess({"cat"}, 10s, Output::Capture);
    EXPECT_EQ(cat.outcome, Outcome::Exited);
    EXPECT_EQ(cat.output, "");

    const int leaked = ::open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GE(leaked, 0);
    ASSERT_EQ(::dup2(leaked, 57), 57);
    const auto fds = runProcess({"ls", "/proc/self/fd"}, 10s, Output::Capture);
    ::close(57);
    ::close(leaked);
    std::istringstream lines(fds.output);
    for (std::string fd; std::getline(lines, fd);) {
        EXPECT_TRUE(fd == "0" || fd == "1" || fd == "2" || fd == "3") << "inherited fd " << fd;
    }
}

TEST(ProcessRunner, DoesNotWaitForHelpersThatKeepTheOutputOpen) {
    // The helper holds the pipe for 3 s; the runner must return when the program itself ends.
    const auto result = runProcess({"sh", "-c", "sleep 3 & echo started"}, 2s, Output::Capture);
    EXPECT_EQ(result.outcome, Outcome::Exited);
    EXPECT_EQ(result.output, "started\n");
}

// Puts fake desktop tools first in PATH; each writes its arguments, NUL-separated, to a file.
class FakeTools : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        for (const char* tool : {"pcmanfm-qt", "pcmanfm", "swaymsg"}) {
            const std::string script = bin_.file(tool);
            std::ofstream(script) << "#!/bin/sh\nprintf '%s\\0' \"$@\" > '" << log() << "'\n";
            ::chmod(script.c_str(), 0755);
        }
        ::setenv("PATH", (bin_.path() + ":" + savedPath_).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

    std::string log() const { return bin_.file("arguments"); }
    std::vector<std::string> arguments() const {
        std::ifstream in(log(), std::ios::binary);
        std::vector<std::string> args;
        for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
        return args;
    }

    TempDir bin_, pictures_;
    std::string savedPath_;
};

TEST_F(FakeTools, PcmanfmToolsReceiveHostileNamesIntact) {
    const std::string picture = pictures_.file("it's $(x) \"q\"\n\xff.png");
    writePicture(picture, 4, 4);
    ASSERT_EQ(applyPcmanfmQt({picture, Style::Stretch}), engine::S_OK);
    EXPECT_EQ(arguments(),
              (std::vector<std::string>{"--set-wallpaper", picture, "--wallpaper-mode=stretch"}));
    ASSERT_EQ(applyPcmanfm({picture, Style::Centre}), engine::S_OK);
    EXPECT_EQ(arguments()[1], picture);
}

TEST_F(FakeTools, SwayReachesAnAwkwardNameThroughAPlainLink) {
    TempDir state;
    const std::string first = pictures_.file("Photo (1) it's.png");
    const std::string second = pictures_.file("Photo (2) $HOME.png");
    writePicture(first, 4, 4);
    writePicture(second, 4, 4);

    ASSERT_EQ(applySway({first, Style::Tile}, state.path()), engine::S_OK);
    auto args = arguments();
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0], "output");
    EXPECT_EQ(args[4], "tile");
    const std::string quoted = args[3];
    ASSERT_GE(quoted.size(), 2u);
    const std::string link = quoted.substr(1, quoted.size() - 2);
    EXPECT_EQ(quoted, "\"" + link + "\"");
    EXPECT_EQ(std::filesystem::read_symlink(link), first);

    ASSERT_EQ(applySway({second, Style::Centre}, state.path()), engine::S_OK);
    args = arguments();
    const std::string secondLink = args[3].substr(1, args[3].size() - 2);
    EXPECT_NE(secondLink, link) << "sway must see a new name to load the new picture";
    EXPECT_EQ(std::filesystem::read_symlink(secondLink), second);
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the former link is cleared away";

    const std::string plain = pictures_.file("plain name.png");
    writePicture(plain, 4, 4);
    ASSERT_EQ(applySway({plain, Style::Stretch}, state.path()), engine::S_OK);
    EXPECT_EQ(arguments()[3], "\"" + plain + "\"");
}

TEST_F(FakeTools, SwayForgetsOnRestartSoKorvoKeepsAndRestoresTheChange) {
    TempDir state;
    const Environment env{{{"XDG_CURRENT_DESKTOP", "sway"}, {"XDG_STATE_HOME", state.path()}}};
    const std::string picture = pictures_.file("kept.png");
    writePicture(picture, 4, 4);
    ASSERT_EQ(testing::changeWallpaper(env, picture, engine::WPSTYLE_STRETCH), engine::S_OK);
    std::filesystem::remove(log());

    restoreWallpaper(env);
    EXPECT_EQ(arguments(),
              (std::vector<std::string>{"output", "*", "bg", "\"" + picture + "\"", "stretch"}));

    // A kept picture that has gone since is not handed to sway.
    std::filesystem::remove(log());
    std::filesystem::remove(picture);
    restoreWallpaper(env);
    EXPECT_FALSE(std::filesystem::exists(log()));
}

TEST_F(FakeTools, AMissingToolIsAFailureNotACrash) {
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(applyPcmanfmQt({"/p.png", Style::Centre}), kFileNotFound);
    EXPECT_EQ(applySway({"/p.png", Style::Centre}, "/nonexistent"), kFileNotFound);
}

}  // namespace
}  // namespace korvo::platform
