// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "services/text_file_store.h"

namespace korvo::platform {

// Writes a temporary file beside the target, flushes it to the disk and renames it over the
// target, then flushes the folder: a crash, a kill, a power loss or a full disk leaves the former
// file whole or the new one. Without the folder's flush (`Renamed`) the file is still whole, old
// or new, but a power cut may bring back the old one: enough for what the next change writes
// again anyway, and one disk flush less per change.
class DiskTextFileStore : public TextFileStore {
  public:
    enum class Flush { Folder, Renamed };
    explicit DiskTextFileStore(Flush flush = Flush::Folder) : flush_(flush) {}
    std::optional<std::string> read(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool replace(const std::string& path, const std::string& content) override;

  private:
    Flush flush_;
};

// The temporary name of one write: beside the target, so that the rename stays on one disk, and
// set apart by process and by write, so that two running copies never write the same file.
std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned long process,
                                    unsigned write);

// The process that wrote `file`, when it is a temporary name of `target`.
std::optional<unsigned long> temporaryWriter(const std::filesystem::path& target,
                                             const std::filesystem::path& file);

// The OS half of the replacement, one source file per OS (platform/<os>/durable_file.cpp).
namespace durable {

enum class Written { Done, NameTaken, Failed };

// Creates `path` (never opening a file that is already there), writes `content` and flushes it
// to the disk. On failure nothing is left at `path`.
Written writeNew(const std::filesystem::path& path, const std::string& content);

// Renames `from` over `to` and flushes the change of folder to the disk.
bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to,
              bool flushFolder = true);

unsigned long processId();

// Whether the process `process` has ended, so that a temporary file named after it can only be
// a leftover. A process id in use by any other program counts as running.
bool processEnded(unsigned long process);

}  // namespace durable

}  // namespace korvo::platform
