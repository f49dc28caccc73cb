// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any sequence of settings writes and reads over any starting file: an accepted value reads back
// exactly as written, every other key keeps its value and every other line its bytes, a refused
// edit or a failed replacement changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "base/ini_text.h"
#include "fuzz/check.h"
#include "services/text_file_store.h"

namespace {

constexpr const char* kPath = "Korv.ini";

// One file in memory; it can be made unreadable while still there, or refuse replacements.
class MemoryStore : public korvo::TextFileStore {
  public:
    std::optional<std::string> text;
    bool unreadable = false;
    bool failing = false;

    std::optional<std::string> read(const std::string&) override {
        return unreadable ? std::nullopt : text;
    }
    bool exists(const std::string&) override { return text.has_value(); }
    bool replace(const std::string&, const std::string& content) override {
        if (failing) return false;
        text = content;
        return true;
    }
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Names match after trimming, without regard to ASCII letter case.
bool sameName(std::string_view a, std::string_view b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

bool hasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

// The edits that could change what the file says about other keys, or could not be read back.
bool refused(const std::string& section, const std::string& key,
             const std::optional<std::string>& value) {
    if (hasAny(section, "\r\n]")) return true;
    if (hasAny(key, "\r\n=") || trimmed(key).empty() || trimmed(key).front() == '[') return true;
    return value && (hasAny(*value, "\r\n") || value->find('\0') != std::string::npos);
}

std::vector<std::string_view> bodies(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r' && end != std::string_view::npos)
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Every line of `before` that does not name `key` is still there, in the same order.
bool otherLinesKept(const std::string& before, const std::string& after, const std::string& key) {
    const auto old = bodies(before);
    const auto now = bodies(after);
    std::size_t j = 0;
    for (const auto line : old) {
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && sameName(line.substr(0, equals), key)) continue;
        while (j < now.size() && now[j] != line) ++j;
        if (j == now.size()) return false;
        ++j;
    }
    return true;
}

std::string pick(FuzzedDataProvider& data, const std::vector<std::string>& names) {
    if (data.ConsumeBool())
        return names[data.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
    return data.ConsumeRandomLengthString(24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    MemoryStore store;
    if (data.ConsumeBool()) store.text = data.ConsumeRandomLengthString(384);
    korvo::SettingsFile settings(store);

    const std::vector<std::string> sections{"OPTION", "Start", "option", " OPTION "};
    const std::vector<std::string> keys{"Folder", "Delay", "delay", "First", "Time "};
    // Each probed name with what it reads now.
    struct Probe {
        std::string section, key, value;
    };
    std::vector<Probe> probes;
    const auto probe = [&](const std::string& section, const std::string& key) {
        probes.push_back({section, key, settings.read(kPath, section, key)});
    };
    // Other spellings of these names come in through the steps.
    for (const auto& s : {"OPTION", "Start"})
        for (const auto& k : {"Folder", "Delay", "First"}) probe(s, k);

    for (int step = 0; step < 8 && data.remaining_bytes() > 0; ++step) {
        const std::string section = pick(data, sections);
        const std::string key = pick(data, keys);
        if (probes.size() < 16) probe(section, key);
        std::optional<std::string> value;
        if (data.ConsumeIntegralInRange(0, 7) != 0) value = data.ConsumeRandomLengthString(64);
        store.failing = data.ConsumeIntegralInRange(0, 15) == 0;
        store.unreadable = store.text && data.ConsumeIntegralInRange(0, 15) == 0;

        const auto before = store.text;
        const bool kept = store.unreadable || store.failing || refused(section, key, value);
        settings.write(kPath, section, key, value);
        store.unreadable = false;
        if (kept) {
            KORVO_REQUIRE(store.text == before);
            continue;
        }
        const std::string after = store.text.value_or("");
        KORVO_REQUIRE(settings.read(kPath, section, key) == value.value_or(""));
        KORVO_REQUIRE(otherLinesKept(before.value_or(""), after, key));
        for (auto& p : probes) {
            const std::string now = korvo::ini::read(after, p.section, p.key).value_or("");
            if (sameName(p.section, section) && sameName(p.key, key)) {
                p.value = now;
                continue;
            }
            KORVO_REQUIRE(now == p.value);
        }
    }
    return 0;
}
