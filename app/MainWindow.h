// Kelvane's main window: the instructions, the path box, Browse and Configure. It lays out its
// five controls, does its own keyboard handling (Tab, Shift+Tab, Esc) and raises the three
// events of MainWindowEvents; everything else belongs to the commands bound to those events.
#pragma once

#include <windows.h>

#include <array>

#include "app/CommandWindow.h"
#include "app/MainWindowEvents.h"
#include "base/Handles.h"

namespace kelvane {

class MainWindow final : public CommandWindow {
  public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 150;

    MainWindow(SystemEnvironment& environment, MainWindowEvents events);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Creates the window hidden, with its controls, then raises the created event. False when
    // the window cannot be created.
    [[nodiscard]] bool Create(HINSTANCE instance);
    // Shows and activates the window; the path box takes the focus.
    void Show();
    // The window's own keys, to be offered every message before it is translated and
    // dispatched. True when the message has been handled and must go no further.
    bool HandleKeyboard(const MSG& message);

    Text PathText() const override;
    void SetPathText(std::string_view text) override;
    void EnableConfigure(bool enabled) override;
    HWND Handle() const override { return window_.get(); }
    SystemEnvironment& Environment() override { return environment_; }

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);
    void RememberFocus();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    static void OnEraseBackground(HWND window, HDC dc);
    void CreateControls(HINSTANCE instance);
    void MoveFocus(bool forward);

    SystemEnvironment& environment_;
    MainWindowEvents events_;
    UniqueWindow window_;
    HWND 标签_说明_ = nullptr;
    HWND 按钮_配置_ = nullptr;
    HWND 按钮_浏览_ = nullptr;
    HWND 编辑框_路径_ = nullptr;
    HWND 标签_路径_ = nullptr;
    // The control that gets the focus back when the window is activated.
    HWND focusOnActivate_ = nullptr;
};

} // namespace kelvane
