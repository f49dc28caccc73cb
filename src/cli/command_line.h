#pragma once

#include <optional>
#include <string>
#include <vector>

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

// The local socket of the user's running instance: in the per-user runtime folder when there is
// one (an absolute path), else a name private to the user id in the system's temporary folder.
std::string socketName(const std::string& runtimeFolder, unsigned long userId);

}  // namespace korvo::cli
