// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/options/folder_browser.h"

namespace korvo {

// The browser of the assistant's folder page: "OK" puts the folder into the page's box T.
class Form4 : public FolderBrowser {
  public:
    explicit Form4(Program& app);

    void File1_PathChange() override;

  protected:
    void deliver(const std::string& folder) override;
};

}  // namespace korvo
