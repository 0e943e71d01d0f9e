// The fixture of the end-to-end tests: Kelvane started, its main window shown, its three
// focusable controls found.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/gui/Driver.h"

namespace kelvane::gui {

using namespace std::chrono_literals;

inline constexpr auto kStartTimeout = 60s;
inline constexpr auto kTimeout = 10s;

// The texts as Kelvane shows them, in GBK.
inline constexpr char kCaption[] = "Kelvane V1.0";
inline constexpr char kInstructions[] =
    "\xD1\xA1\xD4\xF1JAVA_JDK\xB0\xB2\xD7\xB0\xC4\xBF\xC2\xBC\r\n"
    "\xC0\xFD\xA3\xBA"
    "C:\\Program Files\\Java\\jdk1.8.0_131\r\n\r\n";
inline constexpr char kPathLabel[] = "\xC2\xB7\xBE\xB6\xA3\xBA";
inline constexpr char kBrowse[] = "\xE4\xAF\xC0\xC0";
inline constexpr char kConfigure[] = "\xC5\xE4\xD6\xC3";

inline std::string Describe(const std::vector<Control>& controls) {
    std::string text = "the controls are:";
    for (const Control& control : controls) {
        text += "\n  " + control.className + " \"";
        for (unsigned char byte : control.text) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, byte < 0x20 || byte >= 0x80 ? "\\x%02X" : "%c", byte);
            text += escaped;
        }
        text += "\"";
    }
    return text;
}

inline bool SameClass(const std::string& a, const char* b) {
    return _stricmp(a.c_str(), b) == 0;
}

// Starts Kelvane and waits until its window is shown with the focus in the path box.
class MainWindowGui : public ::testing::Test {
  protected:
    void Start(const std::string& workingDirectory = "") {
        process = KelvaneProcess::Start(KelvaneExe(), workingDirectory);
        ASSERT_TRUE(process.has_value()) << "cannot start " << KelvaneExe();
        window = process->WaitForWindow("WTWindow", kStartTimeout);
        ASSERT_NE(window, nullptr) << "Kelvane's window did not appear";
        for (const Control& control : Controls(window)) {
            if (SameClass(control.className, "Edit")) {
                path = control.handle;
            } else if (control.text == kBrowse) {
                browse = control.handle;
            } else if (control.text == kConfigure) {
                configure = control.handle;
            }
        }
        ASSERT_TRUE(path != nullptr && browse != nullptr && configure != nullptr);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == path; }, kTimeout));
        ASSERT_TRUE(BringToFront(window));
    }
    void SetUp() override { Start(); }

    // Empties the path box, whatever the start-up put into it; the focus stays where it is.
    void EmptyPathBox() { SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }

    // Presses a key, then waits until the focus is on expected.
    bool KeyMovesFocusTo(WORD key, bool withShift, HWND expected) {
        PressKey(key, withShift);
        return WaitUntil([&] { return FocusOf(window) == expected; }, kTimeout);
    }

  public:
    std::optional<KelvaneProcess> process;
    HWND window = nullptr;
    HWND path = nullptr;
    HWND browse = nullptr;
    HWND configure = nullptr;
};

// For tests that start Kelvane themselves.
class MainWindowGuiStartedElsewhere : public MainWindowGui {
  protected:
    void SetUp() override {}
};

} // namespace kelvane::gui
