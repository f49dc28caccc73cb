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
#include <cstdio>
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

// The user on the other end of a connected socket, as the kernel knows it.
std::optional<uid_t> peerUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return std::nullopt;
    return peer.uid;
}

std::string userName(std::optional<uid_t> user) {
    return user ? "user " + std::to_string(*user) : "a user that cannot be told";
}

// Why a folder may not hold the user's socket, or nothing when it may. lstat's view: a link is
// refused even when it leads to a good folder, since whoever owns the link chooses where it leads.
std::optional<std::string> folderFault(const struct stat& folder, uid_t user) {
    if (S_ISLNK(folder.st_mode)) return "a link, not a folder";
    if (!S_ISDIR(folder.st_mode)) return "not a folder";
    if (folder.st_uid != user) return "owned by " + userName(folder.st_uid) + ", not by this one";
    if ((folder.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(folder.st_mode & 07777));
        return std::string("open to other users (mode ") + mode + ")";
    }
    return std::nullopt;
}

}  // namespace

InstanceSocketPlace instanceSocketPlace(const Environment& env, unsigned long userId,
                                        const std::string& temporaryFolder) {
    const std::string runtime = env.get("XDG_RUNTIME_DIR");
    // Unset or relative (which the XDG rules say to ignore): a folder of the user's own in the
    // temp folder, where anyone could otherwise put a socket of theirs in Korvo's way.
    if (!runtime.empty() && runtime.front() == '/') {
        return {runtime + (runtime.back() == '/' ? "" : "/") + "korvo.socket", {}};
    }
    const std::string temporary = temporaryFolder.empty() ? "/tmp" : temporaryFolder;
    const std::string folder =
        temporary + (temporary.back() == '/' ? "" : "/") + "korvo-" + std::to_string(userId);
    return {folder + "/korvo.socket", folder};
}

// One client's connection, read as it comes without ever blocking the program.
struct UnixSocketChannel::Connection {
    int fd;
    std::string line;
};

UnixSocketChannel::UnixSocketChannel(InstanceSocketPlace place, uid_t user,
                                     Diagnostics& diagnostics)
    : place_(std::move(place)), user_(user), diagnostics_(diagnostics) {}

UnixSocketChannel::~UnixSocketChannel() {
    while (!connections_.empty()) drop(connections_.back()->fd);
    if (fd_ < 0) return;
    loop_->unwatch(fd_);
    ::close(fd_);
    ::unlink(place_.path.c_str());
}

bool UnixSocketChannel::folderUsable(bool make) {
    const std::string& folder = place_.privateFolder;
    if (folder.empty()) return true;
    struct stat found {};
    if (::lstat(folder.c_str(), &found) != 0) {
        if (errno == ENOENT && !make) return false;  // no folder yet: nobody runs
        const bool made = errno == ENOENT &&
                          (::mkdir(folder.c_str(), S_IRWXU) == 0 || errno == EEXIST) &&
                          ::lstat(folder.c_str(), &found) == 0;
        if (!made) {
            diagnostics_.report("not using the hand-over folder", folder, std::strerror(errno));
            return false;
        }
    }
    if (const auto fault = folderFault(found, user_)) {
        diagnostics_.report("not using the hand-over folder", folder, *fault);
        return false;
    }
    return true;
}

bool UnixSocketChannel::answeredByUser(int fd) {
    const auto peer = peerUser(fd);
    if (peer == user_) return true;
    diagnostics_.report("not handing over", place_.path,
                        "the socket is answered by " + userName(peer));
    return false;
}

InstanceChannel::Delivery UnixSocketChannel::send(const std::string& message) {
    if (!folderUsable(false)) return Delivery::NoneRunning;
    // A leftover file nobody listens on refuses the connection: nothing is running.
    const int fd = connectTo(place_.path);
    if (fd < 0) return Delivery::NoneRunning;
    // Another user's listener is no Korvo of this user's: it hears nothing.
    if (!answeredByUser(fd)) {
        ::close(fd);
        return Delivery::NoneRunning;
    }
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
    const std::string& path = place_.path;
    const auto address = addressOf(path);
    if (!address || fd_ >= 0 || !folderUsable(true)) return Claim::Failed;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Claim::Failed;
    // The file bind makes takes the socket's own mode: private from its first moment, with no
    // window in which another user could connect (a umask would change it for every thread).
    const auto bind = [&] {
        return ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0;
    };
    bool bound = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && bind();
    if (!bound && errno == EADDRINUSE) {
        if (const int other = connectTo(path); other >= 0) {
            const bool ours = answeredByUser(other);
            ::close(other);
            if (ours) {
                ::close(fd);
                return Claim::TakenByAnother;
            }
        }
        // Left behind by an instance that crashed, or another user's in Korvo's way: the name is
        // this user's, so it is claimed anew (where the folder lets this user remove it).
        ::unlink(path.c_str());
        bound = bind();
    }
    if (!bound || ::listen(fd, 8) != 0 || !loop.watch(fd, [this] { accept(); })) {
        if (bound) ::unlink(path.c_str());
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
        // Only this user's requests are read, even where a mode or a folder lets others connect.
        if (const auto peer = peerUser(fd); peer != user_) {
            diagnostics_.report("refused a request", place_.path, "it came from " + userName(peer));
            ::close(fd);
            continue;
        }
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
