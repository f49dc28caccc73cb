// The "Run" value in Wine's registry, through the same store the program gets.
#include <gtest/gtest.h>

#include <string>

#include "platform/select.h"
#include "platform/windows/run_key.h"
#include "wine_support.h"

namespace korvo {
namespace {

using testing::sz;
using testing::Value;

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgram = "C:\\Programme\\Grüße 日本\\Korvo.exe";

struct RunKey : ::testing::Test {
    platform::RegistryKey run =
        platform::RegistryKey::create(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS);
    std::unique_ptr<StartupEntries> entries = platform::makeStartupEntries(platform::Environment{});

    RunKey() { clear(); }
    ~RunKey() override { clear(); }
    void clear() {
        RegDeleteValueW(run.get(), L"Korvo");
        RegDeleteValueW(run.get(), L"Other");
    }
    static std::optional<Value> value(const wchar_t* name) {
        return testing::readRegistry(HKEY_LOCAL_MACHINE, kRunKey, name);
    }
};

TEST_F(RunKey, AddWritesThePathAndAFormerValueKeepsItsType) {
    const Value expandable{REG_EXPAND_SZ, sz(L"%ProgramFiles%\\Korvo.exe").second};
    const struct {
        std::optional<Value> former;
        std::string program;
        Value written;
    } cases[] = {
        {std::nullopt, kProgram, sz(L"C:\\Programme\\Grüße 日本\\Korvo.exe")},
        // A former string, however long, gives way; a drive root's path as the program builds it.
        {sz(std::wstring(3000, L'x')), "D:\\\\Korvo.exe", sz(L"D:\\\\Korvo.exe")},
        // A number takes the path's leading number: none in a real path.
        {Value{REG_DWORD, {5, 0, 0, 0}}, kProgram, {REG_DWORD, {0, 0, 0, 0}}},
        {Value{REG_DWORD, {5, 0, 0, 0}}, " 70000\\Korvo.exe", {REG_DWORD, {0x70, 0x11, 0x01, 0}}},
        {expandable, kProgram, expandable},  // any other type keeps what it holds
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        clear();
        ASSERT_TRUE(!c.former ||
                    platform::writeValue(run.get(), L"Korvo", {c.former->first, c.former->second}));
        EXPECT_TRUE(entries->add("Korvo", c.program));
        EXPECT_EQ(value(L"Korvo"), c.written);
    }
}

TEST_F(RunKey, RemoveDeletesOnlyItsOwnValue) {
    ASSERT_TRUE(platform::writeString(run.get(), L"Other", L"C:\\other.exe"));
    ASSERT_TRUE(entries->add("Korvo", kProgram));
    for (int twice = 0; twice < 2; ++twice) {  // already gone the second time: nothing happens
        entries->remove("Korvo");
        EXPECT_EQ(value(L"Korvo"), std::nullopt);
        EXPECT_EQ(value(L"Other"), sz(L"C:\\other.exe"));
    }
}

TEST_F(RunKey, FailuresAreSilentAndWriteNothing) {
    // A key that cannot be opened is not made.
    platform::RunKeyEntries unreachable(platform::RegistryHive::LocalMachine,
                                        "SOFTWARE\\Korvo tests\\missing\\");
    EXPECT_FALSE(unreachable.add("Korvo", kProgram));
    unreachable.remove("Korvo");
    EXPECT_FALSE(
        platform::RegistryKey::open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Korvo tests", KEY_READ));

    // Text that is not UTF-8 writes nothing.
    EXPECT_FALSE(entries->add("Korvo", "C:\\caf\xE9\\Korvo.exe"));
    EXPECT_FALSE(entries->add("Korv\xF6", kProgram));
    EXPECT_EQ(value(L"Korvo"), std::nullopt);
    entries->remove("Korv\xF6");
}

}  // namespace
}  // namespace korvo
