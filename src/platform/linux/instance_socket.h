// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "services/diagnostics.h"
#include "services/instance_channel.h"

namespace korvo::platform {

// Where the user's running instance listens.
struct InstanceSocketPlace {
    std::string path;  // the socket
    // A folder of the user's own that holds it, made with mode 0700 and checked before each use;
    // empty when the socket lies in the per-user runtime folder, which the session made so.
    std::string privateFolder;
};

// The socket in the per-user runtime folder when there is one (an absolute path), else in a
// folder named after the user id in the system's temporary folder.
InstanceSocketPlace instanceSocketPlace(const Environment& env, unsigned long userId,
                                        const std::string& temporaryFolder);

// The hand-over over a Unix stream socket: one line from the client, "ok" or "?" back. A plain
// socket rather than a toolkit's: a dozen system calls need no library loaded at every start.
// Only `user` is trusted on either end: the kernel's word on the peer (SO_PEERCRED) decides,
// so a socket another user put in the way is neither told anything nor taken for Korvo, and
// nobody else's request is read. What is refused is said on `diagnostics`.
class UnixSocketChannel final : public InstanceChannel {
  public:
    UnixSocketChannel(InstanceSocketPlace place, uid_t user, Diagnostics& diagnostics);
    ~UnixSocketChannel() override;
    UnixSocketChannel(const UnixSocketChannel&) = delete;
    UnixSocketChannel& operator=(const UnixSocketChannel&) = delete;

    Delivery send(const std::string& message) override;
    Claim listen(forms::Scheduler& loop, Receiver& receiver) override;

  private:
    struct Connection;
    bool folderUsable(bool make);
    bool answeredByUser(int fd);
    void accept();
    void read(int fd);
    void drop(int fd);

    InstanceSocketPlace place_;
    uid_t user_;
    Diagnostics& diagnostics_;
    forms::Scheduler* loop_ = nullptr;
    Receiver* receiver_ = nullptr;
    int fd_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace korvo::platform
