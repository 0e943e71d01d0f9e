// The program's message box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane {

// Shows message in a MessageBoxA with style (default 0: one OK button, no icon) and title
// (default "友情提醒"), owned by owner; without an owner, by the first visible top-level window
// of the own process, or by none when the process has no such window. Returns the button that
// closed the box counted from 0 (IDOK gives 0, IDCANCEL 1, ...), or -1 when the box could not be
// shown.
std::int32_t ShowMessage(std::optional<std::string_view> message = std::nullopt,
                         std::optional<std::uint32_t> style = std::nullopt,
                         std::optional<std::string_view> title = std::nullopt,
                         std::optional<HWND> owner = std::nullopt);

} // namespace kelvane
