// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/instance_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

#include "ui/forms/services.h"

namespace korvo::platform {

namespace {

// A running instance answers at once; the wait only covers one busy with a large folder.
constexpr int AnswerMs = 5000;
constexpr std::size_t LongestMessage = 64;

constexpr std::string_view Acknowledged = "ok\n";
constexpr std::string_view NotUnderstood = "?\n";

std::optional<sockaddr_un> addressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, path.data(), path.size());
    return address;
}

// A connected stream socket, or -1 when nobody listens on `path`.
int connectTo(const std::string& path) {
    const auto address = addressOf(path);
    if (!address) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

// Reads into `line` what `fd` has; true once a whole line (or more than a message) is there,
// or the other end closed or failed.
bool readLine(int fd, std::string& line) {
    char buffer[LongestMessage + 1];
    ssize_t got;
    do {
        got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    } while (got < 0 && errno == EINTR);
    if (got > 0) line.append(buffer, static_cast<std::size_t>(got));
    const bool ended = got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    return ended || line.find('\n') != std::string::npos || line.size() > LongestMessage;
}

}  // namespace

std::string instanceSocketPath(const Environment& env, unsigned long userId,
                               const std::string& temporaryFolder) {
    const std::string runtime = env.get("XDG_RUNTIME_DIR");
    // Unset or relative (which the XDG rules say to ignore): a per-user name in the temp folder.
    if (!runtime.empty() && runtime.front() == '/') {
        return runtime + (runtime.back() == '/' ? "" : "/") + "korvo.socket";
    }
    const std::string folder = temporaryFolder.empty() ? "/tmp" : temporaryFolder;
    return folder + (folder.back() == '/' ? "" : "/") + "korvo-" + std::to_string(userId);
}

// One client's connection, read as it comes without ever blocking the program.
struct UnixSocketChannel::Connection {
    int fd;
    std::string line;
};

UnixSocketChannel::UnixSocketChannel(std::string path) : path_(std::move(path)) {}

UnixSocketChannel::~UnixSocketChannel() {
    while (!connections_.empty()) drop(connections_.back()->fd);
    if (fd_ < 0) return;
    loop_->unwatch(fd_);
    ::close(fd_);
    ::unlink(path_.c_str());
}

InstanceChannel::Delivery UnixSocketChannel::send(const std::string& message) {
    // A leftover file nobody listens on refuses the connection: nothing is running.
    const int fd = connectTo(path_);
    if (fd < 0) return Delivery::NoneRunning;
    std::string answer;
    if (writeAll(fd, message + "\n")) {
        pollfd wait{fd, POLLIN, 0};
        while (::poll(&wait, 1, AnswerMs) > 0 && !readLine(fd, answer)) {
        }
    }
    ::close(fd);
    return answer == Acknowledged ? Delivery::Delivered : Delivery::NoAnswer;
}

InstanceChannel::Claim UnixSocketChannel::listen(forms::Scheduler& loop, Receiver& receiver) {
    const auto address = addressOf(path_);
    if (!address || fd_ >= 0) return Claim::Failed;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Claim::Failed;
    const auto bind = [&] {
        return ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0;
    };
    bool bound = bind();
    if (!bound && errno == EADDRINUSE) {
        if (const int other = connectTo(path_); other >= 0) {
            ::close(other);
            ::close(fd);
            return Claim::TakenByAnother;
        }
        // Left behind by an instance that crashed: nobody answers on it.
        ::unlink(path_.c_str());
        bound = bind();
    }
    // Only this user may hand requests over, even where the folder lets others in.
    if (!bound || ::chmod(path_.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0 ||
        !loop.watch(fd, [this] { accept(); })) {
        if (bound) ::unlink(path_.c_str());
        ::close(fd);
        return Claim::Failed;
    }
    fd_ = fd;
    loop_ = &loop;
    receiver_ = &receiver;
    return Claim::Claimed;
}

void UnixSocketChannel::accept() {
    int fd;
    while ((fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        connections_.push_back(std::make_unique<Connection>(Connection{fd, {}}));
        if (!loop_->watch(fd, [this, fd] { read(fd); })) drop(fd);
    }
}

void UnixSocketChannel::read(int fd) {
    const auto it = std::find_if(connections_.begin(), connections_.end(),
                                 [fd](const auto& c) { return c->fd == fd; });
    if (it == connections_.end()) return;
    std::string& line = (*it)->line;
    if (!readLine(fd, line)) return;
    std::string message;
    bool understood = false;
    if (const auto end = line.find('\n'); end != std::string::npos) {
        message = line.substr(0, end);
        if (!message.empty() && message.back() == '\r') message.pop_back();
        understood = receiver_->understands(message);
        writeAll(fd, understood ? Acknowledged : NotUnderstood);
    }
    drop(fd);
    if (understood) receiver_->carryOut(message);
}

void UnixSocketChannel::drop(int fd) {
    loop_->unwatch(fd);
    ::close(fd);
    std::erase_if(connections_, [fd](const auto& c) { return c->fd == fd; });
}

}  // namespace korvo::platform
