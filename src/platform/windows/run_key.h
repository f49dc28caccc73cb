// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "platform/windows/registry.h"
#include "services/services.h"

namespace korvo::platform {

// The two hives a log-on entry can live in.
enum class RegistryHive { LocalMachine, CurrentUser };

// The key whose values Windows starts at log-on, named with its trailing backslash as Korvo has
// always opened it.
inline constexpr char kRunKeyPath[] = R"(SOFTWARE\Microsoft\Windows\CurrentVersion\Run\)";

// Writes the value `name` of hive\key with `value`. A new value is a string; an existing one keeps
// its type: a number takes the text's leading number, any other type keeps what it holds. False
// when the key cannot be opened for writing or the value cannot be written.
bool SetRegistryValue(RegistryHive hive, const std::string& key, const std::string& name,
                      const std::string& value, const KeyOpener& open = RegistryKey::open);
// Deletes the value; a key or value that is not there is no failure worth telling.
void DeleteRegistryValue(RegistryHive hive, const std::string& key, const std::string& name,
                         const KeyOpener& open = RegistryKey::open);

// Whether the value `name` of hive\key starts `program`: a string (an expandable one expanded)
// that is its path, quoted or not, in any letter case. Needs only the right to read the key.
bool StartsProgram(RegistryHive hive, const std::string& key, const std::string& name,
                   const std::string& program, const KeyOpener& open = RegistryKey::open);

// The command line Windows runs for a log-on entry: the path, quoted when it holds a space, since
// an unquoted "C:\Program Files\…" lets Windows try "C:\Program.exe" first.
std::string runCommand(const std::string& program);

struct RunKeyLocation {
    RegistryHive hive;
    std::string key;
};

// Log-on entries as values of "Run" keys, the machine's first. One entry is enough: when a key
// already holds a value that starts the program (one an administrator put in the machine's key
// that this user may only read, say), nothing is written; else the entry goes to the first key
// that takes it, since an ordinary user cannot write the machine's. Removal clears every key
// this user may write.
class RunKeyEntries final : public StartupEntries {
  public:
    explicit RunKeyEntries(std::vector<RunKeyLocation> keys, KeyOpener open = RegistryKey::open)
        : keys_(std::move(keys)), open_(std::move(open)) {}

    bool add(const std::string& name, const std::string& program) override;
    void remove(const std::string& name) override;

  private:
    std::vector<RunKeyLocation> keys_;
    KeyOpener open_;
};

}  // namespace korvo::platform
