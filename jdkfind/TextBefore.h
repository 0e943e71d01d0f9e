// The cut that turns a shortcut's target into the JDK's directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Types.h"

namespace kelvane {

// The part of text before the first occurrence of marker at or after start (1 when not given or
// not above 0), looked for on GBK character boundaries as FindText does. The empty text when the
// marker is empty or not found; the cut always begins at the start of text.
Text TextBefore(std::string_view text, std::string_view marker,
                std::optional<std::int32_t> start = std::nullopt,
                std::optional<bool> ignoreCase = std::nullopt);

} // namespace kelvane
