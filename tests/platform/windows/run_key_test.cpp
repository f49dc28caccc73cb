// The "Run" values in Wine's registry, through the same store the program gets.
#include <gtest/gtest.h>

#include "platform/select.h"
#include "platform/windows/run_key.h"
#include "wine_support.h"

namespace korvo {
namespace {

using platform::kRunKeyPath;
using testing::sz;
using testing::Value;

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgram = "C:\\Programme\\Grüße_日本\\Korvo.exe";
const std::wstring kWideProgram = L"C:\\Programme\\Grüße_日本\\Korvo.exe";

struct RunKey : ::testing::Test {
    platform::RegistryKey machine =
        platform::RegistryKey::create(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS);
    platform::RegistryKey user =
        platform::RegistryKey::create(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS);
    std::unique_ptr<StartupEntries> entries = platform::makeStartupEntries(platform::Environment{});

    RunKey() { clear(); }
    ~RunKey() override { clear(); }
    void clear() {
        for (HKEY key : {machine.get(), user.get()}) {
            RegDeleteValueW(key, L"Korvo");
            RegDeleteValueW(key, L"Other");
        }
    }
    static std::optional<Value> value(const wchar_t* name, HKEY hive = HKEY_LOCAL_MACHINE) {
        return testing::readRegistry(hive, kRunKey, name);
    }
};

TEST_F(RunKey, SetRegistryValueWritesTextAndAFormerValueKeepsItsType) {
    const Value expandable{REG_EXPAND_SZ, sz(L"%ProgramFiles%\\Korvo.exe").second};
    const struct {
        std::optional<Value> former;
        std::string program;
        Value written;
    } cases[] = {
        {std::nullopt, kProgram, sz(kWideProgram)},
        // A former string, however long, gives way; a drive root's path as the program builds it.
        {sz(std::wstring(3000, L'x')), "D:\\\\Korvo.exe", sz(L"D:\\\\Korvo.exe")},
        // A number takes the text's leading number: none in a real path.
        {Value{REG_DWORD, {5, 0, 0, 0}}, kProgram, {REG_DWORD, {0, 0, 0, 0}}},
        {Value{REG_DWORD, {5, 0, 0, 0}}, " 70000\\Korvo.exe", {REG_DWORD, {0x70, 0x11, 0x01, 0}}},
        {expandable, kProgram, expandable},  // any other type keeps what it holds
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        clear();
        ASSERT_TRUE(!c.former || platform::writeValue(machine.get(), L"Korvo",
                                                      {c.former->first, c.former->second}));
        EXPECT_TRUE(platform::SetRegistryValue(platform::RegistryHive::LocalMachine, kRunKeyPath,
                                               "Korvo", c.program));
        EXPECT_EQ(value(L"Korvo"), c.written);
    }
}

TEST_F(RunKey, TheEntryIsTheQuotedCommandInTheFirstKeyThatTakesIt) {
    ASSERT_TRUE(entries->add("Korvo", "C:\\Program Files\\Korvo\\Korvo.exe"));
    EXPECT_EQ(value(L"Korvo"), sz(L"\"C:\\Program Files\\Korvo\\Korvo.exe\""));
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt);

    // A machine key that cannot be opened for writing (here: one that is not there) leaves the
    // entry to the user's own key.
    clear();
    platform::RunKeyEntries userOnly(
        {{platform::RegistryHive::LocalMachine, "SOFTWARE\\Korvo tests\\missing\\"},
         {platform::RegistryHive::CurrentUser, kRunKeyPath}});
    ASSERT_TRUE(userOnly.add("Korvo", kProgram));
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), sz(kWideProgram)) << "no space, no quotes";
    EXPECT_FALSE(
        platform::RegistryKey::open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Korvo tests", KEY_READ))
        << "a missing key is not made";
}

TEST_F(RunKey, RemoveClearsEveryKeyAndOnlyItsOwnValue) {
    ASSERT_TRUE(platform::writeString(machine.get(), L"Other", L"C:\\other.exe"));
    ASSERT_TRUE(platform::writeString(machine.get(), L"Korvo", L"C:\\old\\Korvo.exe"));
    ASSERT_TRUE(platform::writeString(user.get(), L"Korvo", L"C:\\old\\Korvo.exe"));
    for (int twice = 0; twice < 2; ++twice) {  // already gone the second time: nothing happens
        entries->remove("Korvo");
        EXPECT_EQ(value(L"Korvo"), std::nullopt);
        EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt);
        EXPECT_EQ(value(L"Other"), sz(L"C:\\other.exe"));
    }
}

TEST_F(RunKey, TextThatIsNotUtf8WritesNothing) {
    EXPECT_FALSE(entries->add("Korvo", "C:\\caf\xE9\\Korvo.exe"));
    EXPECT_FALSE(entries->add("Korv\xF6", kProgram));
    EXPECT_EQ(value(L"Korvo"), std::nullopt);
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt);
    entries->remove("Korv\xF6");
}

}  // namespace
}  // namespace korvo
