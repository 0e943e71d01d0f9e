// Finds a visible top-level window of a process, for callers that have no window handle at hand
// (the message box without an owner).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane {

// The first visible top-level window of processId, in the window manager's order, that is
// accepted: its text contains titlePart, or its class name contains classPart, or titlePart and
// classPart are not both given. A part not given counts as the empty text, which every
// non-empty text contains and no empty one does. Containment is case-sensitive and steps over
// double-byte characters as units.
//
// Keeps searching, pass after pass, until timeoutMs has passed (default 31,536,000 ms; -1 stands
// for the default; 0 or less looks at no window), and handles the thread's pending messages after
// every window it examines, so the program stays responsive meanwhile. Returns null when the
// time is up.
HWND FindProcessWindow(DWORD processId, std::optional<std::string_view> titlePart = std::nullopt,
                       std::optional<std::string_view> classPart = std::nullopt,
                       std::optional<std::int32_t> timeoutMs = std::nullopt);

} // namespace kelvane
