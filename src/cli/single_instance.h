#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"

class QSocketNotifier;

namespace korvo {
class Program;
namespace qt {
class View;
}
}  // namespace korvo

namespace korvo::cli {

// The socket of this user's running instance (socketName for the process's user).
std::string instanceName(const std::string& runtimeFolder);

enum class HandOver { Delivered, NoneRunning, NoAnswer };

// Sends `request` to the instance listening on `name` and waits for its acknowledgement. Needs
// no event loop, so a start that hands over ends without ever opening a window.
HandOver handOver(const std::string& name, Request request);

// The running instance's end of the socket. listen() claims the name; a file left behind by an
// instance that crashed (nobody answers on it) is removed and claimed. Each message is
// acknowledged first and then carried out on the program, so that even --quit gets its answer.
class InstanceServer {
  public:
    InstanceServer(Program& app, qt::View& view);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // TakenByAnother: an instance started in the meantime answers on `name`. Failed (no
    // usable folder for the socket) leaves this instance running without the guard.
    enum class Claim { Claimed, TakenByAnother, Failed };
    Claim listen(const std::string& name);

  private:
    struct Connection;
    void accept();
    void read(Connection* connection);

    Program& app_;
    qt::View& view_;
    int fd_ = -1;
    std::string name_;
    std::unique_ptr<QSocketNotifier> listener_;
    std::vector<std::unique_ptr<Connection>> connections_;
};

// The whole start of korvo before the program proper: answers --help and --version, hands a
// request (or a plain second start) over to the running instance. Returns the exit status when
// this process is done, or -1 when it is to become the running instance.
int answerWithoutWindow(const CommandLine& line, const std::string& name,
                        const std::string& version);

}  // namespace korvo::cli
