// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "services/instance_channel.h"

namespace korvo::platform {

// The local socket of the user's running instance: in the per-user runtime folder when there is
// one (an absolute path), else a name private to the user id in the system's temporary folder.
std::string instanceSocketPath(const Environment& env, unsigned long userId,
                               const std::string& temporaryFolder);

// The hand-over over a Unix stream socket: one line from the client, "ok" or "?" back. A plain
// socket rather than a toolkit's: a dozen system calls need no library loaded at every start.
class UnixSocketChannel final : public InstanceChannel {
  public:
    explicit UnixSocketChannel(std::string path);
    ~UnixSocketChannel() override;
    UnixSocketChannel(const UnixSocketChannel&) = delete;
    UnixSocketChannel& operator=(const UnixSocketChannel&) = delete;

    Delivery send(const std::string& message) override;
    Claim listen(forms::Scheduler& loop, Receiver& receiver) override;

  private:
    struct Connection;
    void accept();
    void read(int fd);
    void drop(int fd);

    std::string path_;
    forms::Scheduler* loop_ = nullptr;
    Receiver* receiver_ = nullptr;
    int fd_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace korvo::platform
