// The "Run" value in Wine's registry, through the same store the program gets.
#include <gtest/gtest.h>

#include <string>

#include "platform/desktop_backend.h"
#include "platform/windows/run_key.h"
#include "wine_support.h"

namespace korvo {
namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kProgram = "C:\\Programme\\Grüße 日本\\Korvo.exe";
const std::wstring kWideProgram = L"C:\\Programme\\Grüße 日本\\Korvo.exe";

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
    void put(const wchar_t* name, DWORD type, std::vector<BYTE> data) {
        ASSERT_TRUE(platform::writeValue(run.get(), name, {type, std::move(data)}));
    }
    std::optional<platform::RegistryValue> value(const wchar_t* name) const {
        return testing::readRegistry(HKEY_LOCAL_MACHINE, kRunKey, name);
    }
    std::optional<std::wstring> text(const wchar_t* name) const {
        return testing::readRegistryString(HKEY_LOCAL_MACHINE, kRunKey, name);
    }
};

TEST_F(RunKey, AddWritesThePathAsAStringReplacingAnyFormerOne) {
    ASSERT_TRUE(run);
    EXPECT_TRUE(entries->add("Korvo", kProgram));
    EXPECT_EQ(text(L"Korvo"), kWideProgram);
    EXPECT_EQ(value(L"Korvo")->data.size(), (kWideProgram.size() + 1) * sizeof(wchar_t))
        << "with its terminating zero";

    // A former string, however long, gives way to the current path.
    ASSERT_TRUE(platform::writeString(run.get(), L"Korvo", std::wstring(3000, L'x')));
    EXPECT_TRUE(
        entries->add("Korvo", "D:\\\\Korvo.exe"));  // a drive root, as the program builds it
    EXPECT_EQ(text(L"Korvo"), L"D:\\\\Korvo.exe");
}

TEST_F(RunKey, AValueOfAnotherTypeKeepsItsType) {
    // A number takes the path's leading number: none in a real path.
    put(L"Korvo", REG_DWORD, {5, 0, 0, 0});
    EXPECT_TRUE(entries->add("Korvo", kProgram));
    EXPECT_EQ(value(L"Korvo")->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value(L"Korvo")->data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_TRUE(entries->add("Korvo", " 70000\\Korvo.exe"));
    EXPECT_EQ(value(L"Korvo")->data, (std::vector<BYTE>{0x70, 0x11, 0x01, 0x00}));

    // Any other type keeps what it holds.
    const std::wstring expandable = L"%ProgramFiles%\\Korvo.exe";
    const auto* bytes = reinterpret_cast<const BYTE*>(expandable.c_str());
    const std::vector<BYTE> data(bytes, bytes + (expandable.size() + 1) * sizeof(wchar_t));
    put(L"Korvo", REG_EXPAND_SZ, data);
    EXPECT_TRUE(entries->add("Korvo", kProgram));
    EXPECT_EQ(value(L"Korvo")->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(value(L"Korvo")->data, data);
}

TEST_F(RunKey, RemoveDeletesOnlyItsOwnValue) {
    ASSERT_TRUE(platform::writeString(run.get(), L"Other", L"C:\\other.exe"));
    ASSERT_TRUE(entries->add("Korvo", kProgram));
    entries->remove("Korvo");
    EXPECT_EQ(value(L"Korvo"), std::nullopt);
    EXPECT_EQ(text(L"Other"), L"C:\\other.exe");
    entries->remove("Korvo");  // already gone: nothing happens
    EXPECT_EQ(text(L"Other"), L"C:\\other.exe");
}

TEST_F(RunKey, FailuresAreSilentAndWriteNothing) {
    // A key that cannot be opened is not made.
    const std::string missing = "SOFTWARE\\Korvo tests\\missing\\";
    platform::RunKeyEntries unreachable(platform::RegistryHive::LocalMachine, missing);
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
