// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The classic wallpaper change, the "Run" values and the folder listings for real, against Wine's
// shell, registry and file system (the test stage gives each run a fresh Wine prefix).
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "platform/select.h"
#include "platform/windows/classic_wallpaper.h"
#include "platform/windows/registry.h"
#include "platform/windows/run_key.h"
#include "platform/windows/windows_file_system.h"
#include "support/fixture.h"

namespace korvo {
namespace {

// A registry value as its type and its bytes.
using Value = std::pair<DWORD, std::vector<BYTE>>;

// Text as a REG_SZ value holds it: UTF-16 with its terminating zero.
Value sz(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

// A value of root\key; nullopt when the key or the value is missing. Read with the registry's
// own calls, apart from the key and value handling under test.
std::optional<Value> readRegistry(HKEY root, const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    Value value;
    DWORD size = 0;
    LONG error = RegQueryValueExW(opened, name, nullptr, &value.first, nullptr, &size);
    value.second.resize(size);
    if (error == ERROR_SUCCESS)
        error = RegQueryValueExW(opened, name, nullptr, &value.first, value.second.data(), &size);
    RegCloseKey(opened);
    if (error != ERROR_SUCCESS) return std::nullopt;
    value.second.resize(size);
    return value;
}

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The picture, WallpaperStyle and TileWallpaper as the shell and the registry have them.
using Desktop = std::tuple<std::wstring, std::optional<Value>, std::optional<Value>>;

Desktop desktop() {
    wchar_t picture[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, picture, 0);
    return {picture, readRegistry(HKEY_CURRENT_USER, kDesktopKey, L"WallpaperStyle"),
            readRegistry(HKEY_CURRENT_USER, kDesktopKey, L"TileWallpaper")};
}

struct ClassicWallpaper : ::testing::Test {
    testing::TempFolder folder;
    std::wstring first, second;

    ClassicWallpaper() {
        const auto pictures = toPath(folder.file("Fonds d’écran 日本"));
        std::filesystem::create_directories(pictures);
        first = (pictures / L"été.bmp").wstring();
        second = (pictures / L"hiver 🖼.bmp").wstring();
        for (const auto& picture : {first, second})
            std::ofstream(std::filesystem::path(picture)) << "x";
    }
};

TEST_F(ClassicWallpaper, EachStyleSetsThePictureAndTheStyleValues) {
    const struct {
        std::optional<std::wstring> picture;
        std::uint32_t style;
        Desktop after;
    } cases[] = {
        {first, 0, {first, sz(L"0"), sz(L"0")}},
        {second, 1, {second, sz(L"0"), sz(L"1")}},
        {first, 2, {first, sz(L"2"), sz(L"0")}},
        {std::nullopt, 1, {first, sz(L"0"), sz(L"1")}},  // the current picture takes the style
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        ASSERT_EQ(platform::applyClassicWallpaper(c.picture, c.style), S_OK);
        EXPECT_EQ(desktop(), c.after);
    }
}

TEST_F(ClassicWallpaper, AChangeThatCannotBeMadeLeavesTheDesktopAsItWas) {
    ASSERT_EQ(platform::applyClassicWallpaper(first, 1), S_OK);
    const Desktop before = desktop();
    const platform::WallpaperSetter refuse = [](const std::wstring&) { return false; };
    EXPECT_EQ(platform::applyClassicWallpaper(second, 3), E_INVALIDARG) << "no such style";
    // Wine would take the path cut to MAX_PATH characters, naming another file.
    EXPECT_TRUE(FAILED(
        platform::applyClassicWallpaper(L"C:\\" + std::wstring(MAX_PATH, L'a') + L".bmp", 2)));
    EXPECT_EQ(platform::applyClassicWallpaper(second, 2, refuse), E_FAIL);
    EXPECT_EQ(desktop(), before);

    // Style values that were not there before are not left behind either.
    const auto key = platform::RegistryKey::open(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    RegDeleteValueW(key.get(), L"WallpaperStyle");
    RegDeleteValueW(key.get(), L"TileWallpaper");
    EXPECT_EQ(platform::applyClassicWallpaper(second, 2, refuse), E_FAIL);
    EXPECT_EQ(desktop(), (Desktop{first, std::nullopt, std::nullopt}));
}

// The "Run" values, through the same store the program gets.
using platform::kRunKeyPath;
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
        return readRegistry(hive, kRunKey, name);
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
        // A former string, however long, gives way; a drive root's path as the program builds it
        // (its folder is "D:", so one separator).
        {sz(std::wstring(3000, L'x')), "D:\\Korvo.exe", sz(L"D:\\Korvo.exe")},
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

TEST_F(RunKey, TheEntryIsTheQuotedCommandInTheFirstKeyThatTakesItAndNeverBadText) {
    EXPECT_FALSE(entries->add("Korvo", "C:\\caf\xE9\\Korvo.exe"));
    EXPECT_FALSE(entries->add("Korv\xF6", kProgram));
    EXPECT_EQ(value(L"Korvo"), std::nullopt);
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt);
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
    entries->remove("Korv\xF6");
}

// A user who may read the machine's key but not write it, as Windows refuses an ordinary user.
platform::RegistryKey ordinaryUsersOpen(HKEY root, const wchar_t* path, REGSAM access) {
    if (root == HKEY_LOCAL_MACHINE && (access & KEY_SET_VALUE) != 0)
        return platform::RegistryKey::failed(ERROR_ACCESS_DENIED);
    return platform::RegistryKey::open(root, path, access);
}

TEST_F(RunKey, AValueThatStartsTheProgramAnywhereIsTheOneEntryAndNothingMoreIsWritten) {
    platform::RunKeyEntries ordinaryUser({{platform::RegistryHive::LocalMachine, kRunKeyPath},
                                          {platform::RegistryHive::CurrentUser, kRunKeyPath}},
                                         ordinaryUsersOpen);
    // The machine-wide value an administrator put there, as it may be spelled.
    const Value expandable{REG_EXPAND_SZ,
                           sz(L"%SystemDrive%\\Programme\\Grüße_日本\\Korvo.exe").second};
    for (const Value& present :
         {sz(kWideProgram), sz(L"\"c:\\programme\\GRÜßE_日本\\korvo.EXE\""), expandable}) {
        clear();
        ASSERT_TRUE(platform::writeValue(machine.get(), L"Korvo", {present.first, present.second}));
        EXPECT_TRUE(ordinaryUser.add("Korvo", kProgram));
        EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt) << "no second entry";
        EXPECT_EQ(value(L"Korvo"), present);
    }

    // One that starts another program is no entry of this one: the user's own key takes it, and
    // the next start finds it there and writes nothing, not even where it could.
    clear();
    ASSERT_TRUE(platform::writeString(machine.get(), L"Korvo", L"C:\\old\\Korvo.exe"));
    EXPECT_TRUE(ordinaryUser.add("Korvo", kProgram));
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), sz(kWideProgram));
    EXPECT_TRUE(entries->add("Korvo", kProgram));
    EXPECT_EQ(value(L"Korvo"), sz(L"C:\\old\\Korvo.exe"));

