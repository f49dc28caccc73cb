// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_line.h"

#include <array>
#include <ostream>
#include <utility>

namespace korvo::cli {

namespace {

constexpr std::array<std::pair<const char*, Request>, 6> Options{{
    {"--help", Request::Help},
    {"-h", Request::Help},
    {"--version", Request::Version},
    {"--next", Request::Next},
    {"--show", Request::Show},
    {"--quit", Request::Quit},
}};

constexpr std::array<std::pair<const char*, Request>, 3> Messages{{
    {"show", Request::Show},
    {"next", Request::Next},
    {"quit", Request::Quit},
}};

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (const std::string& argument : arguments) {
        std::optional<Request> found;
        for (const auto& [name, request] : Options) {
            if (argument == name) found = request;
        }
        if (!found) return {Request::Start, "unknown option '" + argument + "'"};
        if (line.request != Request::Start && line.request != *found) {
            return {Request::Start, "give one of --next, --show, --quit at a time"};
        }
        line.request = *found;
    }
    return line;
}

std::string helpText() {
    return "Usage: korvo [OPTION]\n"
           "Changes the desktop wallpaper from a folder of pictures, from the notification area.\n"
           "Without an option, starts Korvo, or brings the running Korvo's window forward.\n"
           "\n"
           "  --next     the running Korvo applies the next picture of its list\n"
           "  --show     the running Korvo shows its window\n"
           "  --quit     the running Korvo ends, as its tray menu's Quit does\n"
           "  --version  prints the version and ends\n"
           "  -h, --help prints this help and ends\n"
           "\n"
           "--next, --show and --quit end with status 1 when no Korvo is running.\n";
}

std::string versionText(const std::string& version) {
    return "korvo " + version + "\n";
}

std::optional<std::string> messageFor(Request request) {
    if (request == Request::Start) request = Request::Show;
    for (const auto& [message, known] : Messages) {
        if (known == request) return std::string(message);
    }
    return std::nullopt;
}

std::optional<Request> requestFor(const std::string& message) {
    for (const auto& [text, request] : Messages) {
        if (message == text) return request;
    }
    return std::nullopt;
}

int answerWithoutWindow(const CommandLine& line, InstanceChannel& channel,
                        const std::string& version, std::ostream& out, std::ostream& err) {
    if (!line.error.empty()) {
        err << "korvo: " << line.error << "\nTry 'korvo --help'.\n";
        return 2;
    }
    if (line.request == Request::Help) {
        out << helpText();
        return 0;
    }
    if (line.request == Request::Version) {
        out << versionText(version);
        return 0;
    }
    switch (channel.send(*messageFor(line.request))) {
        case InstanceChannel::Delivery::Delivered:
            return 0;
        case InstanceChannel::Delivery::NoAnswer:
            err << "korvo: the running Korvo does not answer\n";
            return 1;
        case InstanceChannel::Delivery::NoneRunning:
            break;
    }
    if (line.request == Request::Start) return -1;
    err << "korvo: Korvo is not running\n";
    return 1;
}

}  // namespace korvo::cli
