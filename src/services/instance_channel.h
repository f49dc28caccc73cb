// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace korvo::forms {
class Scheduler;
}

namespace korvo {

// The hand-over between two starts of Korvo in one user session: the first claims the channel
// and becomes the running instance; a later start sends it one short message (a line of ASCII
// such as "next") and waits for the acknowledgement. Each system has its own transport behind it.
class InstanceChannel {
  public:
    // What the running instance does with a message, as it arrives on the program's thread.
    class Receiver {
      public:
        virtual ~Receiver() = default;
        // Whether the message is one the program answers; only those are acknowledged.
        virtual bool understands(const std::string& message) const = 0;
        // Runs after the acknowledgement has gone out, so even a message that ends the program
        // gets its answer.
        virtual void carryOut(const std::string& message) = 0;
    };

    enum class Claim {
        Claimed,         // this process is the running instance now
        TakenByAnother,  // another instance answers on the channel
        Failed,          // no usable channel: this process runs without the guard
    };
    enum class Delivery {
        Delivered,    // the running instance acknowledged the message
        NoneRunning,  // nobody answers on the channel
        NoAnswer,     // something answers but did not acknowledge in time
    };

    virtual ~InstanceChannel() = default;

    // Client side: needs no event loop, so a start that hands over never opens a window.
    virtual Delivery send(const std::string& message) = 0;

    // Server side. A channel left behind by an instance that crashed is claimed anew. Messages
    // reach `receiver` from the event loop of `loop` (which watches what the transport needs
    // watched) until the channel is destroyed.
    virtual Claim listen(forms::Scheduler& loop, Receiver& receiver) = 0;
};

}  // namespace korvo
