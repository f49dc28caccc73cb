// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace korvo::forms {

// Error numbers keep the forms layer's classic meanings so that a failing statement can be told
// apart in tests and in the handful of places that care.
enum class ErrorCode {
    InvalidProcedureCall = 5,
    FileNotFound = 53,
    PathNotFound = 76,
    InvalidPropertyValue = 380,
    ObjectRequired = 424,
    PropertyNotSupported = 438,
    InvalidPicture = 481,
    ShellCallFailed = 1000,  // a desktop-object call answered a failure code
};

class Error : public std::runtime_error {
  public:
    Error(ErrorCode code, const std::string& what) : std::runtime_error(what), code_(code) {}
    ErrorCode code() const noexcept { return code_; }

  private:
    ErrorCode code_;
};

// Raised by Runtime::end(): unwinds the handler that ended the program up to the dispatcher.
// Deliberately not an Error, so that ignoring errors never swallows the end of the program.
struct ProgramEnded {};

// The error mode of ignoring: each statement runs; one that raises an Error is skipped.
//
//   ignoringErrors({
//       [&] { Fi.setListIndex(current + 1); },
//       [&] { if (last == current) Fi.setListIndex(0); },
//   });
inline void ignoringErrors(std::initializer_list<std::function<void()>> statements) {
    for (const auto& statement : statements) {
        try {
            statement();
        } catch (const Error&) {
        }
    }
}

// Runs one statement, turning an Error into `false`, for code that ends at its first failure
// ("On Error Exit Sub").
inline bool succeeds(const std::function<void()>& statement) {
    try {
        statement();
        return true;
    } catch (const Error&) {
        return false;
    }
}

}  // namespace korvo::forms
