// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <set>

#include "base/ini_text.h"
#include "support/fixture.h"

namespace korvo {
namespace {

using testing::TestProgram;

TEST(IniText, MatchesWithoutCaseAndTrimsValues) {
    const std::string text = "; comment\r\n[option]\r\n  FOLDER =  /pics/ \r\nquoted=\"a b\"\r\n";
    EXPECT_EQ(ini::read(text, "OPTION", "Folder"), "/pics/");
    EXPECT_EQ(ini::read(text, "Option", "QUOTED"), "a b");
    EXPECT_EQ(ini::read(text, "OPTION", "Missing"), std::nullopt);
    EXPECT_EQ(ini::read(text, "Start", "Folder"), std::nullopt);
}

TEST(IniText, EditsOneLineAndKeepsEverythingElseByteForByte) {
    const std::string head = "; hand-written\r\n[OPTION]\r\n",
                      rest = "\r\n[Other]\r\nx = 1 ; note\r\n[Start]\r\nWin=0",
                      text = head + "Folder=/a/\r\n" + rest;
    EXPECT_EQ(ini::write(text, "option", "FOLDER", std::string("/b/")),
              head + "Folder=/b/\r\n" + rest);
    // A new key goes at the end of its section, before the blank line, with the file's endings.
    EXPECT_EQ(ini::write(text, "OPTION", "Lang", std::string("FR")),
              head + "Folder=/a/\r\nLang=FR\r\n" + rest);
    // The last line had no ending: the new key still starts on a line of its own.
    EXPECT_EQ(ini::write(text, "Start", "First", std::string("0")), text + "\r\nFirst=0\r\n");
    EXPECT_EQ(ini::write("[A]\nk=v\n", "B", "n", std::string("1")), "[A]\nk=v\n[B]\nn=1\n");
}

TEST(IniText, AnAbsentValueRemovesTheKeyAndOnlyIt) {
    const std::string text = "[OPTION]\nDelay=5\nAspect=2\n";
    EXPECT_EQ(ini::write(text, "OPTION", "delay", std::nullopt), "[OPTION]\nAspect=2\n");
    EXPECT_EQ(ini::write(text, "OPTION", "Aspect", std::string()), "[OPTION]\nDelay=5\nAspect=\n")
        << "the empty text is a value, not an absence";
}

TEST(IniText, RefusesEditsThatWouldInjectKeysOrSections) {
    const std::string text = "[OPTION]\nFolder=/a/\n";
    for (const std::string& evil :
         std::vector<std::string>{"/x/\n[Start]\nFirst=1", "/x/\rWin=1", std::string("a\0b", 3)})
        EXPECT_EQ(ini::write(text, "OPTION", "Folder", evil), std::nullopt);
    // "[Start]" as a key would read as a section header.
    for (const auto& [section, key] : std::vector<std::pair<std::string, std::string>>{
             {"OPTION", "Fol=der"}, {"OPT]ION", "Folder"}, {"OPTION", " "}, {"OPTION", "[Start]"}})
        EXPECT_EQ(ini::write(text, section, key, std::string("x")), std::nullopt) << key;
}

TEST(SettingsFile, RoundTripsThroughTheProgramFolderFile) {
    TestProgram t;
    auto& app = t.app();
    EXPECT_EQ(app.ReadSetting("OPTION", "Folder"), "") << "no file reads as the empty text";
    app.WriteSetting("OPTION", "Folder", std::string("/pictures/"));
    EXPECT_EQ(t.ini(), "[OPTION]\r\nFolder=/pictures/\r\n");

    // Every read goes to the file: a hand edit between two calls is seen.
    t.writeIni("[OPTION]\nFolder=/edited/\n");
    EXPECT_EQ(app.ReadSetting("OPTION", "Folder"), "/edited/");
    const std::string deep = "/" + std::string(300, 'd') + "/" + std::string(400, 'e') + "/";
    app.WriteSetting("OPTION", "Folder", deep);
    EXPECT_EQ(app.ReadSetting("OPTION", "Folder"), deep) << "long values read back whole";
}

// A file that is there but cannot be read (content nullopt) or cannot be replaced (a full disk).
struct FailingStore : TextFileStore {
    std::optional<std::string> content;
    std::optional<std::string> read(const std::string&) override { return content; }
    bool exists(const std::string&) override { return true; }
    bool replace(const std::string&, const std::string&) override { return false; }
};

TEST(SettingsFile, AFileThatCannotBeReadIsNeverRewrittenAndAFailedWriteIsOnlyTold) {
    FailingStore unreadable, full;
    full.content = "[OPTION]\n";
    testing::RecordingDiagnostics told;
    // An attempt to replace the unreadable file would be told as a failed replacement.
    SettingsFile(unreadable, told).write("Korv.ini", "OPTION", "Folder", std::string("/b/"));
    EXPECT_NO_THROW(
        SettingsFile(full, told).write("Korv.ini", "OPTION", "Folder", std::string("/b/")));
    EXPECT_EQ(told.reports, (std::vector<std::string>{
                                "settings not saved|Korv.ini|the file cannot be read",
                                "settings not saved|Korv.ini|the file could not be replaced"}));
}

TEST(SettingsFile, AFolderInPlaceOfTheFileStaysAFolder) {
    TestProgram t;
    std::filesystem::create_directory(toPath(t.folder.file("Korv.ini")));
    EXPECT_EQ(t.app().ReadSetting("OPTION", "Folder"), "");
    t.app().WriteSetting("OPTION", "Folder", std::string("/b/"));
    EXPECT_TRUE(std::filesystem::is_directory(toPath(t.folder.file("Korv.ini"))));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(toPath(t.folder.str())),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";
}

TEST(SettingsFile, EachWriteHasATemporaryNameOfItsOwnBesideTheFile) {
    const auto target = std::filesystem::path("folder") / "Korv.ini";
    std::set<std::filesystem::path> names = {target};
    for (unsigned long process : {4000ul, 4001ul})
        for (unsigned write : {1u, 2u})
            names.insert(platform::temporaryName(target, process, write));
    EXPECT_EQ(names.size(), 5u) << "two copies never write the same file";
    for (const auto& name : names)
        EXPECT_EQ(name.parent_path(), target.parent_path()) << "the rename stays on one disk";
}

TEST(SettingsFile, ATemporaryFileIsCreatedNewOrNotAtAll) {
    using platform::durable::Written;
    testing::TempFolder folder;
    const auto taken = toPath(folder.file("Korv.ini.7-1.tmp"));
    folder.write("Korv.ini.7-1.tmp", "another copy's");
    EXPECT_EQ(platform::durable::writeNew(taken, "mine"), Written::NameTaken);
    EXPECT_EQ(folder.read("Korv.ini.7-1.tmp"), "another copy's");
    EXPECT_EQ(platform::durable::writeNew(toPath(folder.file("new.tmp")), "mine"), Written::Done);
    EXPECT_EQ(folder.read("new.tmp"), "mine");
    EXPECT_EQ(platform::durable::writeNew(toPath(folder.file("none/x.tmp")), "mine"),
              Written::Failed);
}

}  // namespace
}  // namespace korvo
