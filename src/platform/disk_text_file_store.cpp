// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/disk_text_file_store.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "base/paths.h"

namespace korvo::platform {

std::optional<std::string> DiskTextFileStore::read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(toPath(path), error)) return std::nullopt;
    std::ifstream in(toPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return content;
}

bool DiskTextFileStore::exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(toPath(path), error) || error;
}

namespace {

// Removes the temporary files of `target` whose writers were killed before they could rename or
// remove them: ours, from an earlier process with our id, or those of processes that are gone.
// A running copy's file is left to it.
void removeLeftovers(const std::filesystem::path& target) {
    std::error_code error;
    const auto folder = target.has_parent_path() ? target.parent_path() : ".";
    std::filesystem::directory_iterator it(folder, error);
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        const auto writer = temporaryWriter(target, it->path());
        if (!writer) continue;
        if (*writer == durable::processId() || durable::processEnded(*writer)) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

}  // namespace

bool DiskTextFileStore::replace(const std::string& path, const std::string& content) {
    static std::atomic<unsigned> writes{0};
    const auto target = toPath(path);
    removeLeftovers(target);
    // A name still taken (a running copy's, or one that could not be removed) is passed over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto temporary = temporaryName(target, durable::processId(), ++writes);
        switch (durable::writeNew(temporary, content)) {
            case durable::Written::NameTaken:
                continue;
            case durable::Written::Failed:
                return false;
            case durable::Written::Done:
                if (durable::moveOver(temporary, target, flush_ == Flush::Folder)) return true;
                std::error_code ignored;
                std::filesystem::remove(temporary, ignored);
                return false;
        }
    }
    return false;
}

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned long process,
                                    unsigned write) {
    auto name = target;
    name += toPath("." + std::to_string(process) + "-" + std::to_string(write) + ".tmp");
    return name;
}

std::optional<unsigned long> temporaryWriter(const std::filesystem::path& target,
                                             const std::filesystem::path& file) {
    // "<target name>.<process>-<write>.tmp"
    const std::string prefix = fromPath(target.filename()) + ".";
    const std::string name = fromPath(file.filename());
    const std::string suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const auto dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == middle.size()) return std::nullopt;
    for (std::size_t i = 0; i < middle.size(); ++i)
        if (i != dash && (middle[i] < '0' || middle[i] > '9')) return std::nullopt;
    if (dash > 19) return std::nullopt;
    return std::stoul(middle.substr(0, dash));
}

}  // namespace korvo::platform
