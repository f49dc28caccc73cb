#include "cli/single_instance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/program.h"
#include "cli/instance_actions.h"
#include "ui/forms/qt/view.h"

namespace korvo::cli {

namespace {

// A running instance answers at once; the wait only covers one busy with a large folder.
constexpr int AnswerMs = 5000;
constexpr std::size_t LongestMessage = 64;

constexpr std::string_view Acknowledged = "ok\n";

// A plain local socket rather than Qt Network: a few system calls need no library of 1 MB
// resident with its Kerberos and proxy dependencies loaded at every start.
std::optional<sockaddr_un> addressOf(const std::string& name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.empty() || name.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, name.data(), name.size());
    return address;
}

// A connected stream socket, or -1 when nobody listens on `name`.
int connectTo(const std::string& name) {
    const auto address = addressOf(name);
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
bool readLine(int fd, std::string& line, bool& ended) {
    char buffer[LongestMessage + 1];
    ssize_t got;
    do {
        got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    } while (got < 0 && errno == EINTR);
    if (got > 0) line.append(buffer, static_cast<std::size_t>(got));
    ended = got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    return ended || line.find('\n') != std::string::npos || line.size() > LongestMessage;
}

}  // namespace

std::string instanceName(const std::string& runtimeFolder) {
    const std::string name = socketName(runtimeFolder, ::getuid());
    if (name.front() == '/') return name;
    // Without a runtime folder, the per-user name goes where every program's temporary files go.
    std::error_code error;
    const std::string temporary = std::filesystem::temp_directory_path(error).string();
    return (error || temporary.empty() ? std::string("/tmp") : temporary) + "/" + name;
}

HandOver handOver(const std::string& name, Request request) {
    const auto message = messageFor(request);
    if (!message) return HandOver::NoAnswer;
    // A leftover file nobody listens on refuses the connection: nothing is running.
    const int fd = connectTo(name);
    if (fd < 0) return HandOver::NoneRunning;
    std::string answer;
    bool ended = false;
    if (writeAll(fd, *message + "\n")) {
        pollfd wait{fd, POLLIN, 0};
        while (::poll(&wait, 1, AnswerMs) > 0 && !readLine(fd, answer, ended)) {
        }
    }
    ::close(fd);
    return answer == Acknowledged ? HandOver::Delivered : HandOver::NoAnswer;
}

// One client's connection, read as it comes without ever blocking the program.
struct InstanceServer::Connection {
    explicit Connection(int socket) : fd(socket), notifier(fd, QSocketNotifier::Read) {}
    ~Connection() { ::close(fd); }
    int fd;
    QSocketNotifier notifier;
    std::string line;
};

InstanceServer::InstanceServer(Program& app, qt::View& view) : app_(app), view_(view) {}

InstanceServer::~InstanceServer() {
    connections_.clear();
    listener_.reset();
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(name_.c_str());
}

InstanceServer::Claim InstanceServer::listen(const std::string& name) {
    const auto address = addressOf(name);
    if (!address || fd_ >= 0) return Claim::Failed;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Claim::Failed;
    const auto bind = [&] {
        return ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0;
    };
    bool bound = bind();
    if (!bound && errno == EADDRINUSE) {
        if (const int other = connectTo(name); other >= 0) {
            ::close(other);
            ::close(fd);
            return Claim::TakenByAnother;
        }
        // Left behind by an instance that crashed: nobody answers on it.
        ::unlink(name.c_str());
        bound = bind();
    }
    // Only this user may hand requests over, even where the folder lets others in.
    if (!bound || ::chmod(name.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        if (bound) ::unlink(name.c_str());
        ::close(fd);
        return Claim::Failed;
    }
    fd_ = fd;
    name_ = name;
    listener_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(listener_.get(), &QSocketNotifier::activated, [this] { accept(); });
    return Claim::Claimed;
}

void InstanceServer::accept() {
    int fd;
    while ((fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
        auto connection = std::make_unique<Connection>(fd);
        Connection* raw = connection.get();
        connections_.push_back(std::move(connection));
        QObject::connect(&raw->notifier, &QSocketNotifier::activated, [this, raw] { read(raw); });
    }
}

void InstanceServer::read(Connection* connection) {
    bool ended = false;
    if (!readLine(connection->fd, connection->line, ended)) return;
    std::optional<Request> request;
    if (const auto end = connection->line.find('\n'); end != std::string::npos) {
        std::string message = connection->line.substr(0, end);
        if (!message.empty() && message.back() == '\r') message.pop_back();
        request = requestFor(message);
        writeAll(connection->fd, request ? Acknowledged : "?\n");
    }
    // Dropped after the notifier's signal returns: deleting it inside its own signal is not safe.
    connection->notifier.setEnabled(false);
    QMetaObject::invokeMethod(
        listener_.get(),
        [this, connection] {
            std::erase_if(connections_,
                          [connection](const auto& c) { return c.get() == connection; });
        },
        Qt::QueuedConnection);
    if (!request) return;
    if (forms::Form* shown = carryOut(app_, *request)) {
        if (QWidget* window = view_.window(*shown)) {
            window->raise();
            window->activateWindow();
        }
    }
}

int answerWithoutWindow(const CommandLine& line, const std::string& name,
                        const std::string& version) {
    if (!line.error.empty()) {
        std::fprintf(stderr, "korvo: %s\nTry 'korvo --help'.\n", line.error.c_str());
        return 2;
    }
    if (line.request == Request::Help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    if (line.request == Request::Version) {
        std::fputs(versionText(version).c_str(), stdout);
        return 0;
    }
    switch (handOver(name, line.request)) {
        case HandOver::Delivered:
            return 0;
        case HandOver::NoAnswer:
            std::fputs("korvo: the running Korvo does not answer\n", stderr);
            return 1;
        case HandOver::NoneRunning:
            break;
    }
    if (line.request == Request::Start) return -1;
    std::fputs("korvo: Korvo is not running\n", stderr);
    return 1;
}

}  // namespace korvo::cli
