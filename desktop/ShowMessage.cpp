#include "desktop/ShowMessage.h"

#include "SystemTexts.h"
#include "base/Types.h"
#include "desktop/FindProcessWindow.h"

namespace kelvane {

std::int32_t ShowMessage(std::optional<std::string_view> message,
                         std::optional<std::uint32_t> style, std::optional<std::string_view> title,
                         std::optional<HWND> owner) {
    const HWND ownerWindow = owner.has_value() ? *owner : FindProcessWindow(GetCurrentProcessId());
    const Text messageText(message.value_or(std::string_view()));
    const Text titleText(title.value_or(texts::kMessageTitle));
    const int button =
        MessageBoxA(ownerWindow, messageText.c_str(), titleText.c_str(), style.value_or(0));
    // Windows reports a failure as 0, Wine (for an owner that is no window) as -1; the buttons
    // count from 1.
    return button > 0 ? button - 1 : -1;
}

} // namespace kelvane
