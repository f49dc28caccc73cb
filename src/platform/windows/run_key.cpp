#include "platform/windows/run_key.h"

#include <charconv>
#include <cstdint>

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

RegistryValue dwordValue(std::uint32_t number) {
    RegistryValue value{REG_DWORD, {}};
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<BYTE>((number >> shift) & 0xFFu));
    return value;
}

}  // namespace

bool RunKeyEntries::add(const std::string& name, const std::string& program) {
    const auto keyPath = widen(keyPath_);
    const auto valueName = widen(name);
    const auto path = widen(program);
    if (!keyPath || !valueName || !path) return false;
    const RegistryKey key = RegistryKey::open(rootOf(hive_), keyPath->c_str(), KEY_ALL_ACCESS);
    if (!key) return false;

    // The type decides the data: a new value is a string, a number-typed one gets the path's
    // leading number, and any other type keeps what it holds.
    RegistryValue value;
    const LONG error = readValue(key.get(), valueName->c_str(), value);
    if (error == ERROR_FILE_NOT_FOUND) {
        value.type = REG_SZ;
    } else if (error != ERROR_SUCCESS) {
        return false;
    }
    if (value.type == REG_SZ) {
        value = stringValue(*path);
    } else if (value.type == REG_DWORD) {
        value = dwordValue(leadingNumber(program));
    }
    return writeValue(key.get(), valueName->c_str(), value);
}

void RunKeyEntries::remove(const std::string& name) {
    const auto keyPath = widen(keyPath_);
    const auto valueName = widen(name);
    if (!keyPath || !valueName) return;
    const RegistryKey key = RegistryKey::open(rootOf(hive_), keyPath->c_str(), KEY_ALL_ACCESS);
    if (key) RegDeleteValueW(key.get(), valueName->c_str());
}

}  // namespace korvo::platform