    // Removal clears what this user may: the user's own value; the machine's stays.
    ordinaryUser.remove("Korvo");
    EXPECT_EQ(value(L"Korvo", HKEY_CURRENT_USER), std::nullopt);
    EXPECT_EQ(value(L"Korvo"), sz(L"C:\\old\\Korvo.exe"));
}

// Folder listings, where the hidden attribute is real.
TEST(WindowsFileSystem, HiddenEntriesAreLeftOutAndTheDrivesAreTheLetteredRoots) {
    testing::TempFolder folder;
    const std::string summer = "été 日本.jpg";
    for (const std::string name : {"b.bmp", "hidden.bmp", ".dot.bmp", "A.png", summer.c_str()})
        folder.write(name, "x");
    for (const std::string name : {"Sub", "Caché"})
        std::filesystem::create_directories(toPath(folder.file(name)));
    for (const std::string name : {"hidden.bmp", "Caché"})
        ASSERT_TRUE(SetFileAttributesW(toPath(folder.file(name)).c_str(), FILE_ATTRIBUTE_HIDDEN));

    const auto files = platform::makeFileSystem(platform::Environment{});
    EXPECT_EQ(files->listFiles(folder.str()), (std::vector<std::string>{"A.png", "b.bmp", summer}));
    EXPECT_EQ(files->listFolders(folder.str()), (std::vector<std::string>{"Sub"}));
    const auto drives = files->drives();
    EXPECT_NE(std::find(drives.begin(), drives.end(), "c:\\"), drives.end());
    EXPECT_NO_THROW(files->listFolders(drives.front()));
}

TEST(WindowsFileSystem, TheFirstDriveIsTheSystemDriveElseTheWindowsFoldersElseAReadyOne) {
    // Wine's own: %SystemDrive% is C:, and so is the Windows folder's drive.
    const auto system = [](const char* variable) {
        return platform::makeFileSystem(platform::Environment{{{"SystemDrive", variable}}})
            ->systemDrive();
    };
    EXPECT_EQ(system("C:"), "c:\\");
    EXPECT_EQ(system(""), "c:\\") << "the Windows folder's drive";
    EXPECT_TRUE(platform::driveReady("c:\\"));
    char unused = 'z';
    while (unused > 'a' && (GetLogicalDrives() & (1u << (unused - 'a')))) --unused;
    EXPECT_FALSE(platform::driveReady(std::string{unused} + ":\\")) << "no such drive";

    const std::vector<std::string> drives{"a:\\", "c:\\", "d:\\", "z:\\"};
    const auto onlyZ = [](const std::string& drive) { return drive == "z:\\"; };
    const struct {
        const char* variable;
        const wchar_t* windows;
        const char* first;
    } cases[] = {
        {"D:", L"C:\\windows", "d:\\"},  // the variable wins
        {"d:\\", L"C:\\windows", "d:\\"},
        {"E:", L"C:\\windows", "c:\\"},           // no such drive here: the Windows folder's
        {"D:\\Windows", L"C:\\windows", "c:\\"},  // not a drive alone
        {"", L"\\\\server\\windows", "z:\\"},     // neither: the first that is ready, not a:
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::chooseSystemDrive(c.variable, c.windows, drives, onlyZ), c.first)
            << c.variable;
    const auto none = [](const std::string&) { return false; };
    EXPECT_EQ(platform::chooseSystemDrive("", L"", drives, none), "a:\\") << "never blank";
}

}  // namespace
}  // namespace korvo
