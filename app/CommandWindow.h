// What the main window offers to the commands bound to its events: the path box, the Configure
// button, its own handle (owner of the folder picker and the message box) and the program-wide
// environment object. The commands live in their own subsystems and know the window only
// through this.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/Types.h"

namespace kelvane {

class SystemEnvironment;

class CommandWindow {
  public:
    // The text of 编辑框_路径, as a fresh Text.
    virtual Text PathText() const = 0;
    // Replaces the text of 编辑框_路径, the empty text included.
    virtual void SetPathText(std::string_view text) = 0;
    // Enables or disables 按钮_配置.
    virtual void EnableConfigure(bool enabled) = 0;
    virtual HWND Handle() const = 0;
    virtual SystemEnvironment& Environment() = 0;

  protected:
    ~CommandWindow() = default;
};

} // namespace kelvane
