// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "services/instance_channel.h"

namespace korvo::cli {

// What one start of korvo was asked to do. Start is the plain start: become the running
// instance, or bring the running one forward.
enum class Request { Start, Help, Version, Next, Show, Quit };

struct CommandLine {
    Request request = Request::Start;
    std::string error;  // an option korvo does not know, or more than one request; empty if none
};

// Reads the arguments after the program name. Exactly one request may be given.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string helpText();
std::string versionText(const std::string& version);

// The one-line message a request sends to the running instance, and back; Help and Version are
// answered by the process that was started and have no message.
std::optional<std::string> messageFor(Request request);
std::optional<Request> requestFor(const std::string& message);

// The whole start of Korvo before the program proper: answers --help and --version on `out`,
// hands a request (or a plain second start) over to the running instance through `channel`, and
// says on `err` what went wrong. Returns the exit status when this process is done, or -1 when
// it is to become the running instance.
int answerWithoutWindow(const CommandLine& line, InstanceChannel& channel,
                        const std::string& version, std::ostream& out, std::ostream& err);

}  // namespace korvo::cli
