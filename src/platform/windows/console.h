// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace korvo::platform {

// Windows starts a windowed program such as Korvo.exe without standard streams. While this
// lives, a standard output or error that leads nowhere goes to the console of the program that
// started Korvo.exe (a command prompt), so that --help, --version and the command line's
// complaints are seen there; a stream redirected to a file or a pipe keeps its target. The
// console is let go at the end, so that closing it never ends the running Korvo. Without a
// console the texts go nowhere, and the exit status still tells.
class StartersConsole {
  public:
    StartersConsole();
    ~StartersConsole();
    StartersConsole(const StartersConsole&) = delete;
    StartersConsole& operator=(const StartersConsole&) = delete;

  private:
    bool attached_ = false;
};

}  // namespace korvo::platform
