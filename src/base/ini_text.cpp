// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/ini_text.h"

#include <string_view>
#include <vector>

namespace korvo::ini {

namespace {

struct Line {
    std::string_view body;    // without its ending
    std::string_view ending;  // "\n", "\r\n" or "" for a last line without one
    std::size_t offset = 0;   // where the line starts in the text
};

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        Line line;
        line.offset = start;
        if (end == std::string::npos) {
            line.body = std::string_view(text).substr(start);
            start = text.size();
        } else {
            std::size_t bodyEnd = end;
            if (bodyEnd > start && text[bodyEnd - 1] == '\r') --bodyEnd;
            line.body = std::string_view(text).substr(start, bodyEnd - start);
            line.ending = std::string_view(text).substr(bodyEnd, end + 1 - bodyEnd);
            start = end + 1;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// "[name]" gives name; anything else gives nullopt.
std::optional<std::string_view> sectionName(std::string_view body) {
    body = trim(body);
    if (body.empty() || body.front() != '[') return std::nullopt;
    const auto close = body.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(body.substr(1, close - 1));
}

std::optional<std::string_view> keyName(std::string_view body) {
    const auto equals = body.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trim(body.substr(0, equals));
}

// Where a section's lines are: [first, last) indexes into lines, first being the header.
struct Span {
    std::size_t header, end;
};

std::optional<Span> findSection(const std::vector<Line>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].body);
        if (!name || !sameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].body)) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, Span span,
                                   const std::string& key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = keyName(lines[i].body);
        if (name && !sectionName(lines[i].body) && sameName(*name, key)) return i;
    }
    return std::nullopt;
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The value as the line holds it: in quotes when the reader would otherwise take off blanks or
// a pair of quotes of its own.
std::string stored(const std::string& value) {
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (quoted || trim(value).size() != value.size()) return '"' + value + '"';
    return value;
}

std::string lineEndingOf(const std::string& text) {
    const auto lf = text.find('\n');
    if (lf != std::string::npos) return (lf > 0 && text[lf - 1] == '\r') ? "\r\n" : "\n";
    return "\r\n";  // a new profile file, written as the profile functions write one
}

// What ends an unfinished last line: a "\r" already there needs its own ending, as a "\n" after
// it would make it the line's ending and take it out of the value.
std::string closing(const std::string& text, const std::string& eol) {
    if (text.empty() || text.back() == '\n') return {};
    return text.back() == '\r' ? "\r\n" : eol;
}

}  // namespace

std::optional<std::string> read(const std::string& text, const std::string& sectionText,
                                const std::string& keyText) {
    const std::string section(trim(sectionText)), key(trim(keyText));
    const auto lines = splitLines(text);
    const auto span = findSection(lines, section);
    if (!span) return std::nullopt;
    const auto at = findKey(lines, *span, key);
    if (!at) return std::nullopt;
    std::string_view body = lines[*at].body;
    std::string_view value = trim(body.substr(body.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::optional<std::string> write(const std::string& text, const std::string& sectionText,
                                 const std::string& keyText,
                                 const std::optional<std::string>& valueText) {
    const std::string section(trim(sectionText)), key(trim(keyText));
    if (hasLineBreak(section) || section.find(']') != std::string::npos) return std::nullopt;
    // A key line that starts with "[" and holds a "]" would read as a section header.
    if (hasLineBreak(key) || key.find('=') != std::string::npos || key.empty() || key[0] == '[')
        return std::nullopt;
    if (valueText && (hasLineBreak(*valueText) || valueText->find('\0') != std::string::npos))
        return std::nullopt;
    const std::optional<std::string> value =
        valueText ? std::optional(stored(*valueText)) : std::nullopt;

    const auto lines = splitLines(text);
    const std::string eol = lineEndingOf(text);
    const auto span = findSection(lines, section);

    if (!span) {
        if (!value) return text;
        std::string out = text;
        out += closing(out, eol);
        return out + "[" + section + "]" + eol + key + "=" + *value + eol;
    }

    const auto at = findKey(lines, *span, key);
    if (at && !value) {
        // Every line of the key goes, or a second one would come to light.
        std::string out;
        std::size_t kept = 0;
        for (std::size_t i = *at; i < span->end; ++i) {
            const auto name = keyName(lines[i].body);
            if (!name || sectionName(lines[i].body) || !sameName(*name, key)) continue;
            out += text.substr(kept, lines[i].offset - kept);
            kept = lines[i].offset + lines[i].body.size() + lines[i].ending.size();
        }
        return out + text.substr(kept);
    }
    std::string out;
    if (at) {
        const Line& line = lines[*at];
        out = text.substr(0, line.offset);
        // The key keeps the spelling it has in the file.
        const std::string_view body = line.body;
        out += std::string(body.substr(0, body.find('='))) + "=" + *value;
        out += line.ending.empty() ? std::string{} : std::string(line.ending);
        out += text.substr(line.offset + line.body.size() + line.ending.size());
        return out;
    }
    if (!value) return text;

    // A new key goes after the section's last line that is not blank.
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i)
        if (!trim(lines[i].body).empty()) after = i;
    const Line& anchor = lines[after];
    const std::size_t cut = anchor.offset + anchor.body.size() + anchor.ending.size();
    out = text.substr(0, cut);
    out += closing(out, eol);
    out += key + "=" + *value + eol;
    out += text.substr(cut);
    return out;
}

}  // namespace korvo::ini
