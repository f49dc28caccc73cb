// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows/run_key.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/windows/registry.h"
#include "platform/windows/wide_text.h"

namespace korvo::platform {

namespace {

HKEY rootOf(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The leading number of the text, as a number-typed value takes text: blanks skipped, then an
// optional minus and digits; 0 when there are none or too many.
std::uint32_t leadingNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && (*first == ' ' || *first == '\t')) ++first;
    std::int64_t number = 0;
    if (std::from_chars(first, last, number).ec != std::errc{}) return 0;
    return static_cast<std::uint32_t>(number);
}

// An expandable string with the variables it names filled in; as it is when that fails.
std::wstring expanded(const std::wstring& text) {
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring result(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), result.data(), size);
    if (written == 0 || written > size) return text;
    result.resize(written - 1);  // without its terminating zero
    return result;
}

RegistryValue dwordValue(std::uint32_t number) {
    RegistryValue value{REG_DWORD, {}};
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<BYTE>((number >> shift) & 0xFFu));
    return value;
}

}  // namespace

bool SetRegistryValue(RegistryHive hive, const std::string& key, const std::string& name,
                      const std::string& value, const KeyOpener& open) {
    const auto keyPath = widen(key);
    const auto valueName = widen(name);
    const auto text = widen(value);
    if (!keyPath || !valueName || !text) return false;
    const RegistryKey opened = open(rootOf(hive), keyPath->c_str(), KEY_ALL_ACCESS);
    if (!opened) return false;

    RegistryValue stored;
    const LONG error = readValue(opened.get(), valueName->c_str(), stored);
    if (error == ERROR_FILE_NOT_FOUND) {
        stored.type = REG_SZ;
    } else if (error != ERROR_SUCCESS) {
        return false;
    }
    if (stored.type == REG_SZ) {
        stored = stringValue(*text);
    } else if (stored.type == REG_DWORD) {
        stored = dwordValue(leadingNumber(value));
    }
    return writeValue(opened.get(), valueName->c_str(), stored);
}

void DeleteRegistryValue(RegistryHive hive, const std::string& key, const std::string& name,
                         const KeyOpener& open) {
    const auto keyPath = widen(key);
    const auto valueName = widen(name);
    if (!keyPath || !valueName) return;
    const RegistryKey opened = open(rootOf(hive), keyPath->c_str(), KEY_ALL_ACCESS);
    if (opened) RegDeleteValueW(opened.get(), valueName->c_str());
}

bool StartsProgram(RegistryHive hive, const std::string& key, const std::string& name,
                   const std::string& program, const KeyOpener& open) {
    const auto keyPath = widen(key);
    const auto valueName = widen(name);
    const auto path = widen(program);
    if (!keyPath || !valueName || !path || path->empty()) return false;
    const RegistryKey opened = open(rootOf(hive), keyPath->c_str(), KEY_QUERY_VALUE);
    RegistryValue stored;
    if (!opened || readValue(opened.get(), valueName->c_str(), stored) != ERROR_SUCCESS ||
        (stored.type != REG_SZ && stored.type != REG_EXPAND_SZ))
        return false;
    std::wstring command(stored.data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(command.data(), stored.data.data(), command.size() * sizeof(wchar_t));
    command.resize(std::wcslen(command.c_str()));  // up to its terminating zero, if it has one
    if (stored.type == REG_EXPAND_SZ) command = expanded(command);
    if (command.size() >= 2 && command.front() == L'"' && command.back() == L'"')
        command = command.substr(1, command.size() - 2);
    // Windows names files without regard to letter case.
    return CompareStringOrdinal(command.c_str(), static_cast<int>(command.size()), path->c_str(),
                                static_cast<int>(path->size()), TRUE) == CSTR_EQUAL;
}

std::string runCommand(const std::string& program) {
    if (program.find(' ') == std::string::npos) return program;
    return "\"" + program + "\"";
}

bool RunKeyEntries::add(const std::string& name, const std::string& program) {
    // Two entries would start Korvo twice at each log-on.
    for (const RunKeyLocation& location : keys_) {
        if (StartsProgram(location.hive, location.key, name, program, open_)) return true;
    }
    const std::string command = runCommand(program);
    for (const RunKeyLocation& location : keys_) {
        if (SetRegistryValue(location.hive, location.key, name, command, open_)) return true;
    }
    return false;
}

void RunKeyEntries::remove(const std::string& name) {
    for (const RunKeyLocation& location : keys_)
        DeleteRegistryValue(location.hive, location.key, name, open_);
}

}  // namespace korvo::platform
