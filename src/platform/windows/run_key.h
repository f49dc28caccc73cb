#pragma once

#include <string>

#include "services/services.h"

namespace korvo::platform {

enum class RegistryHive { LocalMachine, CurrentUser };

// The key whose values Windows starts at log-on, named with its trailing backslash as Korvo has
// always opened it.
inline constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// Log-on entries as values of a registry "Run" key: the value's name is the entry's, its data
// the program's path without quotes. A value that already exists keeps its type. Failures are
// silent: add answers false, remove does nothing.
class RunKeyEntries final : public StartupEntries {
  public:
    RunKeyEntries(RegistryHive hive, std::string keyPath)
        : hive_(hive), keyPath_(std::move(keyPath)) {}

    bool add(const std::string& name, const std::string& program) override;
    void remove(const std::string& name) override;

  private:
    RegistryHive hive_;
    std::string keyPath_;
};

}  // namespace korvo::platform
