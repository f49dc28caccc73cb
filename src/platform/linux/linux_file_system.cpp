// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/linux_file_system.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "base/paths.h"
#include "platform/select.h"

namespace korvo::platform {

namespace {

// File systems of the kernel, of memory and of packaging: none is a volume a user keeps
// pictures on, and listing them would bury the real ones.
constexpr std::array<std::string_view, 28> PseudoTypes = {
    "proc",     "sysfs",    "devtmpfs",        "devpts",     "tmpfs",     "ramfs",
    "cgroup",   "cgroup2",  "securityfs",      "pstore",     "debugfs",   "tracefs",
    "configfs", "fusectl",  "mqueue",          "hugetlbfs",  "autofs",    "binfmt_misc",
    "bpf",      "efivarfs", "rpc_pipefs",      "nsfs",       "selinuxfs", "overlay",
    "squashfs", "nfsd",     "fuse.gvfsd-fuse", "fuse.portal"};

bool under(std::string_view path, std::string_view folder) {
    return path == folder ||
           (path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
            path[folder.size()] == '/');
}

// The table writes a space, tab, newline or backslash in a path as a three-digit octal escape.
std::string unescaped(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool removablePlace(std::string_view root) {
    return under(root, "/media") || under(root, "/run/media") || under(root, "/mnt");
}

// The value of one assignment of user-dirs.dirs: quoted, "$HOME" at its start standing for
// the home folder, backslashes escaping the next character.
std::string userDirValue(std::string_view value, const std::string& home) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return {};
    value = value.substr(1, value.size() - 2);
    std::string out;
    if (value.substr(0, 5) == "$HOME" && (value.size() == 5 || value[5] == '/')) {
        if (home.empty()) return {};
        out = home;
        value.remove_prefix(5);
    } else if (value.empty() || value.front() != '/') {
        return {};  // the file allows only these two forms
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) ++i;
        out += value[i];
    }
    return out;
}

std::string readText(const std::string& path) {
    std::ifstream in(toPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(toPath(path), error);
}

}  // namespace

std::vector<std::string> volumeRoots(std::string_view mountTable) {
    std::vector<std::string> removable, others;
    std::istringstream lines{std::string(mountTable)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string device, point, type;
        if (!(fields >> device >> point >> type)) continue;
        const std::string root = unescaped(point);
        if (root.empty() || root.front() != '/' || root == "/") continue;
        if (std::find(PseudoTypes.begin(), PseudoTypes.end(), type) != PseudoTypes.end()) continue;
        if (under(root, "/proc") || under(root, "/sys") || under(root, "/dev")) continue;
        auto& group = removablePlace(root) ? removable : others;
        if (std::find(removable.begin(), removable.end(), root) == removable.end() &&
            std::find(others.begin(), others.end(), root) == others.end())
            group.push_back(root);
    }
    std::vector<std::string> roots{"/"};
    roots.insert(roots.end(), removable.begin(), removable.end());
    roots.insert(roots.end(), others.begin(), others.end());
    return roots;
}

std::string picturesFolder(const Environment& env, std::string_view userDirs) {
    const std::string home = env.get("HOME");
    std::string pictures;
    std::istringstream lines{std::string(userDirs)};
    for (std::string line; std::getline(lines, line);) {
        constexpr std::string_view key = "XDG_PICTURES_DIR=";
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string_view value(line);
        value.remove_prefix(start + key.size());
        while (!value.empty() &&
               (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.remove_suffix(1);
        pictures = userDirValue(value, home);  // the last assignment counts, as in the shell
    }
    return pictures.empty() ? home : pictures;
}

LinuxFileSystem::LinuxFileSystem(const Environment& env) {
    std::string config = env.get("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/')
        config = env.has("HOME") ? env.get("HOME") + "/.config" : std::string{};
    const std::string declared =
        picturesFolder(env, config.empty() ? std::string{} : readText(config + "/user-dirs.dirs"));
    // A pictures folder that was named but never made: the home folder is the next best place.
    startFolder_ = isFolder(declared) ? declared : env.get("HOME");
}

std::vector<std::string> LinuxFileSystem::drives() {
    return volumeRoots(readText("/proc/self/mounts"));
}

std::unique_ptr<forms::FileSystem> makeFileSystem(const Environment& env) {
    return std::make_unique<LinuxFileSystem>(env);
}

}  // namespace korvo::platform
