// Everything that reaches a desktop through another program and that the screen cannot show:
// the process runner, the escaping of a name in Plasma's script and xfconf's backdrop names.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "helpers.h"
#include "platform/linux/plasma_desktop.h"
#include "platform/linux/xfce_desktop.h"

namespace korvo::platform {

using namespace std::chrono_literals;
using Argv = std::vector<std::string>;

TEST(ProcessRunner, PassesEveryArgumentByteForByteWithoutAShell) {
    for (const std::string argument :
         {"it's \"q\"", "$(touch /tmp/korvo-pwned) `id`; exit 3 | cat &", "line\nbreak",
          "\xff\xfe not utf-8", "*", "-n", ""}) {
        const auto result = runProcess({"printf", "%s", argument}, 5s, Output::Capture);
        EXPECT_TRUE(result.succeeded() && result.output == argument) << argument;
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/korvo-pwned"));
    // More than a pipe holds: the tool waits on its end of the pipe instead of failing.
    const auto large = runProcess({"head", "-c", "300000", "/dev/zero"}, 5s, Output::Capture);
    EXPECT_TRUE(large.succeeded() && large.output.size() == 300000u);
}

TEST(ProcessRunner, TellsExitsSignalsTimeOutsAndMissingProgramsApart) {
    const std::pair<Argv, HRESULT> cases[] = {
        {{"true"}, shell::S_OK},
        {{"false"}, shell::E_FAIL},
        {{"sh", "-c", "kill -TERM $$"}, shell::E_FAIL},
        {{"sleep", "30"}, kTimedOut},
        // The helper keeps the output pipe open; the program itself has ended.
        {{"sh", "-c", "sleep 3 & echo started"}, shell::S_OK},
        {{"korvo-no-such-tool-anywhere"}, kFileNotFound},
        {{}, kFileNotFound},
        {{"true", std::string("a\0b", 3)}, kFileNotFound},
    };
    for (const auto& [argv, result] : cases) {
        EXPECT_EQ(runProcess(argv, 1s, Output::Capture).hresult(), result)
            << (argv.empty() ? "" : argv.back());
    }
}

TEST(ProcessRunner, GivesTheProgramNoInputAndNoDescriptorOfItsOwn) {
    // Our input and a stray descriptor become a pipe nobody writes to, deliberately without
    // O_CLOEXEC: cat would wait on it for ever, ls would list it.
    int ends[2];
    const int input = ::dup(0);
    ASSERT_TRUE(::pipe(ends) == 0 && ::dup2(ends[0], 0) == 0 && ::dup2(ends[0], 57) == 57);
    const HRESULT cat = runProcess({"cat"}, 1s).hresult();
    std::istringstream fds(runProcess({"ls", "/proc/self/fd"}, 10s, Output::Capture).output);
    ::dup2(input, 0);
    for (const int fd : {input, ends[0], ends[1], 57}) ::close(fd);
    EXPECT_EQ(cat, shell::S_OK);
    for (std::string fd; std::getline(fds, fd);) EXPECT_LE(std::stoi(fd), 3) << "inherited " << fd;
}

TEST(PlasmaScript, StringLiteralsHoldAnyNameAndNothingEscapesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"it's", R"('it\'s')"},
        {"'); evil(); ('", R"('\'); evil(); (\'')"},
        {"a\\b\"c\\'", R"('a\\b\"c\\\'')"},
        {"\\u0027</script>", R"('\\u0027</script>')"},
        {"l\nr\r\x01", R"('l\u000ar\u000d\u0001')"},
        {"\xe2\x80\xa8\xe2\x80\xa9", R"('\u2028\u2029')"},
        {"\xc3\xa9\xf0\x9f\x8c\x85", R"('\u00e9\ud83c\udf05')"},
        // Bytes that are not UTF-8 (a stray, a truncated and an overlong sequence) become U+FFFD.
        {"\xff|\xe2\x80|\xc0\xaf", R"('\ufffd|\ufffd\ufffd|\ufffd\ufffd')"},
    };
    for (const auto& [text, literal] : cases) EXPECT_EQ(jsStringLiteral(text), literal);
}

TEST(XfceBackdrops, TakesEveryBackdropOfTheListingOrNamesNewOnes) {
    EXPECT_EQ(xfceBackdrops("/backdrop/screen0/monitorVirtual-1/workspace0/color-style\n"
                            "/backdrop/screen0/monitorVirtual-1/workspace0/last-image\n"
                            "/backdrop/screen0/monitorHDMI-A-1/workspace1/last-image\n"
                            "/backdrop/screen0/monitor0/workspace0/last-image-old\n"
                            "/backdrop/screen0/monitorX/workspaceA/last-image\n"
                            "/backdrop/screen0/monitor/workspace0/last-image\n"
                            "/desktop-icons/style"),
              (Argv{"/backdrop/screen0/monitorVirtual-1/workspace0",
                    "/backdrop/screen0/monitorHDMI-A-1/workspace1"}));
    EXPECT_EQ(xfceNewBackdrops({"eDP-1", "a/b", ""}, 2),
              (Argv{"/backdrop/screen0/monitoreDP-1/workspace0",
                    "/backdrop/screen0/monitoreDP-1/workspace1"}));
}

}  // namespace korvo::platform
